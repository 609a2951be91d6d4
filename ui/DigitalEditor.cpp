#include "ui/DigitalEditor.h"

namespace
{
const juce::String channelName{"MIDI_CHANNEL"};
const juce::String modeName{"MODE"};
const juce::String toggleName{"TOGGLE"};
const juce::String numberName{"NUMBER"};
const juce::String onName{"ON_VALUE"};
const juce::String offName{"OFF_VALUE"};

// The box lists notes first, while the record's mode 1 means notes.
constexpr int noteMode = 1;
constexpr int controllerMode = 0;
} // namespace

DigitalEditor::DigitalEditor() : SettingsEditorFrame(&ControlLayout::findDigital, true)
{
    addTextRow(channelLabel, "MIDI CHANNEL", true, channelField, channelName, 2);
    addSelectionRow(modeLabel, "MESSAGE TYPE", modeBox, modeName, {"NOTE", "CC"});
    addSelectionRow(toggleLabel, "TOGGLE", toggleBox, toggleName, {"OFF", "ON"});
    addTextRow(numberLabel, "CONTROL ID", true, numberField, numberName, 3);
    addTextRow(onLabel, "ON VALUE", true, onField, onName, 3);
    addTextRow(offLabel, "OFF VALUE", true, offField, offName, 3);
    addRowsToForm();
}

void DigitalEditor::modelChanged()
{
    if (record == nullptr)
        return;

    showValue(channelField, record->getChannel());
    modeBox.setSelectedIndex(record->getMode() == noteMode ? 0 : 1);
    toggleBox.setSelectedIndex(record->isToggle() ? 1 : 0);
    showValue(numberField, record->getNumber());
    showValue(onField, record->getOn());
    showValue(offField, record->getOff());
}

void DigitalEditor::textEditorTextChanged(juce::TextEditor& field)
{
    const auto name = field.getName();
    const auto isChannel = name == channelName;
    const auto value = isChannel ? clampedValue(field, lowestChannel, highestChannel)
                                 : clampedValue(field, 0, highestDataByte);

    if (record != nullptr)
    {
        if (isChannel)
            record->setChannel(value);
        else if (name == numberName)
            record->setNumber(value);
        else if (name == onName)
            record->setOn(value);
        else if (name == offName)
            record->setOff(value);
    }

    showValue(field, value);
}

void DigitalEditor::selectionChanged(SelectionBox* box, int index)
{
    if (record == nullptr)
        return;

    if (box->getName() == modeName)
        record->setMode(index == 0 ? noteMode : controllerMode);
    else if (box->getName() == toggleName)
        record->setToggle(index != 0);
}
