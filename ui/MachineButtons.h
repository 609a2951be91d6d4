#pragma once

#include "ui/CommandButton.h"
#include "ui/CommandButtonBar.h"

#include <juce_gui_basics/juce_gui_basics.h>

// The device commands as four buttons in two rows: LOAD FROM VEXLO and SAVE TO VEXLO above,
// DISCONNECT VEXLO and RESET TO DEFAULT below, the right column flush with the bar's right edge. A
// click invokes the button's command asynchronously through the command manager, which performs it
// only while the command target reports it active.
class MachineButtons : public juce::Component, public juce::Button::Listener
{
public:
    MachineButtons();

    void resized() override;
    void buttonClicked(juce::Button* button) override;

private:
    CommandButtonBar::Slots slots();

    CommandButton disconnectButton;
    CommandButton loadButton;
    CommandButton saveButton;
    CommandButton resetButton;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(MachineButtons)
};
