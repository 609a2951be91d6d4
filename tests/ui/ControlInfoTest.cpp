// Pins a control record's fields and its half-open hit rectangle.
#include "ui/ControlInfo.h"

#include "support/JucePrinters.h"

#include <gtest/gtest.h>

TEST(ControlInfoTest, KeepsItsFieldsAndButtonsHaveNoMarker)
{
    const ControlInfo button(4, 5, ControlInfo::button, "Button 5", {929, 37, 45, 46});
    EXPECT_EQ(button.getId(), 4);
    EXPECT_EQ(button.getNext(), 5);
    EXPECT_EQ(button.getType(), ControlInfo::button);
    EXPECT_EQ(button.getName(), "Button 5");
    EXPECT_EQ(button.getImageRegion(), juce::Rectangle<int>(929, 37, 45, 46));
    EXPECT_EQ(button.getPosition(), juce::Rectangle<int>());

    const ControlInfo knob(3, 2, ControlInfo::knob, "Knob 1", {48, 27, 65, 65}, {78, 59, 0, 0});
    EXPECT_EQ(knob.getType(), ControlInfo::knob);
    EXPECT_EQ(knob.getPosition(), juce::Rectangle<int>(78, 59, 0, 0));
}

TEST(ControlInfoTest, ContainsIsHalfOpen)
{
    const ControlInfo info(0, 1, ControlInfo::button, "Button 1", {677, 37, 45, 46});

    EXPECT_TRUE(info.contains({677, 37}));
    EXPECT_TRUE(info.contains({721, 82}));
    EXPECT_FALSE(info.contains({722, 37}));
    EXPECT_FALSE(info.contains({677, 83}));
    EXPECT_FALSE(info.contains({676, 50}));
    EXPECT_FALSE(info.contains({700, 36}));

    // A region whose maximum lies before its minimum contains nothing.
    const ControlInfo inverted(0, 1, ControlInfo::knob, "", {100, 100, -10, 5}, {});
    EXPECT_FALSE(inverted.contains({95, 101}));
    EXPECT_FALSE(inverted.contains({100, 101}));
}
