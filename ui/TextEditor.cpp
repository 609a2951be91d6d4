#include "ui/TextEditor.h"

#include "ui/CommandManager.h"
#include "ui/EditorFont.h"

#include <utility>

TextEditor::TextEditor() : juce::TextEditor(juce::String(), 0)
{
    setFont(getEditorFont());
}

bool TextEditor::keyPressed(const juce::KeyPress& key)
{
    // JUCE's field would take Ctrl+V as Paste; declined here, the key travels up to the window, which
    // performs its command, or nothing while the command is inactive.
    if (isCommandKey(key))
        return false;
    return reportingEdit([&] { return juce::TextEditor::keyPressed(key); });
}

void TextEditor::insertTextAtCaret(const juce::String& text)
{
    // JUCE removes the selection also when its filter refuses what is typed, so a refused key would empty
    // the field; and it keeps whatever the filter lets through of a paste, its characters and its length,
    // which makes "-5", "4.5" or "1000" a number nobody typed. An entry goes in whole, blanks around it
    // aside, or not at all. Cut and Delete insert nothing on purpose and still remove the selection.
    auto entry = text;
    if (auto* filter = getInputFilter(); filter != nullptr && text.isNotEmpty())
    {
        entry = text.trim();
        if (entry.isEmpty() || filter->filterNewText(*this, entry) != entry)
            return;
    }

    reportingEdit(
        [&]
        {
            juce::TextEditor::insertTextAtCaret(entry);
            // JUCE reports every insertion, also one that leaves the text as it was.
            inserted = true;
            return true;
        });
}

void TextEditor::mouseDown(const juce::MouseEvent& event)
{
    const auto menusBefore = menusOpened;
    juce::TextEditor::mouseDown(event);
    if (menusOpened == menusBefore)
        return;

    // The menu has just become the topmost modal component. Its end is told to this field before the
    // item chosen is carried out, and for a menu dismissed as well.
    auto& modal = *juce::ModalComponentManager::getInstance();
    if (auto* menuWindow = modal.getModalComponent(0))
        modal.attachCallback(menuWindow,
                             juce::ModalCallbackFunction::create(
                                 [field = SafePointer<TextEditor>(this), menu = menusOpened](int result)
                                 {
                                     if (field != nullptr && field->menusOpened == menu)
                                         field->menuClosed(result);
                                 }));
    else
        menuSession.reset();
}

void TextEditor::addPopupMenuItems(juce::PopupMenu& menu, const juce::MouseEvent* event)
{
    juce::TextEditor::addPopupMenuItems(menu, event);
    ++menusOpened;
    menuSession = MenuSession{getHighlightedRegion(), getCaretPosition()};
}

void TextEditor::performPopupMenuAction(int menuItemID)
{
    if (menuSession)
    {
        if (menuSession->selection.isEmpty())
            setCaretPosition(menuSession->caret);
        else
            setHighlightedRegion(menuSession->selection);
    }

    const SafePointer<TextEditor> alive(this);
    reportingEdit(
        [&]
        {
            juce::TextEditor::performPopupMenuAction(menuItemID);
            return true;
        });

    if (alive != nullptr && menuSession)
    {
        menuSession->acted = true;
        if (menuSession->closed)
            endMenuSession();
    }
}

void TextEditor::menuClosed(int result)
{
    menuSession->closed = true;
    // A chosen item is carried out after this.
    if (result == 0 || menuSession->acted)
        endMenuSession();
}

void TextEditor::endMenuSession()
{
    const auto left = menuSession->left;
    menuSession.reset();
    if (!left || hasKeyboardFocus(false))
        return;

    // As after any menu, the focus goes back to the field, unless another component or program has
    // taken it meanwhile; otherwise the field is left now. A dialog shown above the field meanwhile
    // takes the focus on from it, which leaves the field as usual.
    if (juce::Component::getCurrentlyFocusedComponent() == nullptr && juce::Process::isForegroundProcess() &&
        isShowing())
    {
        grabKeyboardFocus();
        if (juce::Component::getCurrentlyFocusedComponent() != nullptr)
            return;
    }
    tell(&juce::TextEditor::Listener::textEditorFocusLost);
}

void TextEditor::focusLost(FocusChangeType cause)
{
    juce::TextEditor::focusLost(cause);
    if (menuSession)
        menuSession->left = true;
    else
        tell(&juce::TextEditor::Listener::textEditorFocusLost);
}

void TextEditor::returnPressed()
{
    returned = true;
}

template <typename Edit> bool TextEditor::reportingEdit(Edit&& edit)
{
    if (editing)
        return edit();

    // Undo and Redo change the text without an insertion.
    const auto before = getText();
    editing = true;
    const auto used = edit();
    editing = false;

    // The listener may delete this field: what is left to tell is read before it is told anything.
    const auto changed = std::exchange(inserted, false) || getText() != before;
    const auto returnedNow = std::exchange(returned, false);
    const SafePointer<TextEditor> alive(this);
    if (changed)
        tell(&juce::TextEditor::Listener::textEditorTextChanged);
    if (returnedNow && alive != nullptr)
        tell(&juce::TextEditor::Listener::textEditorReturnKeyPressed);
    return used;
}

void TextEditor::tell(Callback callback)
{
    if (listener != nullptr)
        (listener->*callback)(*this);
}
