#include "ui/DigitalEditor.h"

namespace
{
const juce::String toggleName{"TOGGLE"};
const juce::String numberName{"NUMBER"};
const juce::String onName{"ON_VALUE"};
const juce::String offName{"OFF_VALUE"};
} // namespace

DigitalEditor::DigitalEditor() : SettingsEditorFrame(&ControlLayout::findDigital, true)
{
    addChannelRow(channelLabel, true, channelField);
    addModeRow(modeLabel, modeBox);
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
    modeBox.setSelectedIndex(modeBoxIndex(record->getMode()));
    toggleBox.setSelectedIndex(record->isToggle() ? 1 : 0);
    showValue(numberField, record->getNumber());
    showValue(onField, record->getOn());
    showValue(offField, record->getOff());
}

void DigitalEditor::storeValue(const juce::TextEditor& field, int value)
{
    const auto name = field.getName();

    if (name == numberName)
        record->setNumber(value);
    else if (name == onName)
        record->setOn(value);
    else if (name == offName)
        record->setOff(value);
}

void DigitalEditor::selectionChanged(SelectionBox* box, int index)
{
    if (record == nullptr)
        return;

    if (isModeBox(*box))
        record->setMode(modeOfBoxIndex(index));
    else if (box->getName() == toggleName)
        record->setToggle(index != 0);
}
