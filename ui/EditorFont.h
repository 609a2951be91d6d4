#pragma once

#include <juce_graphics/juce_graphics.h>

// The application's one font: height 11, plain, with the toolkit's default sans-serif name. The look
// and feel answers every typeface request with the embedded bold typeface, so that is what it draws
// with. Components derive their rows and margins from its height. Each call returns a fresh copy.
juce::Font getEditorFont();
