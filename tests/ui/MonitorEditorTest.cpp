// Pins the monitor: its captioned rows, the texts of a shown message, and the 300 ms activity light
// driven through its timer's callback.
#include "ui/MonitorEditor.h"

#include "support/JucePrinters.h"
#include "support/Pixels.h"
#include "support/ScopedCustomLookAndFeel.h"
#include "ui/Palette.h"

#include <gtest/gtest.h>

namespace
{
juce::String texts(MonitorEditor& monitor)
{
    juce::StringArray texts;
    for (auto* child : monitor.getChildren())
        texts.add(dynamic_cast<juce::Label*>(child)->getText());
    return texts.joinIntoString("|");
}

// Only the light is ever drawn in the name row while the name is empty.
juce::Rectangle<int> drawnInNameRow(MonitorEditor& monitor)
{
    return Pixels::bounds(Pixels::snapshot(monitor), {0, 0, 146, 11},
                          [](juce::Colour c) { return c.getAlpha() > 0; });
}
} // namespace

TEST(MonitorEditor, ShowsFourCaptionedRowsUnderThePinkNameAndFillsThemFromAMessage)
{
    ScopedCustomLookAndFeel lookAndFeel;
    MonitorEditor monitor;
    EXPECT_EQ(monitor.getBounds(), juce::Rectangle<int>(0, 0, 146, 79));
    EXPECT_EQ(texts(monitor), "|MIDI CHANNEL||MESSAGE TYPE||CONTROL ID||VALUE|");
    EXPECT_EQ(monitor.getChildComponent(0)->findColour(juce::Label::textColourId), Palette::pink);
    EXPECT_EQ(monitor.getChildComponent(7)->getBounds(), juce::Rectangle<int>(6, 65, 100, 11));
    EXPECT_EQ(monitor.getChildComponent(8)->getBounds(), juce::Rectangle<int>(106, 65, 40, 13));

    monitor.showMessage("KNOB 3", 16, 1, 60, 127);
    EXPECT_EQ(texts(monitor), "KNOB 3|MIDI CHANNEL|16|MESSAGE TYPE|NOTE|CONTROL ID|60|VALUE|127");
    monitor.showMessage("SLIDER 1", 1, 2, 7, 0);
    EXPECT_EQ(texts(monitor), "SLIDER 1|MIDI CHANNEL|1|MESSAGE TYPE|CC|CONTROL ID|7|VALUE|0");
}

TEST(MonitorEditor, LightStaysOnWhileMessagesKeepComingAndGoesOutWhenItsTimerFires)
{
    ScopedCustomLookAndFeel lookAndFeel;
    MonitorEditor monitor;
    auto& timer = monitor.getActivityTimer();
    EXPECT_TRUE(drawnInNameRow(monitor).isEmpty());

    monitor.setActivity(true);
    monitor.setActivity(true);
    EXPECT_TRUE(monitor.isActive() && timer.isTimerRunning());
    EXPECT_EQ(timer.getTimerInterval(), 300);
    EXPECT_EQ(drawnInNameRow(monitor), juce::Rectangle<int>(137, 0, 9, 9));
    EXPECT_EQ(Pixels::at(Pixels::snapshot(monitor), 141, 4), Palette::green);

    timer.timerCallback();
    EXPECT_FALSE(monitor.isActive() || timer.isTimerRunning());
    EXPECT_TRUE(drawnInNameRow(monitor).isEmpty());
    monitor.setActivity(true);
    monitor.setActivity(false);
    EXPECT_FALSE(monitor.isActive() || timer.isTimerRunning());
}
