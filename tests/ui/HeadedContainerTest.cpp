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

TEST(HeadedContainer, ShowsTheContentBelowTheHeaderAtItsOwnSizeOrFilling)
{
    juce::Component content;
    content.setSize(200, 100);
    HeadedContainer sized("MIDI PORTS", &content, false, true);
    EXPECT_EQ(sized.getBounds(), juce::Rectangle<int>(0, 0, 200, 124));
    EXPECT_EQ(content.getBounds(), juce::Rectangle<int>(0, 24, 200, 100));
    sized.setSize(300, 300);
    EXPECT_EQ(content.getBounds(), juce::Rectangle<int>(0, 24, 200, 100));

    juce::Component filling;
    HeadedContainer column("MACHINE", &filling, true, false);
    EXPECT_EQ(column.getWidth(), 0);
    column.setSize(288, 140);
    EXPECT_EQ(filling.getBounds(), juce::Rectangle<int>(0, 24, 288, 116));
    column.setSize(188, 90);
    EXPECT_EQ(filling.getBounds(), juce::Rectangle<int>(0, 24, 188, 66));
}

TEST(HeadedContainer, DrawsALineAcrossAndAPinkTitleOnADarkTabAtTheRight)
{
    ScopedCustomLookAndFeel lookAndFeel;
    HeadedContainer container("COMPUTER", nullptr, false, true);
    EXPECT_EQ(container.getNumChildComponents(), 0);
    container.setSize(300, 60);

    const auto image = Pixels::snapshot(container);
    for (const auto x : {0, 219, 299})
        EXPECT_EQ(at(image, x, 14), Palette::darkGrey) << x;
    for (const auto& [x, y] : {std::pair{220, 0}, {299, 0}, {220, 13}})
        EXPECT_EQ(at(image, x, y), Palette::darkGrey);
    EXPECT_EQ(at(image, 219, 0).getAlpha(), 0);
    EXPECT_EQ(at(image, 0, 13).getAlpha(), 0);
    EXPECT_EQ(Pixels::count(image, {0, 15, 300, 45}, [](juce::Colour c) { return c.getAlpha() > 0; }), 0);
    const auto title = Pixels::bounds(image, isPinkish);
    EXPECT_TRUE(juce::Rectangle<int>(220, 2, 80, 13).contains(title));
    EXPECT_NEAR(title.getCentreX(), 260, 1);

    // Narrower than the tab: drawn from x = W - 80 all the same, the title centred on x = 10 and cut.
    container.setSize(50, 30);
    const auto narrow = Pixels::snapshot(container);
    EXPECT_EQ(at(narrow, 0, 0), Palette::darkGrey);
    EXPECT_EQ(Pixels::bounds(narrow, isPinkish).getX(), 0);
    EXPECT_LT(Pixels::bounds(narrow, isPinkish).getRight(), 40);
}
