#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The settings editors' text field: JUCE's text editor in the editor font. Where JUCE posts a field's
// change, Return and focus-lost callbacks, this field makes them to its one listener at once, as part
// of the key, click or focus change: a key typed ahead then finds every earlier key handled.
// It leaves the command keys to the window, a key that its input filter refuses changes nothing, and
// a paste goes in whole or not at all.
class TextEditor : public juce::TextEditor
{
public:
    TextEditor();

    // Replaces the listener; null for none. JUCE's own listener list stays empty, so nothing is posted.
    void setListener(juce::TextEditor::Listener* newListener) noexcept { listener = newListener; }

    bool keyPressed(const juce::KeyPress& key) override;
    void insertTextAtCaret(const juce::String& text) override;
    void performPopupMenuAction(int menuItemID) override;
    void focusLost(FocusChangeType cause) override;

protected:
    void returnPressed() override;

private:
    using Callback = void (juce::TextEditor::Listener::*)(juce::TextEditor&);

    // Runs an edit of JUCE's, then tells the listener of the change it made and of a Return it met, in
    // that order; an edit inside another is told with the outer one.
    template <typename Edit> bool reportingEdit(Edit&& edit);
    void tell(Callback callback);

    juce::TextEditor::Listener* listener = nullptr;
    bool editing = false;
    // Set by what happened during the edit being run.
    bool inserted = false;
    bool returned = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(TextEditor)
};
