#pragma once

#include "model/ModelAnalog.h"
#include "ui/SettingsEditorFrame.h"

// The settings of one knob or slider: MIDI channel, controller number, the two ends of the value range
// and the invert flag. A range end typed across the other end is held back while typing; when the field
// is left, by whatever route, the other end is pulled to the same value and both are stored, the
// minimum first.
class AnalogEditor : public SettingsEditorFrame<ModelAnalog>
{
public:
    AnalogEditor();

    void modelChanged() override;
    void textEditorTextChanged(juce::TextEditor& field) override;
    void selectionChanged(SelectionBox* box, int index) override;

private:
    void storeValue(const juce::TextEditor& field, int value) override;
    // An emptied field shows the record's value again; a value held back is stored with the other end
    // pulled to it.
    void settleField(juce::TextEditor& field) override;
    bool crossesOtherEnd(const juce::TextEditor& field, int value) const;
    void storeRange(TextEditor& otherEnd, int value);

    juce::Label channelLabel;
    juce::Label numberLabel;
    juce::Label minLabel;
    juce::Label maxLabel;
    juce::Label invertLabel;
    TextEditor channelField;
    TextEditor numberField;
    TextEditor minField;
    TextEditor maxField;
    SelectionBox invertBox;
    // The range field whose typed value was refused for crossing the other end, and that value.
    const juce::TextEditor* heldField = nullptr;
    int heldValue = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(AnalogEditor)
};
