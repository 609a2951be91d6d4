// Pins the LED form: its four rows, a control set without taking the keyboard focus, emptied fields
// read as the lowest value, the boxes' mapping to mode and Ableton flag, and the Return chain.
#include "ui/LEDEditor.h"

#include "model/Model.h"
#include "support/FormDriver.h"
#include "support/JucePrinters.h"
#include "support/ScopedCustomLookAndFeel.h"

#include <gtest/gtest.h>

class LEDEditorTest : public testing::Test
{
protected:
    LEDEditorTest()
    {
        driver.window.addAndMakeVisible(elsewhere);
        elsewhere.setBounds(200, 0, 40, 13);
    }

    juce::TextEditor& field(const char* name) { return *FormDriver::find<juce::TextEditor>(editor, name); }

    ScopedCustomLookAndFeel lookAndFeel;
    Model model{nullptr};
    ModelLED& record = *model.getLED(0);
    LEDEditor editor;
    FormDriver driver{editor};
    juce::TextEditor elsewhere;
};

TEST_F(LEDEditorTest, ShowsTheLEDWithoutTakingTheFocus)
{
    EXPECT_EQ(editor.getBounds(), juce::Rectangle<int>(0, 0, 141, 77));
    const char* widgets[] = {"MIDI_CHANNEL", "MODE", "ABLETON", "NUMBER"};
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(editor.getChildComponent(5 + row)->getName(), widgets[row]);
    EXPECT_EQ(dynamic_cast<juce::Label*>(editor.getChildComponent(3))->getText(), "ABLETON MODE");

    elsewhere.grabKeyboardFocus();
    record.setAbleton(true);
    editor.setControl(11, &record);
    EXPECT_EQ(dynamic_cast<juce::Label*>(editor.getChildComponent(0))->getText(), "LED 12");
    EXPECT_EQ(FormDriver::focused(), &elsewhere);
    EXPECT_EQ(FormDriver::find<SelectionBox>(editor, "ABLETON")->getSelectedIndex(), 1);
}

TEST_F(LEDEditorTest, EmptiedFieldsTakeTheLowestValueAndReturnWalksTheFormOnly)
{
    record.setChannel(7);
    record.setNumber(60);
    editor.setControl(0, &record);
    field("MIDI_CHANNEL").grabKeyboardFocus();
    driver.press(juce::KeyPress::backspaceKey);
    EXPECT_EQ(field("MIDI_CHANNEL").getText(), "1");

    const char* chain[] = {"MODE", "ABLETON", "NUMBER", "MIDI_CHANNEL"};
    for (const auto* next : chain)
    {
        driver.press(juce::KeyPress::returnKey);
        EXPECT_EQ(FormDriver::focused()->getName(), next);
        if (FormDriver::focused()->getName() == "NUMBER")
            driver.press(juce::KeyPress::backspaceKey);
        else if (FormDriver::focused()->getName() != "MIDI_CHANNEL")
            driver.press(juce::KeyPress::leftKey);
    }
    EXPECT_EQ(field("NUMBER").getText(), "0");
    EXPECT_EQ(std::vector<int>(
                  {record.getChannel(), record.getMode(), (int) record.isAbleton(), record.getNumber()}),
              std::vector<int>({1, 1, 1, 0}));
}
