#pragma once

#include "device/MIDIComponentListener.h"

#include <juce_gui_basics/juce_gui_basics.h>

// The port panel: two labelled drop-down lists for the MIDI input and output that lead to the device,
// and the CONNECT and REFRESH buttons. It knows nothing of MIDI; it reports the user's choice.
class MIDIComponent : public juce::Component, public juce::Button::Listener
{
public:
    explicit MIDIComponent(MIDIComponentListener* listener);
    ~MIDIComponent() override;

    // Fills both lists and selects the given positions; a position outside its list selects nothing.
    void setPorts(const juce::StringArray& inputs, const juce::StringArray& outputs, int inputIndex,
                  int outputIndex);

    void resized() override;
    void buttonClicked(juce::Button* button) override;

private:
    MIDIComponentListener* listener;
    int preferredWidth = 0;
    int preferredHeight = 0;
    juce::Label inputLabel;
    juce::Label outputLabel;
    juce::ComboBox inputBox;
    juce::ComboBox outputBox;
    juce::TextButton connectButton;
    juce::TextButton refreshButton;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(MIDIComponent)
};
