#include "ui/TextEditor.h"

#include "ui/CommandManager.h"
#include "ui/EditorFont.h"

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
    return juce::TextEditor::keyPressed(key);
}

void TextEditor::insertTextAtCaret(const juce::String& text)
{
    // JUCE removes the selection before it filters what is typed, so a refused key would empty the
    // field. Cut and Delete insert nothing on purpose and still remove the selection.
    if (auto* filter = getInputFilter();
        filter != nullptr && text.isNotEmpty() && filter->filterNewText(*this, text).isEmpty())
        return;
    juce::TextEditor::insertTextAtCaret(text);
}
