// Pins the button form as a user drives it: its six rows, every keystroke stored clamped with an
// emptied field read as the lowest value, the boxes' mapping to mode and toggle, leaving a field only
// clearing its selection, the Return chain, and a form with no record or a second record.
#include "ui/DigitalEditor.h"

#include "model/Model.h"
#include "support/FormDriver.h"
#include "support/JucePrinters.h"
#include "support/ModelEventLog.h"
#include "support/ScopedCustomLookAndFeel.h"

#include <gtest/gtest.h>

#include <array>

using Changes = std::vector<std::string>;
using Range = juce::Range<int>;

class DigitalEditorTest : public testing::Test
{
protected:
    DigitalEditorTest()
    {
        // The owner is told only which record changed; comparing with the last values names the field.
        log.onEvent = [this](const std::string&)
        {
            const auto now = values();
            for (size_t i = 0; i < now.size(); ++i)
                if (now[i] != last[i])
                    changes.push_back(std::string(names[i]) + " " + std::to_string(now[i]));
            last = now;
        };
    }

    std::array<int, 6> values() const
    {
        return {record.getChannel(), record.getMode(), (int) record.isToggle(),
                record.getNumber(),  record.getOn(),   record.getOff()};
    }

    juce::TextEditor& field(const char* name) { return *FormDriver::find<juce::TextEditor>(editor, name); }
    SelectionBox& box(const char* name) { return *FormDriver::find<SelectionBox>(editor, name); }

    static constexpr const char* names[] = {"channel", "mode", "toggle", "number", "on", "off"};
    ScopedCustomLookAndFeel lookAndFeel;
    ModelEventLog log;
    Model model{&log};
    ModelDigital& record = *model.getDigital(0);
    std::array<int, 6> last = values();
    Changes changes;
    DigitalEditor editor;
    FormDriver driver{editor};
};

TEST_F(DigitalEditorTest, LaysOutSixRowsWithCaptionsBesideTheirFields)
{
    EXPECT_EQ(editor.getBounds(), juce::Rectangle<int>(0, 0, 141, 105));
    const char* widgets[] = {"MIDI_CHANNEL", "MODE", "TOGGLE", "NUMBER", "ON_VALUE", "OFF_VALUE"};
    const char* captions[] = {"MIDI CHANNEL", "MESSAGE TYPE", "TOGGLE",
                              "CONTROL ID",   "ON VALUE",     "OFF VALUE"};
    for (int row = 0; row < 6; ++row)
    {
        auto* label = dynamic_cast<juce::Label*>(editor.getChildComponent(1 + row));
        auto* widget = editor.getChildComponent(7 + row);
        EXPECT_EQ(label->getText(), captions[row]);
        EXPECT_EQ(label->getBounds(), juce::Rectangle<int>(6, 23 + 14 * row, 100, 11));
        EXPECT_EQ(widget->getName(), widgets[row]);
        EXPECT_EQ(widget->getBounds(), juce::Rectangle<int>(106, 21 + 14 * row, 35, 13));
        EXPECT_EQ(label->getAttachedComponent(), row == 1 || row == 2 ? nullptr : widget);
    }
    EXPECT_EQ(box("MODE").getItem(box("MODE").getSelectedIndex()) + box("TOGGLE").getItem(0), "NOTEOFF");

    editor.setControl(23, &record);
    EXPECT_EQ(dynamic_cast<juce::Label*>(editor.getChildComponent(0))->getText(), "BUTTON 24");
    EXPECT_EQ(box("MODE").getSelectedIndex(), 1);
    EXPECT_EQ(FormDriver::focused(), &field("MIDI_CHANNEL"));
    EXPECT_EQ(field("MIDI_CHANNEL").getHighlightedRegion(), Range(0, 1));
}

TEST_F(DigitalEditorTest, KeystrokesStoreClampedValuesAndAnEmptiedFieldItsLowestValue)
{
    record.setChannel(5);
    record.setNumber(9);
    changes.clear();
    editor.setControl(0, &record);
    auto& channel = field("MIDI_CHANNEL");
    driver.press(juce::KeyPress::backspaceKey);
    EXPECT_EQ(channel.getText(), "1");
    for (const auto* typed : {"0", "17", "99"})
    {
        channel.selectAll();
        driver.type(typed);
    }
    EXPECT_EQ(channel.getText(), "16");

    auto& on = field("ON_VALUE");
    on.grabKeyboardFocus();
    driver.type("128");
    driver.press(juce::KeyPress::returnKey);
    EXPECT_EQ(on.getText(), "127");
    EXPECT_EQ(on.getHighlightedRegion(), Range(0, 0));
    driver.type("5");
    field("NUMBER").grabKeyboardFocus();
    driver.press(juce::KeyPress::deleteKey);
    EXPECT_EQ(field("NUMBER").getText(), "0");
    EXPECT_EQ(changes, (Changes{"channel 1", "channel 16", "channel 9", "channel 16", "on 1", "on 12",
                                "on 127", "off 5", "number 0"}));

    driver.press(juce::KeyPress::escapeKey);
    field("OFF_VALUE").grabKeyboardFocus();
    FormDriver::settle();
    EXPECT_EQ(changes.size(), 9u);
}

TEST_F(DigitalEditorTest, BoxesStoreModeAndToggleAndReturnWalksTheRowsWithWrapRound)
{
    editor.setControl(0, &record);
    const char* chain[] = {"MODE", "TOGGLE", "NUMBER", "ON_VALUE", "OFF_VALUE", "MIDI_CHANNEL"};
    for (const auto* next : chain)
    {
        driver.press(juce::KeyPress::returnKey);
        EXPECT_EQ(FormDriver::focused()->getName(), next);
        if (FormDriver::focused() == &box("MODE") || FormDriver::focused() == &box("TOGGLE"))
            driver.press(juce::KeyPress::spaceKey);
    }
    EXPECT_EQ(field("MIDI_CHANNEL").getHighlightedRegion(), Range(0, 1));
    driver.click(box("MODE"));
    EXPECT_EQ(changes, (Changes{"mode 1", "toggle 1", "mode 0"}));
}

TEST_F(DigitalEditorTest, FollowsOnlyTheRecordLastSet)
{
    auto& second = *model.getDigital(1);
    editor.setControl(0, &record);
    editor.setControl(1, &second);
    record.setOn(40);
    second.beginUpdate();
    second.setOff(3);
    second.setToggle(true);
    second.endUpdate();
    EXPECT_EQ(field("ON_VALUE").getText() + " " + field("OFF_VALUE").getText(), "0 3");
    EXPECT_EQ(box("TOGGLE").getSelectedIndex(), 1);

    editor.setControl(1, nullptr);
    field("MIDI_CHANNEL").grabKeyboardFocus();
    driver.type("5");
    EXPECT_EQ(field("MIDI_CHANNEL").getText(), "5");
    EXPECT_EQ(second.getChannel(), 1);
}
