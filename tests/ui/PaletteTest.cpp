// Pins the eight palette colours the whole editor draws with.
#include "ui/Palette.h"

#include <gtest/gtest.h>

TEST(Palette, EightOpaqueColoursWithTheirValues)
{
    const juce::Colour colours[] = {Palette::pink,      Palette::green,   Palette::greyBlue,
                                    Palette::lightGrey, Palette::midGrey, Palette::darkGrey,
                                    Palette::black,     Palette::white};
    const juce::uint32 argb[] = {0xffee4c9b, 0xff69bd45, 0xff828fb3, 0xffe8e8e8,
                                 0xff818285, 0xff333333, 0xff000000, 0xffffffff};
    for (size_t i = 0; i < std::size(colours); ++i)
        EXPECT_EQ(colours[i].getARGB(), argb[i]) << i;
}
