#include "ui/LEDEditor.h"

namespace
{
const juce::String abletonName{"ABLETON"};
const juce::String numberName{"NUMBER"};
} // namespace

LEDEditor::LEDEditor() : SettingsEditorFrame(&ControlLayout::findLED, false)
{
    addChannelRow(channelLabel, true, channelField);
    addModeRow(modeLabel, modeBox);
    addSelectionRow(abletonLabel, "ABLETON MODE", abletonBox, abletonName, {"OFF", "ON"});
    addTextRow(numberLabel, "CONTROL ID", true, numberField, numberName, 3);
    addRowsToForm();
}

void LEDEditor::modelChanged()
{
    if (record == nullptr)
        return;

    showValue(channelField, record->getChannel());
    modeBox.setSelectedIndex(modeBoxIndex(record->getMode()));
    abletonBox.setSelectedIndex(record->isAbleton() ? 1 : 0);
    showValue(numberField, record->getNumber());
}

void LEDEditor::storeValue(const juce::TextEditor&, int value)
{
    record->setNumber(value);
}

void LEDEditor::selectionChanged(SelectionBox* box, int index)
{
    if (record == nullptr)
        return;

    if (isModeBox(*box))
        record->setMode(modeOfBoxIndex(index));
    else if (box->getName() == abletonName)
        record->setAbleton(index != 0);
}
