#include "ui/TextEditor.h"

#include "ui/EditorFont.h"

TextEditor::TextEditor() : juce::TextEditor(juce::String(), 0)
{
    setFont(getEditorFont());
}
