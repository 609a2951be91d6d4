#include "ui/AnalogEditor.h"

#include <utility>

namespace
{
const juce::String numberName{"INDEX"};
const juce::String minName{"MIN_VALUE"};
const juce::String maxName{"MAX_VALUE"};
} // namespace

AnalogEditor::AnalogEditor() : SettingsEditorFrame(&ControlLayout::findAnalog, true)
{
    addChannelRow(channelLabel, false, channelField);
    addTextRow(numberLabel, "CONTROL ID", false, numberField, numberName, 3);
    addTextRow(minLabel, "RANGE MIN", false, minField, minName, 3);
    addTextRow(maxLabel, "RANGE MAX", false, maxField, maxName, 3);
    addSelectionRow(invertLabel, "RANGE INVERT", invertBox, {}, {"OFF", "ON"});
    addRowsToForm();
}

void AnalogEditor::modelChanged()
{
    if (record == nullptr)
        return;

    // A reload shows the record as it now is: a report from the device wins over a typed value that
    // was held back. The form's own stores never reload while a value is held.
    heldField = nullptr;

    showValue(channelField, record->getChannel());
    showValue(numberField, record->getNumber());
    showValue(minField, record->getMin());
    showValue(maxField, record->getMax());
    invertBox.setSelectedIndex(record->isInverted() ? 1 : 0);
}

void AnalogEditor::textEditorTextChanged(juce::TextEditor& field)
{
    if (&field == &minField || &field == &maxField)
    {
        heldValue = clampedValue(field);
        heldField = !field.isEmpty() && crossesOtherEnd(field, heldValue) ? &field : nullptr;
    }

    SettingsEditorFrame::textEditorTextChanged(field);
}

bool AnalogEditor::crossesOtherEnd(const juce::TextEditor& field, int value) const
{
    return &field == &minField ? value > valueOf(maxField) : value < valueOf(minField);
}

void AnalogEditor::storeValue(const juce::TextEditor& field, int value)
{
    if (field.getName() == numberName)
        record->setNumber(value);
    else if (&field == heldField)
        return;
    else if (&field == &minField)
        record->setMin(value);
    else if (&field == &maxField)
        record->setMax(value);
}

void AnalogEditor::settleField(juce::TextEditor& field)
{
    if (field.isEmpty())
        modelChanged();
    else if (const auto* held = std::exchange(heldField, nullptr); held == &field)
        storeRange(held == &minField ? maxField : minField, heldValue);
    else
        SettingsEditorFrame::settleField(field);
}

void AnalogEditor::storeRange(TextEditor& otherEnd, int value)
{
    showValue(otherEnd, value);

    // Each setter notifies on its own, so a minimum raised past the old maximum is reported once with
    // the range reversed before both ends are equal.
    if (record != nullptr)
    {
        record->setMin(value);
        record->setMax(value);
    }
}

void AnalogEditor::selectionChanged(SelectionBox*, int index)
{
    if (record != nullptr)
        record->setInverted(index != 0);
}
