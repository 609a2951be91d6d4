#pragma once

#include "model/ModelListener.h"
#include "ui/ControlLayout.h"
#include "ui/SelectionBox.h"
#include "ui/SelectionListener.h"
#include "ui/TextEditor.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <vector>

// What the three settings forms share: the control's name in pink above rows of a caption and a text
// field or selection box; attachment to one record, whose every change reloads the whole form; Return
// walking the rows and wrapping round; leaving a field settling its entry and clearing its selection.
// A form adds its rows in its constructor, then calls addRowsToForm. Instantiated for ModelAnalog,
// ModelDigital and ModelLED.
//
// The fields tell the form of each edit at once, and a record its listener at once inside the setter,
// so every key is handled completely before the next. A value written back into a field tells no one.
template <typename Record>
class SettingsEditorFrame : public juce::Component,
                            public juce::TextEditor::Listener,
                            public ModelListener,
                            public SelectionListener
{
public:
    // Moves the attachment to the new record, which may be null: the form then keeps its title and
    // values and stops following any record. The id names the control in the control layout.
    void setControl(int id, Record* newRecord);

    Record* getRecord() const noexcept { return record; }

    // Settles what is being typed in the form's focused field, as leaving the field would, and leaves
    // the focus where it is: run before anything reads or replaces the records.
    void settle();

    void resized() override;
    // Nothing beneath a dialog keeps the focus.
    void focusOfChildComponentChanged(FocusChangeType cause) override;
    // Stores the field's clamped number in the attached record, if any, and shows it in the field; an
    // entry below the row's range waits until the field is left.
    void textEditorTextChanged(juce::TextEditor& field) override;
    void textEditorReturnKeyPressed(juce::TextEditor& field) override;
    // Settles the field's entry, then clears its selection.
    void textEditorFocusLost(juce::TextEditor& field) override;
    void selectionActivated(SelectionBox* box) override;

protected:
    using Lookup = const ControlInfo* (ControlLayout::*) (int) const;

    // The lookup finds the control's name by id; only forms that take the focus select their first
    // field's text when a control is set.
    SettingsEditorFrame(Lookup lookup, bool takesFocus);
    ~SettingsEditorFrame() override;

    // An attached caption follows its field on the left; the others are aligned centred-left.
    void addTextRow(juce::Label& label, const juce::String& caption, bool attachLabel, TextEditor& field,
                    const juce::String& name, int maxCharacters);
    void addSelectionRow(juce::Label& label, const juce::String& caption, SelectionBox& box,
                         const juce::String& name, const juce::StringArray& items);
    // The rows that several forms share: MIDI CHANNEL, and MESSAGE TYPE with notes listed first.
    void addChannelRow(juce::Label& label, bool attachLabel, TextEditor& field);
    void addModeRow(juce::Label& label, SelectionBox& box);
    void addRowsToForm();

    // Stores the clamped number of a field other than MIDI CHANNEL; called only with a record attached.
    virtual void storeValue(const juce::TextEditor& field, int value) = 0;
    // What leaving a field does to its entry: one below the row's range (empty, or a channel of 0) is
    // clamped, stored and shown.
    virtual void settleField(juce::TextEditor& field);

    // Stores the number in the attached record, if any, and shows it in the field.
    void storeAndShow(juce::TextEditor& field, int value);

    static bool isModeBox(const SelectionBox& box);

    static int valueOf(const juce::TextEditor& field) { return field.getText().getIntValue(); }
    // The field's number clamped to its row's range: a MIDI channel in the MIDI CHANNEL field, a data
    // byte in every other.
    static int clampedValue(const juce::TextEditor& field);
    // Shows a number that the record holds or is about to hold. Sent without a change message: the
    // handlers would take it for the user's typing. In a focused field a number that the user did not
    // type, such as a report's, is selected whole, so that the next digit replaces it; one written back
    // for what the user typed keeps the caret after it, unless it replaced a whole selected text.
    void showValue(juce::TextEditor& field, int value);
    // As entering the field does: the caret after the selected text.
    static void selectWholeText(juce::TextEditor& field);

    // A record's mode 1 means notes, 0 controllers; the MESSAGE TYPE box lists notes first.
    static int modeBoxIndex(int mode) { return mode == noteMode ? 0 : 1; }
    static int modeOfBoxIndex(int index) { return index == 0 ? noteMode : controllerMode; }

    Record* record = nullptr;

private:
    static constexpr int noteMode = 1;
    static constexpr int controllerMode = 0;

    static bool isChannelField(const juce::TextEditor& field);
    // Empty, or below the row's range: the start of a number still being typed.
    static bool isPartial(const juce::TextEditor& field);

    struct Row
    {
        juce::Label* label;
        juce::String caption;
        bool attachLabel;
        juce::Component* widget;
        juce::String name;
        TextEditor* field;
        SelectionBox* box;
        int maxCharacters;
        juce::StringArray items;
    };

    void detach();
    void focusNextRow(const juce::Component& widget);
    TextEditor& firstField() const { return *rows.front().field; }

    int preferredWidth = 0;
    int preferredHeight = 0;
    juce::Label title;
    Lookup lookup;
    bool takesFocus;
    std::vector<Row> rows;
    // True while the form stores and shows what the user typed.
    bool storing = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(SettingsEditorFrame)
};
