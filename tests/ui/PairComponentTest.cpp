// Pins the pair: two components side by side, 2 pixels apart and top-aligned, nothing painted.
#include "ui/PairComponent.h"

#include "support/Pixels.h"

#include <gtest/gtest.h>

TEST(PairComponent, PutsTheTwoSideBySideAndSizesItselfOnce)
{
    juce::Component first;
    juce::Component second;
    first.setSize(150, 119);
    second.setSize(150, 91);
    PairComponent pair(&first, &second);
    EXPECT_EQ(pair.getBounds(), juce::Rectangle<int>(0, 0, 302, 119));
    EXPECT_EQ(first.getBounds(), juce::Rectangle<int>(0, 0, 150, 119));
    EXPECT_EQ(second.getBounds(), juce::Rectangle<int>(152, 0, 150, 91));
    EXPECT_TRUE(
        Pixels::bounds(Pixels::snapshot(pair), [](juce::Colour c) { return c.getAlpha() > 0; }).isEmpty());

    first.setSize(100, 50);
    EXPECT_EQ(pair.getWidth(), 302);
    EXPECT_EQ(second.getX(), 152);
    pair.setSize(400, 200);
    EXPECT_EQ(second.getBounds(), juce::Rectangle<int>(102, 0, 150, 91));

    juce::Component taller;
    taller.setSize(30, 140);
    EXPECT_EQ(PairComponent(&second, &taller).getBounds(), juce::Rectangle<int>(0, 0, 182, 140));
}
