#include "ui/AnalogEditor.h"

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

    showValue(channelField, record->getChannel());
    showValue(numberField, record->getNumber());
    showValue(minField, record->getMin());
    showValue(maxField, record->getMax());
    invertBox.setSelectedIndex(record->isInverted() ? 1 : 0);
}

void AnalogEditor::textEditorTextChanged(juce::TextEditor& field)
{
    // An emptied field waits for the next digit rather than storing a value.
    if (!field.isEmpty())
        SettingsEditorFrame::textEditorTextChanged(field);
}

void AnalogEditor::storeValue(const juce::TextEditor& field, int value)
{
    const auto name = field.getName();

    if (name == numberName)
        record->setNumber(value);
    else if (name == minName && value <= valueOf(maxField))
        record->setMin(value);
    else if (name == maxName && value >= valueOf(minField))
        record->setMax(value);
}

void AnalogEditor::textEditorFocusLost(juce::TextEditor& field)
{
    const auto name = field.getName();
    const auto value = clampedValue(field);

    if (field.isEmpty())
        modelChanged();
    else if (name == minName && valueOf(maxField) < value && isHeldBack(value, &ModelAnalog::getMin))
        storeRange(maxField, value);
    else if (name == maxName && valueOf(minField) > value && isHeldBack(value, &ModelAnalog::getMax))
        storeRange(minField, value);

    SettingsEditorFrame::textEditorFocusLost(field);
}

bool AnalogEditor::isHeldBack(int value, int (ModelAnalog::*stored)() const) const
{
    // Only a value typed across the other end and held back is pulled together with it. A field that
    // shows what its record holds was not typed across: the record may keep a reversed range of its
    // own, and the toolkit's focus-lost callback can arrive after another control's record has been
    // loaded into the form, when the field shows that record's value.
    return record == nullptr || (record->*stored)() != value;
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
