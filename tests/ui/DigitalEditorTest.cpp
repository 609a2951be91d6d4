// Pins the button form's own rules as a user meets them: every keystroke stored clamped, an entry
// below the range settled to the lowest value when the field is left, the boxes' mapping to mode and
// toggle, and captions that sit beside their fields.
#include "ui/DigitalEditor.h"

#include "support/FormTest.h"

#include <array>

using Changes = std::vector<std::string>;

class DigitalEditorTest : public FormTest<DigitalEditor>
{
protected:
    DigitalEditorTest()
    {
        record.setChannel(5);
        record.setNumber(9);
        editor.setControl(0, &record);
        last = values();
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

    static constexpr const char* names[] = {"channel", "mode", "toggle", "number", "on", "off"};
    ModelDigital& record = *model.getDigital(0);
    std::array<int, 6> last{};
    Changes changes;
};

TEST_F(DigitalEditorTest, KeystrokesStoreClampedValuesAndAnEmptiedFieldItsLowestValueOnceLeft)
{
    // An emptied field or a leading 0 starts a number: "2" stays 2 and "05" is 5, not 12 and 15.
    auto& channel = field("MIDI_CHANNEL");
    driver.press(juce::KeyPress::backspaceKey);
    EXPECT_EQ(channel.getText(), "");
    for (const auto* typed : {"2", "05", "17", "99", "0"})
    {
        channel.selectAll();
        driver.type(typed);
    }

    auto& on = field("ON_VALUE");
    on.grabKeyboardFocus();
    driver.type("128");
    driver.press(juce::KeyPress::returnKey);
    EXPECT_EQ(on.getHighlightedRegion(), juce::Range<int>(0, 0));
    driver.type("5");
    field("NUMBER").grabKeyboardFocus();
    driver.press(juce::KeyPress::deleteKey);
    channel.grabKeyboardFocus();
    FormDriver::settle();
    EXPECT_EQ(channel.getText() + " " + field("NUMBER").getText() + " " + on.getText(), "1 0 127");
    EXPECT_EQ(changes, (Changes{"channel 2", "channel 5", "channel 1", "channel 16", "channel 9",
                                "channel 16", "channel 1", "on 1", "on 12", "on 127", "off 5", "number 0"}));
}

TEST_F(DigitalEditorTest, BoxesShowNoteFirstAndStoreModeAndToggle)
{
    EXPECT_EQ(box("MODE").getSelectedIndex(), 1);
    box("MODE").grabKeyboardFocus();
    driver.press(juce::KeyPress::spaceKey);
    driver.click(box("TOGGLE"));
    driver.press(juce::KeyPress::upKey);
    EXPECT_EQ(changes, (Changes{"mode 1", "toggle 1", "toggle 0"}));

    // Captions beside fields are attached to them; those of the boxes stand alone.
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(dynamic_cast<juce::Label*>(editor.getChildComponent(1 + row))->getAttachedComponent() !=
                      nullptr,
                  row != 1 && row != 2);
}
