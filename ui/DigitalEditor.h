#pragma once

#include "model/ModelDigital.h"
#include "ui/SettingsEditorFrame.h"

// The settings of one button: MIDI channel, message type, toggle flag, number, and the values sent on
// press and release. Every keystroke stores its clamped value at once; an emptied field counts as the
// lowest value of its range once it is left.
class DigitalEditor : public SettingsEditorFrame<ModelDigital>
{
public:
    DigitalEditor();

    void modelChanged() override;
    void selectionChanged(SelectionBox* box, int index) override;

private:
    void storeValue(const juce::TextEditor& field, int value) override;

    juce::Label channelLabel;
    juce::Label modeLabel;
    juce::Label toggleLabel;
    juce::Label numberLabel;
    juce::Label onLabel;
    juce::Label offLabel;
    TextEditor channelField;
    SelectionBox modeBox;
    SelectionBox toggleBox;
    TextEditor numberField;
    TextEditor onField;
    TextEditor offField;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(DigitalEditor)
};
