// Pins the headed container: header line and title tab, and the content's place and size with and
// without the size-to-content and fill flags.
#include "ui/HeadedContainer.h"

#include "support/Pixels.h"
#include "support/ScopedCustomLookAndFeel.h"
#include "ui/Palette.h"

#include <gtest/gtest.h>

using Pixels::at;

namespace
{
bool isPinkish(juce::Colour c)
{
    return c.getAlpha() == 255 && c.getRed() > c.getGreen() + 60;
}
} // namespace

TEST(HeadedContainer, SizedToItsContentShowsItBelowTheHeaderAtItsOwnSize)
{
    juce::Component content;
    content.setSize(200, 100);
    HeadedContainer container("MIDI PORTS", &content, false, true);

    EXPECT_EQ(container.getWidth(), 200);
    EXPECT_EQ(container.getHeight(), 124);
    EXPECT_EQ(content.getBounds(), juce::Rectangle<int>(0, 24, 200, 100));

    container.setSize(300, 300);
    EXPECT_EQ(content.getBounds(), juce::Rectangle<int>(0, 24, 200, 100));
}

TEST(HeadedContainer, FillingStretchesTheContentBelowTheHeaderOnEveryResize)
{
    juce::Component content;
    content.setSize(10, 10);
    HeadedContainer container("MACHINE", &content, true, false);
    EXPECT_EQ(container.getWidth(), 0);

    container.setSize(288, 140);
    EXPECT_EQ(content.getBounds(), juce::Rectangle<int>(0, 24, 288, 116));
    container.setSize(188, 90);
    EXPECT_EQ(content.getBounds(), juce::Rectangle<int>(0, 24, 188, 66));
}

TEST(HeadedContainer, DrawsALineAcrossAndATitleTabAtTheRight)
{
    ScopedCustomLookAndFeel lookAndFeel;
    HeadedContainer container("COMPUTER", nullptr, false, true);
    EXPECT_EQ(container.getNumChildComponents(), 0);
    EXPECT_EQ(container.getWidth(), 0);
    container.setSize(300, 60);

    const auto image = Pixels::snapshot(container);
    for (const auto x : {0, 150, 219, 299})
    {
        EXPECT_EQ(at(image, x, 14), Palette::darkGrey) << x;
        EXPECT_EQ(at(image, x, 15).getAlpha(), 0) << x;
    }
    EXPECT_EQ(at(image, 0, 13).getAlpha(), 0);
    EXPECT_EQ(at(image, 219, 0).getAlpha(), 0);
    EXPECT_EQ(at(image, 220, 0), Palette::darkGrey);
    EXPECT_EQ(at(image, 299, 0), Palette::darkGrey);
    EXPECT_EQ(at(image, 220, 13), Palette::darkGrey);

    const auto title = Pixels::bounds(image, isPinkish);
    ASSERT_FALSE(title.isEmpty());
    EXPECT_TRUE(juce::Rectangle<int>(220, 2, 80, 13).contains(title));
    EXPECT_NEAR(title.getCentreX(), 260, 1);
    EXPECT_EQ(Pixels::count(image, {0, 16, 300, 44}, [](juce::Colour c) { return c.getAlpha() > 0; }), 0);
}

TEST(HeadedContainer, NarrowerThanTheTabStillDrawsItFromEightyLeftOfTheRightEdge)
{
    ScopedCustomLookAndFeel lookAndFeel;
    HeadedContainer container("MONITOR", nullptr, true, false);
    container.setSize(50, 30);

    const auto image = Pixels::snapshot(container);
    EXPECT_EQ(at(image, 0, 0), Palette::darkGrey);
    EXPECT_EQ(at(image, 49, 14), Palette::darkGrey);
    // The title is centred on x = 10 and cut off at the left edge.
    const auto title = Pixels::bounds(image, isPinkish);
    ASSERT_FALSE(title.isEmpty());
    EXPECT_EQ(title.getX(), 0);
    EXPECT_LT(title.getRight(), 40);
}
