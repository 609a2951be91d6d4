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

namespace
{
// Deletes the field from inside the first report it hears, as a form torn down by an edit would.
class DeletingListener final : public juce::TextEditor::Listener
{
public:
    DeletingListener() { field->setListener(this); }

    void textEditorTextChanged(juce::TextEditor&) override { hear("change"); }
    void textEditorReturnKeyPressed(juce::TextEditor&) override { hear("return"); }

    std::unique_ptr<TextEditor> field = std::make_unique<TextEditor>();
    juce::StringArray heard;

private:
    void hear(const juce::String& report)
    {
        heard.add(report);
        field.reset();
    }
};
} // namespace

TEST(TextEditor, ItsListenerMayDeleteItInsideAReport)
{
    ScopedCustomLookAndFeel lookAndFeel;
    for (const auto& [key, report] : {std::pair{juce::KeyPress('1', {}, '1'), "change"},
                                      std::pair{juce::KeyPress(juce::KeyPress::returnKey), "return"}})
    {
        DeletingListener listener;
        EXPECT_TRUE(listener.field->keyPressed(key));
        EXPECT_EQ(listener.field, nullptr);
        EXPECT_EQ(listener.heard, juce::StringArray(report));
    }
}
