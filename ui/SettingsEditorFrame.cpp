#include "ui/SettingsEditorFrame.h"

#include "model/ModelAnalog.h"
#include "model/ModelDigital.h"
#include "model/ModelLED.h"
#include "ui/DialogComponent.h"
#include "ui/EditorFont.h"
#include "ui/Palette.h"

namespace
{
constexpr int labelX = 6;
constexpr int labelWidth = 100;
constexpr int widgetX = labelX + labelWidth;
constexpr int widgetWidth = 35;
constexpr int formWidth = widgetX + widgetWidth;

const juce::String channelName{"MIDI_CHANNEL"};
constexpr int channelCharacters = 2;
constexpr int lowestChannel = 1;
constexpr int highestChannel = 16;
constexpr int highestDataByte = 127;
const juce::String modeName{"MODE"};

int fontHeight()
{
    return (int) getEditorFont().getHeight();
}
} // namespace

template <typename Record>
SettingsEditorFrame<Record>::SettingsEditorFrame(Lookup lookupToUse, bool focusOnSet)
    : lookup(lookupToUse), takesFocus(focusOnSet)
{
}

template <typename Record> SettingsEditorFrame<Record>::~SettingsEditorFrame()
{
    detach();
}

template <typename Record>
void SettingsEditorFrame<Record>::addTextRow(juce::Label& label, const juce::String& caption,
                                             bool attachLabel, TextEditor& field, const juce::String& name,
                                             int maxCharacters)
{
    rows.push_back({&label, caption, attachLabel, &field, name, &field, nullptr, maxCharacters, {}});
}

template <typename Record>
void SettingsEditorFrame<Record>::addSelectionRow(juce::Label& label, const juce::String& caption,
                                                  SelectionBox& box, const juce::String& name,
                                                  const juce::StringArray& items)
{
    rows.push_back({&label, caption, false, &box, name, nullptr, &box, 0, items});
}

template <typename Record>
void SettingsEditorFrame<Record>::addChannelRow(juce::Label& label, bool attachLabel, TextEditor& field)
{
    addTextRow(label, "MIDI CHANNEL", attachLabel, field, channelName, channelCharacters);
}

template <typename Record> void SettingsEditorFrame<Record>::addModeRow(juce::Label& label, SelectionBox& box)
{
    addSelectionRow(label, "MESSAGE TYPE", box, modeName, {"NOTE", "CC"});
}

template <typename Record> void SettingsEditorFrame<Record>::addRowsToForm()
{
    addAndMakeVisible(title);
    for (const auto& row : rows)
        addAndMakeVisible(row.label);
    for (const auto& row : rows)
        addAndMakeVisible(row.widget);

    title.setColour(juce::Label::textColourId, Palette::pink);
    title.setText("TITLE HERE", juce::dontSendNotification);

    for (const auto& row : rows)
    {
        row.widget->setName(row.name);
        if (row.field != nullptr)
        {
            row.field->setEscapeAndReturnKeysConsumed(true);
            row.field->setSelectAllWhenFocused(true);
            row.field->setInputRestrictions(row.maxCharacters, "0123456789");
            row.field->setListener(this);
        }
        else
        {
            for (const auto& item : row.items)
                row.box->addItem(item);
            row.box->setListener(this);
        }

        row.label->setText(row.caption, juce::dontSendNotification);
        if (row.attachLabel)
            row.label->attachToComponent(row.widget, true);
        else
            row.label->setJustificationType(juce::Justification::centredLeft);
    }

    resized();
    setSize(preferredWidth, preferredHeight);
}

template <typename Record> bool SettingsEditorFrame<Record>::isChannelField(const juce::TextEditor& field)
{
    return field.getName() == channelName;
}

template <typename Record> bool SettingsEditorFrame<Record>::isModeBox(const SelectionBox& box)
{
    return box.getName() == modeName;
}

template <typename Record> bool SettingsEditorFrame<Record>::isPartial(const juce::TextEditor& field)
{
    return field.isEmpty() || (isChannelField(field) && valueOf(field) < lowestChannel);
}

template <typename Record> int SettingsEditorFrame<Record>::clampedValue(const juce::TextEditor& field)
{
    return isChannelField(field) ? juce::jlimit(lowestChannel, highestChannel, valueOf(field))
                                 : juce::jlimit(0, highestDataByte, valueOf(field));
}

template <typename Record> void SettingsEditorFrame<Record>::showValue(juce::TextEditor& field, int value)
{
    const auto text = juce::String(value);
    const auto wholeTextSelected =
        !field.isEmpty() && field.getHighlightedRegion().getLength() == field.getTotalNumChars();
    const auto selectText =
        field.hasKeyboardFocus(false) && field.getText() != text && (!storing || wholeTextSelected);

    field.setText(text, false);

    // The toolkit tells the field's text value of the new text by a posted update, and when that update
    // arrives the field takes the value's text back: digits typed in between (a key pressed at once
    // after a click, or queued behind a write-back) would be lost. Delivered now, while value and field
    // agree, the update also cancels the posted one.
    field.getTextValue().getValueSource().sendChangeMessage(true);

    if (selectText)
        selectWholeText(field);
}

template <typename Record> void SettingsEditorFrame<Record>::selectWholeText(juce::TextEditor& field)
{
    // JUCE's selectAll leaves the caret at the start, where a key that only drops the selection (Escape,
    // Right) would put the next digit in front of the number.
    field.setCaretPosition(0);
    field.moveCaretToEnd(true);
}

template <typename Record> void SettingsEditorFrame<Record>::textEditorTextChanged(juce::TextEditor& field)
{
    // Written back at once, an emptied field or a channel's leading 0 would become the lowest value
    // under the typist's next digit.
    if (!isPartial(field))
        storeAndShow(field, clampedValue(field));
}

template <typename Record> void SettingsEditorFrame<Record>::storeAndShow(juce::TextEditor& field, int value)
{
    const juce::ScopedValueSetter<bool> ownEntry(storing, true);
    if (record != nullptr)
    {
        if (isChannelField(field))
            record->setChannel(value);
        else
            storeValue(field, value);
    }

    showValue(field, value);
}

template <typename Record> void SettingsEditorFrame<Record>::settleField(juce::TextEditor& field)
{
    if (isPartial(field))
        storeAndShow(field, clampedValue(field));
}

template <typename Record> void SettingsEditorFrame<Record>::settle()
{
    for (const auto& row : rows)
        if (row.field != nullptr && row.field->hasKeyboardFocus(false))
            settleField(*row.field);
}

template <typename Record> void SettingsEditorFrame<Record>::setControl(int id, Record* newRecord)
{
    settle();
    detach();
    record = newRecord;
    if (record == nullptr)
        return;

    if (const auto* info = (ControlLayout::getInstance().*lookup)(id))
        title.setText(info->getName().toUpperCase(), juce::dontSendNotification);

    modelChanged();

    if (takesFocus)
    {
        auto& field = firstField();
        // Off screen nothing can take the focus, and the toolkit asserts on the attempt; under a dialog
        // a key pressed before the dialog took the focus back would reach the field.
        if (isShowing() && DialogComponent::findCovering(*this) == nullptr)
        {
            grabKeyboardFocus();
            field.grabKeyboardFocus();
        }
        selectWholeText(field);
    }

    record->setListener(this);
}

template <typename Record> void SettingsEditorFrame<Record>::detach()
{
    if (record != nullptr)
        record->setListener(nullptr);
    record = nullptr;
}

template <typename Record> void SettingsEditorFrame<Record>::resized()
{
    const auto h = fontHeight();
    const auto rowStep = h + 3;

    title.setBounds(0, 0, getWidth(), h);

    auto top = h + 10;
    for (const auto& row : rows)
    {
        row.label->setBounds(labelX, top + 2, labelWidth, h);
        row.widget->setBounds(widgetX, top, widgetWidth, h + 2);
        top += rowStep;
    }

    preferredWidth = formWidth;
    preferredHeight = top;
}

template <typename Record>
void SettingsEditorFrame<Record>::textEditorReturnKeyPressed(juce::TextEditor& field)
{
    focusNextRow(field);
}

template <typename Record> void SettingsEditorFrame<Record>::selectionActivated(SelectionBox* box)
{
    focusNextRow(*box);
}

template <typename Record> void SettingsEditorFrame<Record>::focusNextRow(const juce::Component& widget)
{
    for (size_t i = 0; i < rows.size(); ++i)
    {
        if (rows[i].widget == &widget)
        {
            rows[(i + 1) % rows.size()].widget->grabKeyboardFocus();
            return;
        }
    }
}

template <typename Record> void SettingsEditorFrame<Record>::focusOfChildComponentChanged(FocusChangeType)
{
    // A window that becomes active again gives the focus straight back to the field that last held it,
    // also beneath a dialog shown meanwhile, and tells the dialog only by a posted callback: it takes
    // the focus here, before a key can reach the field.
    if (hasKeyboardFocus(true))
        if (auto* dialog = DialogComponent::findCovering(*this))
            dialog->holdFocus();
}

template <typename Record> void SettingsEditorFrame<Record>::textEditorFocusLost(juce::TextEditor& field)
{
    settleField(field);
    field.setHighlightedRegion({0, 0});
}

template class SettingsEditorFrame<ModelAnalog>;
template class SettingsEditorFrame<ModelDigital>;
template class SettingsEditorFrame<ModelLED>;
