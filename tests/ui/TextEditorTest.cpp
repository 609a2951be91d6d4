// Pins the settings editors' text field: JUCE's text editor in the editor font and typeface, and
// a listener that deletes it from inside a report.
#include "ui/TextEditor.h"

#include "support/ScopedCustomLookAndFeel.h"
#include "ui/EditorFont.h"

#include <gtest/gtest.h>

TEST(TextEditor, UsesTheEditorFontInTheEmbeddedTypeface)
{
    ScopedCustomLookAndFeel lookAndFeel;
    TextEditor field;
    EXPECT_EQ(field.getName(), "");
    EXPECT_EQ(field.getPasswordCharacter(), 0u);
    EXPECT_EQ(field.getFont(), getEditorFont());
    EXPECT_EQ(field.getFont().getTypefacePtr(), lookAndFeel.get().getTypefaceForFont(getEditorFont()));
}

TEST(TextEditor, ItsListenerMayDeleteItInsideAReport)
{
    // As a form torn down by an edit would, the listener deletes the field inside the first report.
    struct : juce::TextEditor::Listener
    {
        void textEditorTextChanged(juce::TextEditor&) override { field.reset(); }
        void textEditorReturnKeyPressed(juce::TextEditor&) override { field.reset(); }
        std::unique_ptr<TextEditor> field;
    } listener;
    ScopedCustomLookAndFeel lookAndFeel;
    for (const auto& key : {juce::KeyPress('1', {}, '1'), juce::KeyPress(juce::KeyPress::returnKey)})
    {
        listener.field = std::make_unique<TextEditor>();
        listener.field->setListener(&listener);
        EXPECT_TRUE(listener.field->keyPressed(key));
        EXPECT_EQ(listener.field, nullptr);
    }
}
