#include "ui/CommandButton.h"

#include <utility>

void CommandButton::mouseDown(const juce::MouseEvent& event)
{
    pressed = event.mods.isLeftButtonDown();
    if (pressed)
        juce::TextButton::mouseDown(event);
}

void CommandButton::mouseDrag(const juce::MouseEvent& event)
{
    if (pressed)
        juce::TextButton::mouseDrag(event);
}

void CommandButton::mouseUp(const juce::MouseEvent& event)
{
    // JUCE reports the release with the buttons held last, which need not include the primary one.
    if (std::exchange(pressed, false))
        juce::TextButton::mouseUp(event);
}
