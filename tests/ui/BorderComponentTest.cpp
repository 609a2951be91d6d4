// Pins the bordered frame: its size from the content, the content's place, and face, outline and shadow.
#include "ui/BorderComponent.h"

#include "support/Pixels.h"
#include "ui/Palette.h"

#include <gtest/gtest.h>

using Pixels::at;

TEST(BorderComponent, SizesItselfOnceFromTheContentAndDrawsFaceOutlineAndShadow)
{
    juce::Component content;
    content.setSize(141, 91);
    BorderComponent border(&content);
    EXPECT_EQ(border.getBounds(), juce::Rectangle<int>(0, 0, 150, 105));
    EXPECT_EQ(content.getParentComponent(), &border);
    EXPECT_EQ(content.getBounds(), juce::Rectangle<int>(2, 7, 141, 91));

    // The face runs from 0.5 to 146.5 across and 101.5 down; the shadow from 2.5 to 148.5 and 103.5.
    const auto image = Pixels::snapshot(border);
    EXPECT_TRUE(Pixels::near(at(image, 0, 50), Palette::darkGrey));
    for (const auto& [x, y] : {std::pair{1, 50}, {75, 1}, {145, 50}, {75, 100}})
        EXPECT_EQ(at(image, x, y), Palette::lightGrey);
    EXPECT_EQ(at(image, 147, 50), Palette::darkGrey);
    EXPECT_EQ(at(image, 75, 102), Palette::darkGrey);
    EXPECT_NEAR(at(image, 148, 50).getAlpha(), 128, 2);
    EXPECT_NEAR(at(image, 75, 103).getAlpha(), 128, 2);
    EXPECT_EQ(at(image, 149, 50).getAlpha(), 0);
    EXPECT_EQ(at(image, 148, 1).getAlpha(), 0); // no shadow above the face

    content.setBounds(30, 40, 50, 60);
    EXPECT_EQ(border.getBounds(), juce::Rectangle<int>(0, 0, 150, 105));
    EXPECT_EQ(content.getPosition(), juce::Point<int>(30, 40));
    border.setSize(160, 110);
    EXPECT_EQ(content.getBounds(), juce::Rectangle<int>(2, 7, 50, 60));
}
