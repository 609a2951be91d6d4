// Pins the monitor: its rows and captions, the texts of a shown message, and the 300 ms activity
// light driven through its timer's callback.
#include "ui/MonitorEditor.h"

#include "support/JucePrinters.h"
#include "support/Pixels.h"
#include "support/ScopedCustomLookAndFeel.h"
#include "ui/Palette.h"

#include <gtest/gtest.h>

namespace
{
std::vector<juce::Label*> labelsOf(MonitorEditor& monitor)
{
    std::vector<juce::Label*> labels;
    for (auto* child : monitor.getChildren())
        labels.push_back(dynamic_cast<juce::Label*>(child));
    return labels;
}

juce::StringArray textsOf(const std::vector<juce::Label*>& labels)
{
    juce::StringArray texts;
    for (auto* label : labels)
        texts.add(label->getText());
    return texts;
}

// Whatever is drawn in the name row, where nothing but the light is drawn.
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
    const auto labels = labelsOf(monitor);
    ASSERT_EQ(labels.size(), 9u);
    EXPECT_EQ(monitor.getBounds(), juce::Rectangle<int>(0, 0, 146, 79));
    EXPECT_EQ(textsOf(labels).joinIntoString("|"), "|MIDI CHANNEL||MESSAGE TYPE||CONTROL ID||VALUE|");
    EXPECT_EQ(labels[0]->getBounds(), juce::Rectangle<int>(0, 0, 146, 11));
    EXPECT_EQ(labels[0]->findColour(juce::Label::textColourId), Palette::pink);
    for (int row = 0; row < 4; ++row)
    {
        EXPECT_EQ(labels[(size_t) (1 + 2 * row)]->getBounds(),
                  juce::Rectangle<int>(6, 23 + 14 * row, 100, 11));
        EXPECT_EQ(labels[(size_t) (2 + 2 * row)]->getBounds(),
                  juce::Rectangle<int>(106, 23 + 14 * row, 40, 13));
        EXPECT_EQ(labels[(size_t) (2 + 2 * row)]->getJustificationType(), juce::Justification::centredLeft);
    }

    monitor.showMessage("KNOB 3", 16, 1, 60, 127);
    EXPECT_EQ(textsOf(labels).joinIntoString("|"),
              "KNOB 3|MIDI CHANNEL|16|MESSAGE TYPE|NOTE|CONTROL ID|60|VALUE|127");
    monitor.showMessage("SLIDER 1", 1, 0, 7, 0);
    EXPECT_EQ(labels[4]->getText(), "CC");
    monitor.showMessage("SLIDER 1", 1, 2, 7, 0);
    EXPECT_EQ(labels[4]->getText(), "CC");
}

TEST(MonitorEditor, LightStaysOnWhileMessagesKeepComingAndGoesOutWhenItsTimerFires)
{
    ScopedCustomLookAndFeel lookAndFeel;
    MonitorEditor monitor;
    auto& timer = monitor.getActivityTimer();
    EXPECT_TRUE(drawnInNameRow(monitor).isEmpty());

    monitor.setActivity(true);
    EXPECT_TRUE(monitor.isActive());
    EXPECT_TRUE(timer.isTimerRunning());
    EXPECT_EQ(timer.getTimerInterval(), 300);
    EXPECT_EQ(drawnInNameRow(monitor), juce::Rectangle<int>(137, 0, 9, 9));
    EXPECT_EQ(Pixels::at(Pixels::snapshot(monitor), 141, 4), Palette::green);

    // A second message restarts the countdown; the light goes out only when the timer fires.
    monitor.setActivity(true);
    EXPECT_TRUE(monitor.isActive() && timer.isTimerRunning());
    timer.timerCallback();
    EXPECT_FALSE(monitor.isActive());
    EXPECT_FALSE(timer.isTimerRunning());
    EXPECT_TRUE(drawnInNameRow(monitor).isEmpty());

    monitor.setActivity(true);
    monitor.setActivity(false);
    EXPECT_FALSE(monitor.isActive() || timer.isTimerRunning());
}
