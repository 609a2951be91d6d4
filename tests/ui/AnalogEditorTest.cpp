// Pins the analog form's own rules as a user meets them: clamping at every keystroke, an emptied field
// left alone until it is left, the range ends held back while typing and pulled together on leaving
// (in the order the model's owner sees), the invert box, and a device report under the open form.
#include "ui/AnalogEditor.h"

#include "support/FormTest.h"

#include <functional>

using Seen = std::vector<std::pair<int, int>>;

class AnalogEditorTest : public FormTest<AnalogEditor>
{
protected:
    AnalogEditorTest()
    {
        record.setMax(50);
        editor.setControl(0, &record);
        // What the owner reads at each notification: the ends of the range unless a test says otherwise.
        log.onEvent = [this](const std::string&) { seen.push_back(seeing()); };
    }

    juce::String texts()
    {
        return field("MIDI_CHANNEL").getText() + " " + field("INDEX").getText() + " " + min.getText() + " " +
               max.getText();
    }

    ModelAnalog& record = *model.getAnalog(0);
    juce::TextEditor& min = field("MIN_VALUE");
    juce::TextEditor& max = field("MAX_VALUE");
    std::function<std::pair<int, int>()> seeing = [this]
    { return std::make_pair(record.getMin(), record.getMax()); };
    Seen seen;
};

TEST_F(AnalogEditorTest, EveryKeystrokeStoresItsClampedValueAndShowsIt)
{
    seeing = [this] { return std::make_pair(record.getChannel(), record.getNumber()); };
    // The first key comes before the posted callbacks of the reload have run.
    driver.window.pressKey(juce::KeyPress('2', juce::ModifierKeys(), '2'));
    FormDriver::settle();
    driver.type("05");
    driver.press(juce::KeyPress::returnKey);
    driver.type("300");
    auto& number = field("INDEX");
    number.selectAll();
    driver.type("0");
    number.selectAll();
    number.insertTextAtCaret("007");
    // A paste that is not a number, or too long for the field, changes nothing; blanks and line ends
    // around a number go.
    for (const auto* paste : {"-5", "1e3", "4.5", "0x7F", "12\n34", " \n", "456"})
        number.insertTextAtCaret(paste);
    EXPECT_EQ(number.getText(), "7");
    number.selectAll();
    number.insertTextAtCaret("1000");
    number.insertTextAtCaret(" 42\r\n");
    driver.press(juce::KeyPress::escapeKey);
    EXPECT_EQ(texts(), "16 42 0 50");
    EXPECT_EQ(seen, (Seen{{2, 1}, {16, 1}, {16, 3}, {16, 30}, {16, 127}, {16, 0}, {16, 7}, {16, 42}}));
    EXPECT_EQ(FormDriver::focused(), &number);
}

TEST_F(AnalogEditorTest, EmptiedFieldWaitsUntilLeftAndADeviceReportReloadsEverything)
{
    driver.press(juce::KeyPress::backspaceKey);
    EXPECT_EQ(texts(), " 1 0 50");
    driver.press(juce::KeyPress::returnKey);
    EXPECT_EQ(texts(), "1 1 0 50");
    EXPECT_EQ(field("MIDI_CHANNEL").getCaretPosition(), 0);
    EXPECT_TRUE(seen.empty());

    record.beginUpdate();
    record.setChannel(9);
    record.setNumber(64);
    record.setMin(5);
    record.setInverted(true);
    record.endUpdate();
    FormDriver::settle();
    EXPECT_EQ(texts(), "9 64 5 50");
    EXPECT_EQ(box().getSelectedIndex(), 1);
    driver.click(box());
    EXPECT_EQ(seen, (Seen{{5, 50}, {5, 50}}));
    EXPECT_FALSE(record.isInverted());

    // A report into the field being typed in leaves the device's number selected, so that the next
    // digit starts a new one, also where a range end was held back; the caret stands after it, so that
    // a digit after Escape goes on from it.
    field("INDEX").grabKeyboardFocus();
    driver.type("1");
    record.setNumber(64);
    driver.type("2");
    max.grabKeyboardFocus();
    driver.type("2");
    record.setMax(60);
    driver.type("55");
    EXPECT_EQ(texts(), "9 2 5 55");
    EXPECT_EQ(std::make_pair(record.getNumber(), record.getMax()), std::make_pair(2, 55));
    field("INDEX").grabKeyboardFocus();
    driver.type("1");
    record.setNumber(12);
    driver.press(juce::KeyPress::escapeKey);
    driver.type("3");
    EXPECT_EQ(record.getNumber(), 123);
}

TEST_F(AnalogEditorTest, RangeEndTypedAcrossTheOtherIsHeldBackThenBothEndsAreStoredMinimumFirst)
{
    min.grabKeyboardFocus();
    driver.type("100");
    EXPECT_EQ(seen, (Seen{{1, 50}, {10, 50}}));
    driver.press(juce::KeyPress::returnKey);
    EXPECT_EQ(texts(), "1 1 100 100");
    EXPECT_EQ(seen, (Seen{{1, 50}, {10, 50}, {100, 50}, {100, 100}}));

    record.setMin(50);
    record.setMax(127);
    seen.clear();
    max.selectAll();
    driver.type("20");
    EXPECT_TRUE(seen.empty());
    min.grabKeyboardFocus();
    FormDriver::settle();
    EXPECT_EQ(seen, (Seen{{20, 127}, {20, 20}}));

    record.setMax(60);
    seen.clear();
    min.selectAll();
    driver.type("60");
    max.grabKeyboardFocus();
    FormDriver::settle();
    EXPECT_EQ(texts(), "1 1 60 60");
    EXPECT_EQ(seen, (Seen{{6, 60}, {60, 60}}));
}

TEST_F(AnalogEditorTest, LeavingARangeEndThatWasNotTypedAcrossLeavesAReversedRangeAlone)
{
    // A reversed range that the record holds (from a file or the device) is kept when a range field
    // is merely visited.
    auto& reversed = *model.getAnalog(1);
    reversed.setMin(100);
    reversed.setMax(20);
    editor.setControl(1, &reversed);
    min.grabKeyboardFocus();
    max.grabKeyboardFocus();
    field("INDEX").grabKeyboardFocus();
    FormDriver::settle();
    EXPECT_EQ(reversed.getMin(), 100);
    EXPECT_EQ(reversed.getMax(), 20);

    // Nor does a range field left on one control pull the ends of the next control together: the
    // focus-lost callback arrives after the next record has been loaded.
    editor.setControl(0, &record);
    max.grabKeyboardFocus();
    FormDriver::settle();
    seen.clear();
    editor.setControl(1, &reversed);
    FormDriver::settle();
    EXPECT_EQ(reversed.getMin(), 100);
    EXPECT_EQ(reversed.getMax(), 20);
    EXPECT_EQ(texts(), "1 1 100 20");
    EXPECT_TRUE(seen.empty());
}

TEST_F(AnalogEditorTest, HeldBackEndIsSettledHoweverTheFieldIsLeftUnlessAReloadCameFirst)
{
    // After the pull, Return leaves RANGE MAX's new text selected, so that typing replaces it.
    min.grabKeyboardFocus();
    driver.type("60");
    driver.press(juce::KeyPress::returnKey);
    driver.type("80");
    EXPECT_EQ(texts(), "1 1 60 80");

    // Leaving by choosing another control, or by a click on the invert box, stores what was typed.
    auto& other = *model.getAnalog(1);
    for (const bool toOtherControl : {true, false})
    {
        editor.setControl(0, &record);
        record.setMin(0);
        record.setMax(50);
        min.grabKeyboardFocus();
        driver.type("100");
        if (toOtherControl)
            editor.setControl(1, &other);
        else
            driver.click(box());
        FormDriver::settle();
        EXPECT_EQ(std::make_pair(record.getMin(), record.getMax()), std::make_pair(100, 100));
    }
    EXPECT_TRUE(record.isInverted());
    EXPECT_EQ(std::make_pair(other.getMin(), other.getMax()), std::make_pair(0, 127));

    // A report that reloads the form while the user types wins over the value held back.
    record.setMin(0);
    record.setMax(50);
    min.grabKeyboardFocus();
    driver.type("100");
    record.setChannel(9);
    field("INDEX").grabKeyboardFocus();
    FormDriver::settle();
    EXPECT_EQ(texts(), "9 1 10 50");

    // A reversed range typed again is held back like any other crossing value.
    record.setMin(5);
    record.setMax(3);
    min.grabKeyboardFocus();
    driver.type("5");
    max.grabKeyboardFocus();
    FormDriver::settle();
    EXPECT_EQ(std::make_pair(record.getMin(), record.getMax()), std::make_pair(5, 5));
}
