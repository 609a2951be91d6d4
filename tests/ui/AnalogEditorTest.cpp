// Pins the analog form as a user drives it: the rows and their layout, clamping at every keystroke,
// an emptied field left alone until it is left, the range ends held back while typing and pulled
// together on leaving (in the order the model's owner sees), the Return chain, device reports under an
// open form, and moving the attachment between records.
#include "ui/AnalogEditor.h"

#include "model/Model.h"
#include "support/FormDriver.h"
#include "support/JucePrinters.h"
#include "support/ModelEventLog.h"
#include "support/ScopedCustomLookAndFeel.h"
#include "ui/Palette.h"

#include <gtest/gtest.h>

#include <vector>

using Values = std::vector<int>;
using Range = juce::Range<int>;

class AnalogEditorTest : public testing::Test
{
protected:
    AnalogEditorTest()
    {
        // What the owner can read at each notification: the ends of the range, or the channel and number.
        log.onEvent = [this](const std::string&)
        {
            const auto* record = model.getAnalog(0);
            ranges.push_back({record->getMin(), record->getMax()});
            values.push_back(record->getChannel() * 1000 + record->getNumber());
        };
    }

    juce::TextEditor& field(const char* name) { return *FormDriver::find<juce::TextEditor>(editor, name); }
    juce::String title() { return dynamic_cast<juce::Label*>(editor.getChildComponent(0))->getText(); }

    ScopedCustomLookAndFeel lookAndFeel;
    ModelEventLog log;
    Model model{&log};
    ModelAnalog& record = *model.getAnalog(0);
    AnalogEditor editor;
    FormDriver driver{editor};
    juce::TextEditor& channel = field("MIDI_CHANNEL");
    juce::TextEditor& number = field("INDEX");
    juce::TextEditor& min = field("MIN_VALUE");
    juce::TextEditor& max = field("MAX_VALUE");
    SelectionBox& invert = *FormDriver::find<SelectionBox>(editor);
    std::vector<std::pair<int, int>> ranges;
    Values values;
};

TEST_F(AnalogEditorTest, LaysOutFiveRowsAndShowsTheControlWithTheChannelSelected)
{
    EXPECT_EQ(editor.getBounds(), juce::Rectangle<int>(0, 0, 141, 91));
    EXPECT_EQ(title(), "TITLE HERE");
    EXPECT_EQ(editor.getChildComponent(0)->findColour(juce::Label::textColourId), Palette::pink);
    const char* captions[] = {"MIDI CHANNEL", "CONTROL ID", "RANGE MIN", "RANGE MAX", "RANGE INVERT"};
    for (int row = 0; row < 5; ++row)
    {
        auto* label = dynamic_cast<juce::Label*>(editor.getChildComponent(1 + row));
        EXPECT_EQ(label->getText(), captions[row]);
        EXPECT_EQ(label->getBounds(), juce::Rectangle<int>(6, 23 + 14 * row, 100, 11));
        EXPECT_EQ(label->getJustificationType(), juce::Justification::centredLeft);
        EXPECT_EQ(editor.getChildComponent(6 + row)->getBounds(),
                  juce::Rectangle<int>(106, 21 + 14 * row, 35, 13));
    }
    EXPECT_TRUE(channel.isEmpty() && max.isEmpty());
    EXPECT_EQ(invert.getItem(invert.getSelectedIndex()), "OFF");

    record.setChannel(12);
    record.setMax(100);
    editor.setControl(34, &record);
    FormDriver::settle();
    EXPECT_EQ(title(), "CROSS FADER");
    EXPECT_EQ(channel.getText() + " " + number.getText() + " " + min.getText() + " " + max.getText(),
              "12 1 0 100");
    EXPECT_EQ(FormDriver::focused(), &channel);
    EXPECT_EQ(channel.getHighlightedRegion(), Range(0, 2));
    EXPECT_EQ(log.events.size(), 2u);
}

TEST_F(AnalogEditorTest, EveryKeystrokeStoresItsClampedValueAndShowsIt)
{
    editor.setControl(0, &record);
    // Typed at once, before the posted callbacks of the reload have run.
    driver.window.pressKey(juce::KeyPress('2', juce::ModifierKeys(), '2'));
    FormDriver::settle();
    driver.type("0");
    driver.type("5");
    EXPECT_EQ(channel.getText(), "16");
    driver.press(juce::KeyPress::returnKey);
    driver.type("300");
    EXPECT_EQ(number.getText(), "127");
    number.selectAll();
    driver.type("0");
    number.selectAll();
    number.insertTextAtCaret("007");
    FormDriver::settle();
    EXPECT_EQ(number.getText(), "7");
    EXPECT_EQ(values, (Values{2001, 16001, 16003, 16030, 16127, 16000, 16007}));

    driver.press(juce::KeyPress::escapeKey);
    EXPECT_EQ(FormDriver::focused(), &number);
    EXPECT_EQ(number.getText(), "7");
    EXPECT_EQ(log.events.size(), 7u);
}

TEST_F(AnalogEditorTest, EmptiedFieldStoresNothingUntilLeftThenShowsTheRecordAgain)
{
    editor.setControl(0, &record);
    driver.press(juce::KeyPress::backspaceKey);
    EXPECT_TRUE(channel.isEmpty());
    EXPECT_TRUE(log.events.empty());
    driver.press(juce::KeyPress::returnKey);
    EXPECT_EQ(channel.getText(), "1");
    EXPECT_EQ(channel.getHighlightedRegion(), Range(0, 0));
    EXPECT_EQ(channel.getCaretPosition(), 0);

    editor.setControl(0, nullptr);
    number.selectAll();
    driver.press(juce::KeyPress::backspaceKey);
    driver.press(juce::KeyPress::returnKey);
    EXPECT_TRUE(number.isEmpty());
    EXPECT_TRUE(log.events.empty());
}

TEST_F(AnalogEditorTest, RangeEndTypedAcrossTheOtherIsHeldBackThenBothEndsAreStoredMinimumFirst)
{
    using Ranges = std::vector<std::pair<int, int>>;
    record.setMax(50);
    editor.setControl(0, &record);
    ranges.clear();
    min.grabKeyboardFocus();
    driver.type("100");
    EXPECT_EQ(min.getText(), "100");
    EXPECT_EQ(ranges, (Ranges{{1, 50}, {10, 50}}));
    driver.press(juce::KeyPress::returnKey);
    EXPECT_EQ(max.getText(), "100");
    EXPECT_EQ(ranges, (Ranges{{1, 50}, {10, 50}, {100, 50}, {100, 100}}));

    record.setMin(50);
    record.setMax(127);
    ranges.clear();
    max.selectAll();
    driver.type("20");
    EXPECT_TRUE(ranges.empty());
    channel.grabKeyboardFocus();
    FormDriver::settle();
    EXPECT_EQ(min.getText(), "20");
    EXPECT_EQ(ranges, (Ranges{{20, 127}, {20, 20}}));

    record.setMax(60);
    ranges.clear();
    min.grabKeyboardFocus();
    driver.type("60");
    number.grabKeyboardFocus();
    FormDriver::settle();
    EXPECT_EQ(ranges, (Ranges{{6, 60}, {60, 60}}));
    EXPECT_EQ(min.getText() + " " + max.getText(), "60 60");
}

TEST_F(AnalogEditorTest, ReturnWalksTheRowsAndTheInvertBoxWrapsToTheChannel)
{
    editor.setControl(0, &record);
    for (auto* next : std::initializer_list<juce::Component*>{&number, &min, &max, &invert})
    {
        driver.press(juce::KeyPress::returnKey);
        EXPECT_EQ(FormDriver::focused(), next);
    }
    driver.press(juce::KeyPress::spaceKey);
    EXPECT_TRUE(record.isInverted());
    driver.press(juce::KeyPress::rightKey);
    EXPECT_FALSE(record.isInverted());
    driver.press(juce::KeyPress::returnKey);
    EXPECT_EQ(FormDriver::focused(), &channel);
    EXPECT_EQ(channel.getHighlightedRegion(), Range(0, 1));
    EXPECT_EQ(max.getHighlightedRegion(), Range(0, 0));

    // Choosing the same control again selects the channel's text again.
    driver.press(juce::KeyPress::returnKey);
    editor.setControl(0, &record);
    EXPECT_EQ(FormDriver::focused(), &channel);
    EXPECT_EQ(channel.getHighlightedRegion(), Range(0, 1));
}

TEST_F(AnalogEditorTest, FollowsItsRecordOnlyWhileAttached)
{
    editor.setControl(0, &record);
    record.beginUpdate();
    record.setChannel(9);
    record.setNumber(64);
    record.setMin(5);
    record.setInverted(true);
    record.endUpdate();
    FormDriver::settle();
    EXPECT_EQ(channel.getText() + " " + number.getText() + " " + min.getText(), "9 64 5");
    EXPECT_EQ(invert.getSelectedIndex(), 1);
    EXPECT_EQ(log.events.size(), 1u);

    auto& second = *model.getAnalog(1);
    second.setNumber(99);
    editor.setControl(1, &second);
    record.setNumber(70);
    EXPECT_EQ(number.getText(), "99");
    EXPECT_EQ(title(), "KNOB 3");

    editor.setControl(0, nullptr);
    second.setNumber(98);
    channel.grabKeyboardFocus();
    driver.type("5");
    EXPECT_EQ(number.getText(), "99");
    EXPECT_EQ(channel.getText(), "5");
    EXPECT_EQ(second.getChannel(), 1);
    EXPECT_EQ(title(), "KNOB 3");

    {
        AnalogEditor shortLived;
        shortLived.setControl(0, &second);
    }
    second.setNumber(97);
}
