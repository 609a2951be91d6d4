// Pins what the three settings forms share: their size and rows, the Return chain with its wrap-round,
// which forms take the focus when a control is set, and moving the attachment between records.
#include "ui/SettingsEditorFrame.h"

#include "support/FormTest.h"
#include "support/JucePrinters.h"
#include "ui/AnalogEditor.h"
#include "ui/DigitalEditor.h"
#include "ui/LEDEditor.h"
#include "ui/Palette.h"

namespace
{
// Each form with its records, the name of its control 1, and the rows Return visits from the channel.
struct Analog
{
    using Editor = AnalogEditor;
    static constexpr auto record = &Model::getAnalog;
    static constexpr const char* names = "KNOB 3:INDEX,MIN_VALUE,MAX_VALUE,,MIDI_CHANNEL";
};

struct Digital
{
    using Editor = DigitalEditor;
    static constexpr auto record = &Model::getDigital;
    static constexpr const char* names = "BUTTON 2:MODE,TOGGLE,NUMBER,ON_VALUE,OFF_VALUE,MIDI_CHANNEL";
};

struct LED
{
    using Editor = LEDEditor;
    static constexpr auto record = &Model::getLED;
    static constexpr const char* names = "LED 2:MODE,ABLETON,NUMBER,MIDI_CHANNEL";
};
} // namespace

template <typename Form> class SettingsEditorFrameTest : public FormTest<typename Form::Editor>
{
protected:
    SettingsEditorFrameTest() { this->driver.window.addAndMakeVisible(elsewhere); }

    auto* record(int index) { return (this->model.*Form::record)(index); }

    juce::TextEditor elsewhere;
};

using Forms = testing::Types<Analog, Digital, LED>;
TYPED_TEST_SUITE(SettingsEditorFrameTest, Forms);

TYPED_TEST(SettingsEditorFrameTest, StacksItsRowsUnderThePinkTitle)
{
    const auto rows = (this->editor.getNumChildComponents() - 1) / 2;
    EXPECT_EQ(this->editor.getBounds(), juce::Rectangle<int>(0, 0, 141, 21 + 14 * rows));
    EXPECT_EQ(this->title(), "TITLE HERE");
    EXPECT_EQ(this->editor.getChildComponent(0)->findColour(juce::Label::textColourId), Palette::pink);
    for (int row = 0; row < rows; ++row)
    {
        EXPECT_EQ(this->editor.getChildComponent(1 + row)->getBounds(),
                  juce::Rectangle<int>(6, 23 + 14 * row, 100, 11));
        EXPECT_EQ(this->editor.getChildComponent(1 + rows + row)->getBounds(),
                  juce::Rectangle<int>(106, 21 + 14 * row, 35, 13));
    }
}

TYPED_TEST(SettingsEditorFrameTest, TakesTheFocusUnlessItIsTheLEDsAndReturnWalksTheFormRoundToTheChannel)
{
    auto& channel = this->field("MIDI_CHANNEL");
    this->elsewhere.grabKeyboardFocus();
    this->editor.setControl(1, this->record(1));
    const auto takesFocus = !std::is_same_v<typename TypeParam::Editor, LEDEditor>;
    EXPECT_EQ(FormDriver::focused(), takesFocus ? &channel : &this->elsewhere);

    channel.grabKeyboardFocus();
    auto names = this->title() + ":";
    for (int i = 0; i < 8 && (i == 0 || FormDriver::focused() != &channel); ++i)
    {
        this->driver.press(juce::KeyPress::returnKey);
        names << (i == 0 ? "" : ",") << FormDriver::focused()->getName();
    }
    EXPECT_EQ(names, TypeParam::names);
    EXPECT_EQ(channel.getHighlightedRegion(), juce::Range<int>(0, 1));

    // Setting the same control again, with the caret after a typed digit, selects the whole text.
    this->driver.type("5");
    this->editor.setControl(1, this->record(1));
    FormDriver::settle();
    EXPECT_EQ(channel.getHighlightedRegion(), juce::Range<int>(takesFocus ? 0 : 1, 1));
}

TYPED_TEST(SettingsEditorFrameTest, FollowsOnlyTheRecordLastSetAndKeepsItsValuesWhenDetached)
{
    auto& channel = this->field("MIDI_CHANNEL");
    this->editor.setControl(0, this->record(0));
    this->editor.setControl(1, this->record(1));
    this->record(0)->setChannel(9);
    this->record(1)->setChannel(7);
    EXPECT_EQ(channel.getText(), "7");

    this->editor.setControl(0, nullptr);
    this->record(1)->setChannel(8);
    channel.grabKeyboardFocus();
    channel.selectAll();
    this->driver.type("5");
    EXPECT_EQ(channel.getText(), "5");
    EXPECT_EQ(this->record(0)->getChannel() * 100 + this->record(1)->getChannel(), 908);

    // A form that goes away stops listening first, so the record never calls into it again.
    auto shortLived = std::make_unique<typename TypeParam::Editor>();
    shortLived->setControl(0, this->record(0));
    shortLived.reset();
    this->record(0)->setChannel(3);
}

TYPED_TEST(SettingsEditorFrameTest, AReloadKeepsAWholeSelectionAndARefusedKeyChangesNothing)
{
    auto& channel = this->field("MIDI_CHANNEL");
    auto& record = *this->record(1);
    this->editor.setControl(1, &record);
    channel.grabKeyboardFocus();
    record.setChannel(12);
    for (const auto* refused : {"a", " ", "-"})
        this->driver.type(refused);
    EXPECT_EQ(channel.getText(), "12");
    EXPECT_EQ(record.getChannel(), 12);

    this->driver.type("5");
    EXPECT_EQ(record.getChannel(), 5);

    // An emptied field waits for the next digit.
    this->driver.press(juce::KeyPress::backspaceKey);
    this->driver.type("2");
    EXPECT_EQ(record.getChannel(), 2);
}
