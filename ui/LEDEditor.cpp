#include "ui/LEDEditor.h"

namespace
{
const juce::String channelName{"MIDI_CHANNEL"};
const juce::String modeName{"MODE"};
const juce::String abletonName{"ABLETON"};
const juce::String numberName{"NUMBER"};

// The box lists notes first, while the record's mode 1 means notes.
constexpr int noteMode = 1;
constexpr int controllerMode = 0;
} // namespace

LEDEditor::LEDEditor() : SettingsEditorFrame(&ControlLayout::findLED, false)
{
    addTextRow(channelLabel, "MIDI CHANNEL", true, channelField, channelName, 2);
    addSelectionRow(modeLabel, "MESSAGE TYPE", modeBox, modeName, {"NOTE", "CC"});
    addSelectionRow(abletonLabel, "ABLETON MODE", abletonBox, abletonName, {"OFF", "ON"});
    addTextRow(numberLabel, "CONTROL ID", true, numberField, numberName, 3);
    addRowsToForm();
}

void LEDEditor::modelChanged()
{
    if (record == nullptr)
        return;

    showValue(channelField, record->getChannel());
    modeBox.setSelectedIndex(record->getMode() == noteMode ? 0 : 1);
    abletonBox.setSelectedIndex(record->isAbleton() ? 1 : 0);
    showValue(numberField, record->getNumber());
}

void LEDEditor::textEditorTextChanged(juce::TextEditor& field)
{
    const auto isChannel = field.getName() == channelName;
    const auto value = isChannel ? clampedValue(field, lowestChannel, highestChannel)
                                 : clampedValue(field, 0, highestDataByte);

    if (record != nullptr)
    {
        if (isChannel)
            record->setChannel(value);
        else
            record->setNumber(value);
    }

    showValue(field, value);
}

void LEDEditor::selectionChanged(SelectionBox* box, int index)
{
    if (record == nullptr)
        return;

    if (box->getName() == modeName)
        record->setMode(index == 0 ? noteMode : controllerMode);
    else if (box->getName() == abletonName)
        record->setAbleton(index != 0);
}
