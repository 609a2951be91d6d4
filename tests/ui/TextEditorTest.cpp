// Pins the settings editors' text field: JUCE's text editor in the editor font and typeface.
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
