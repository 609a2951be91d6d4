// Pins the editor font: height 11, plain, the default sans-serif name, a fresh copy on every call.
#include "ui/EditorFont.h"

#include <gtest/gtest.h>

TEST(EditorFont, EveryCallGivesAnIndependentPlainElevenPixelFont)
{
    auto first = getEditorFont();
    EXPECT_EQ(first.getHeight(), 11.0f);
    EXPECT_EQ(first.getStyleFlags(), juce::Font::plain);
    EXPECT_EQ(first.getTypefaceName(), juce::Font::getDefaultSansSerifFontName());

    first.setBold(true);
    first.setHeight(20.0f);
    const auto second = getEditorFont();
    EXPECT_EQ(second.getHeight(), 11.0f);
    EXPECT_FALSE(second.isBold());
    EXPECT_EQ(second, getEditorFont());
}
