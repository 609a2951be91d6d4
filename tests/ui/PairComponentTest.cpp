// Pins the pair: two components side by side, 2 pixels apart and top-aligned, nothing painted.
#include "ui/PairComponent.h"

#include "support/Pixels.h"

#include <gtest/gtest.h>

TEST(PairComponent, PutsTheTwoSideBySideAndTakesTheTallerHeight)
{
    juce::Component first;
    juce::Component second;
    first.setSize(150, 119);
    second.setSize(150, 91);
    PairComponent pair(&first, &second);

    EXPECT_EQ(pair.getWidth(), 302);
    EXPECT_EQ(pair.getHeight(), 119);
    EXPECT_EQ(first.getBounds(), juce::Rectangle<int>(0, 0, 150, 119));
    EXPECT_EQ(second.getBounds(), juce::Rectangle<int>(152, 0, 150, 91));
    EXPECT_EQ(pair.getIndexOfChildComponent(&first), 0);
    EXPECT_EQ(pair.getIndexOfChildComponent(&second), 1);

    const auto image = Pixels::snapshot(pair);
    EXPECT_EQ(Pixels::count(image, image.getBounds(), [](juce::Colour c) { return c.getAlpha() > 0; }), 0);

    juce::Component shorter;
    juce::Component taller;
    shorter.setSize(10, 20);
    taller.setSize(30, 40);
    EXPECT_EQ(PairComponent(&shorter, &taller).getBounds(), juce::Rectangle<int>(0, 0, 42, 40));
}

TEST(PairComponent, KeepsItsSizeWhenAChildChangesAndPlacesThemOnlyWhenResized)
{
    juce::Component first;
    juce::Component second;
    first.setSize(150, 119);
    second.setSize(150, 91);
    PairComponent pair(&first, &second);

    first.setSize(100, 50);
    EXPECT_EQ(pair.getWidth(), 302);
    EXPECT_EQ(second.getX(), 152);

    pair.setSize(400, 200);
    EXPECT_EQ(second.getBounds(), juce::Rectangle<int>(102, 0, 150, 91));
}
