#pragma once

#include <juce_graphics/juce_graphics.h>

// The eight opaque colours that every drawn part of the editor takes its colours from. Drawing that
// needs translucency applies an alpha to a copy; these never change.
namespace Palette
{
inline const juce::Colour pink{(juce::uint8) 238, (juce::uint8) 76, (juce::uint8) 155};
inline const juce::Colour green{(juce::uint8) 105, (juce::uint8) 189, (juce::uint8) 69};
inline const juce::Colour greyBlue{(juce::uint8) 130, (juce::uint8) 143, (juce::uint8) 179};
inline const juce::Colour lightGrey{(juce::uint8) 232, (juce::uint8) 232, (juce::uint8) 232};
inline const juce::Colour midGrey{(juce::uint8) 129, (juce::uint8) 130, (juce::uint8) 133};
inline const juce::Colour darkGrey{(juce::uint8) 51, (juce::uint8) 51, (juce::uint8) 51};
inline const juce::Colour black{(juce::uint8) 0, (juce::uint8) 0, (juce::uint8) 0};
inline const juce::Colour white{(juce::uint8) 255, (juce::uint8) 255, (juce::uint8) 255};
} // namespace Palette
