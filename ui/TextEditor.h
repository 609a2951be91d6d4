#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <optional>

// The settings editors' text field: JUCE's text editor in the editor font. Where JUCE posts a field's
// change, Return and focus-lost callbacks, this field makes them to its one listener at once, as part
// of the key, click or focus change: a key typed ahead then finds every earlier key handled.
// It leaves the command keys to the window, a key that its input filter refuses changes nothing, and
// a paste goes in whole or not at all. Its own menu acts on what the field showed when the menu opened,
// and the field is left only once the menu is done.
class TextEditor : public juce::TextEditor
{
public:
    TextEditor();

    // Replaces the listener; null for none. JUCE's own listener list stays empty, so nothing is posted.
    void setListener(juce::TextEditor::Listener* newListener) noexcept { listener = newListener; }

    bool keyPressed(const juce::KeyPress& key) override;
    void insertTextAtCaret(const juce::String& text) override;
    void mouseDown(const juce::MouseEvent& event) override;
    void addPopupMenuItems(juce::PopupMenu& menu, const juce::MouseEvent* event) override;
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

    // The menu's window takes the keyboard focus from the field when it opens or is clicked, and the
    // field then loses its selection; what the field showed is kept for the item chosen, and its leaving
    // waits until the menu is done.
    struct MenuSession
    {
        juce::Range<int> selection;
        int caret = 0;
        bool closed = false;
        bool acted = false;
        bool left = false;
    };

    void menuClosed(int result);
    void endMenuSession();

    juce::TextEditor::Listener* listener = nullptr;
    std::optional<MenuSession> menuSession;
    // Tells one menu's end from a later one's.
    int menusOpened = 0;
    bool editing = false;
    // Set by what happened during the edit being run.
    bool inserted = false;
    bool returned = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(TextEditor)
};
