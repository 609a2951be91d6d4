#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// A command bar's push button. JUCE's buttons answer any mouse button; like the buttons of the
// desktops the editor runs on, this one answers the primary button alone, so that a right or middle
// click never runs a command.
class CommandButton : public juce::TextButton
{
public:
    CommandButton() = default;

    void mouseDown(const juce::MouseEvent& event) override;
    void mouseDrag(const juce::MouseEvent& event) override;
    void mouseUp(const juce::MouseEvent& event) override;

private:
    // From a press that began with the primary button to its release.
    bool pressed = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(CommandButton)
};
