// Pins the LED form's own rules: emptied fields read as the lowest value, and the boxes' mapping to
// mode and Ableton flag.
#include "ui/LEDEditor.h"

#include "support/FormTest.h"

using LEDEditorTest = FormTest<LEDEditor>;

TEST_F(LEDEditorTest, EmptiedFieldsTakeTheLowestValueAndBoxesStoreModeAndAbleton)
{
    auto& record = *model.getLED(0);
    record.setChannel(7);
    record.setNumber(60);
    editor.setControl(0, &record);
    // Backspace empties a field and is nothing to a box; Left steps a box back and only moves a caret.
    for (const auto* name : {"MIDI_CHANNEL", "NUMBER", "MODE", "ABLETON"})
    {
        FormDriver::find<juce::Component>(editor, name)->grabKeyboardFocus();
        driver.press(juce::KeyPress::backspaceKey);
        driver.press(juce::KeyPress::leftKey);
    }
    EXPECT_EQ(field("NUMBER").getText(), "0");
    EXPECT_EQ(std::vector<int>(
                  {record.getChannel(), record.getMode(), (int) record.isAbleton(), record.getNumber()}),
              std::vector<int>({1, 1, 1, 0}));
}
