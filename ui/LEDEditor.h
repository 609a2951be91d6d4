#pragma once

#include "model/ModelLED.h"
#include "ui/SettingsEditorFrame.h"

// The settings of one LED: MIDI channel, message type, Ableton flag and number. It stands beside the
// button editor and never takes the keyboard focus when a control is set, so the focus stays in the
// button's form.
class LEDEditor : public SettingsEditorFrame<ModelLED>
{
public:
    LEDEditor();

    void modelChanged() override;
    void selectionChanged(SelectionBox* box, int index) override;

private:
    // The form's one field besides the channel: CONTROL ID.
    void storeValue(const juce::TextEditor& field, int value) override;

    juce::Label channelLabel;
    juce::Label modeLabel;
    juce::Label abletonLabel;
    juce::Label numberLabel;
    TextEditor channelField;
    SelectionBox modeBox;
    SelectionBox abletonBox;
    TextEditor numberField;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(LEDEditor)
};
