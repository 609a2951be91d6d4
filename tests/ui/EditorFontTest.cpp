// Pins the editor font: height 11, plain, the default sans-serif name, a fresh copy on every call.
#include "ui/EditorFont.h"

#include <gtest/gtest.h>

TEST(EditorFont, EveryCallGivesAnIndependentPlainElevenPixelFont)
{
    auto first = getEditorFont();
    EXPECT_EQ(first, juce::Font(juce::Font::getDefaultSansSerifFontName(), 11.0f, juce::Font::plain));
    first.setBold(true);
    first.setHeight(20.0f);
    EXPECT_EQ(getEditorFont(),
              juce::Font(juce::Font::getDefaultSansSerifFontName(), 11.0f, juce::Font::plain));
}
