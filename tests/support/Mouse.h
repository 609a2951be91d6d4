#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// Mouse events as the toolkit delivers them, for calling a component's handlers without a display.
namespace Mouse
{
// A single press at the given point of the component, with the given buttons and keys held.
juce::MouseEvent pressAt(juce::Component& component, juce::Point<int> position,
                         juce::ModifierKeys modifiers = juce::ModifierKeys::leftButtonModifier);
} // namespace Mouse
