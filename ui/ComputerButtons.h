#pragma once

#include "ui/CommandButton.h"
#include "ui/CommandButtonBar.h"

#include <juce_gui_basics/juce_gui_basics.h>

// The file commands and the about box as four buttons in two rows: OPEN and ABOUT above, SAVE and
// SAVE AS below, the right column flush with the bar's right edge. A click invokes the button's
// command asynchronously through the command manager.
class ComputerButtons : public juce::Component, public juce::Button::Listener
{
public:
    ComputerButtons();

    void resized() override;
    void buttonClicked(juce::Button* button) override;

private:
    CommandButtonBar::Slots slots();

    CommandButton openButton;
    CommandButton saveButton;
    CommandButton saveAsButton;
    CommandButton aboutButton;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ComputerButtons)
};
