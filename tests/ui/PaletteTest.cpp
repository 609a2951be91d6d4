// Pins the eight palette colours the whole editor draws with, and that translucent uses are copies.
#include "ui/Palette.h"

#include <gtest/gtest.h>

TEST(Palette, EightOpaqueColoursWithTheirValues)
{
    const struct
    {
        juce::Colour colour;
        juce::uint32 argb;
    } expected[] = {{Palette::pink, 0xffee4c9b},     {Palette::green, 0xff69bd45},
                    {Palette::greyBlue, 0xff828fb3}, {Palette::lightGrey, 0xffe8e8e8},
                    {Palette::midGrey, 0xff818285},  {Palette::darkGrey, 0xff333333},
                    {Palette::black, 0xff000000},    {Palette::white, 0xffffffff}};

    for (const auto& entry : expected)
        EXPECT_EQ(entry.colour.getARGB(), entry.argb);

    const auto veil = Palette::lightGrey.withAlpha(0.7f);
    EXPECT_EQ(veil.getAlpha(), 178);
    EXPECT_EQ(Palette::lightGrey.getAlpha(), 255);
}
