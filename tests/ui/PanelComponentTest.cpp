// Pins the lower panel: its four columns at two widths, the editors, borders and pair at their own
// sizes, switching the CONTROLS column without losing the hidden editors' records, and the monitor
// calls passed on.
#include "ui/PanelComponent.h"

#include "model/Model.h"
#include "support/FormDriver.h"
#include "support/JucePrinters.h"
#include "support/Pixels.h"
#include "support/ScopedCustomLookAndFeel.h"
#include "ui/AnalogEditor.h"
#include "ui/DigitalEditor.h"
#include "ui/LEDEditor.h"
#include "ui/MachineButtons.h"
#include "ui/MonitorEditor.h"
#include "ui/Palette.h"

#include <gtest/gtest.h>

using Bounds = juce::Rectangle<int>;

class PanelComponentTest : public testing::Test
{
protected:
    PanelComponentTest() { panel.setBounds(0, 0, 1100, 166); }

    juce::Component& column(int index) { return *panel.getChildComponent(index); }

    ScopedCustomLookAndFeel lookAndFeel;
    Model model{nullptr};
    PanelComponent panel;
    FormDriver driver{panel, 1100, 166};
    AnalogEditor& analog = *FormDriver::find<AnalogEditor>(panel);
    DigitalEditor& digital = *FormDriver::find<DigitalEditor>(panel);
    LEDEditor& led = *FormDriver::find<LEDEditor>(panel);
};

TEST_F(PanelComponentTest, ColumnsDivideTheWidthAtFixedShares)
{
    ASSERT_EQ(panel.getNumChildComponents(), 5);
    const std::vector<Bounds> at1100{
        {6, 6, 303, 154}, {6, 6, 303, 154}, {321, 6, 273, 154}, {606, 6, 288, 154}, {906, 6, 188, 154}};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(column(i).getBounds(), at1100[(size_t) i]) << i;

    panel.setSize(1000, 166);
    const std::vector<Bounds> at1000{
        {6, 6, 274, 154}, {6, 6, 274, 154}, {292, 6, 247, 154}, {551, 6, 261, 154}, {824, 6, 170, 154}};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(column(i).getBounds(), at1000[(size_t) i]) << i;

    EXPECT_EQ(Pixels::at(Pixels::snapshot(panel), 2, 2), Palette::lightGrey);
}

TEST_F(PanelComponentTest, FramesKeepTheSizesOfWhatTheyShow)
{
    auto& monitor = *FormDriver::find<MonitorEditor>(panel);
    auto& pair = *digital.getParentComponent()->getParentComponent();
    EXPECT_EQ(analog.getBounds(), Bounds(2, 7, 141, 91));
    EXPECT_EQ(analog.getParentComponent()->getBounds(), Bounds(0, 24, 150, 105));
    EXPECT_EQ(digital.getBounds(), Bounds(2, 7, 141, 105));
    EXPECT_EQ(digital.getParentComponent()->getBounds(), Bounds(0, 0, 150, 119));
    EXPECT_EQ(led.getBounds(), Bounds(2, 7, 141, 77));
    EXPECT_EQ(led.getParentComponent()->getBounds(), Bounds(152, 0, 150, 91));
    EXPECT_EQ(pair.getBounds(), Bounds(0, 24, 302, 119));
    EXPECT_EQ(pair.getParentComponent(), &column(1));
    EXPECT_EQ(monitor.getBounds(), Bounds(2, 7, 146, 79));
    EXPECT_EQ(monitor.getParentComponent()->getBounds(), Bounds(0, 24, 155, 93));
    EXPECT_EQ(FormDriver::find<MachineButtons>(panel)->getBounds(), Bounds(0, 24, 288, 130));
}

TEST_F(PanelComponentTest, SwitchingColumnsLeavesTheHiddenEditorsAttached)
{
    EXPECT_TRUE(column(0).isVisible());
    EXPECT_FALSE(column(1).isVisible());

    panel.showDigital(5, model.getDigital(5), model.getLED(5));
    EXPECT_FALSE(column(0).isVisible());
    EXPECT_TRUE(column(1).isVisible());
    EXPECT_EQ(digital.getRecord(), model.getDigital(5));
    EXPECT_EQ(led.getRecord(), model.getLED(5));
    EXPECT_EQ(dynamic_cast<juce::Label*>(digital.getChildComponent(0))->getText(), "BUTTON 6");
    EXPECT_EQ(dynamic_cast<juce::Label*>(led.getChildComponent(0))->getText(), "LED 6");
    auto* channel = FormDriver::find<juce::TextEditor>(digital, "MIDI_CHANNEL");
    EXPECT_EQ(FormDriver::focused(), channel);
    EXPECT_EQ(channel->getHighlightedRegion(), juce::Range<int>(0, 1));

    panel.showAnalog(4, model.getAnalog(4));
    EXPECT_TRUE(column(0).isVisible());
    EXPECT_FALSE(column(1).isVisible());
    EXPECT_EQ(analog.getRecord(), model.getAnalog(4));
    model.getDigital(5)->setChannel(9);
    model.getLED(5)->setNumber(33);
    EXPECT_EQ(channel->getText(), "9");
    EXPECT_EQ(FormDriver::find<juce::TextEditor>(led, "NUMBER")->getText(), "33");
}

TEST_F(PanelComponentTest, PassesMessagesAndActivityToTheMonitor)
{
    auto& monitor = *FormDriver::find<MonitorEditor>(panel);
    panel.showMonitor("BUTTON 2", 3, 1, 36, 64);
    juce::StringArray texts;
    for (auto* child : monitor.getChildren())
        texts.add(dynamic_cast<juce::Label*>(child)->getText());
    EXPECT_EQ(texts.joinIntoString("|"), "BUTTON 2|MIDI CHANNEL|3|MESSAGE TYPE|NOTE|CONTROL ID|36|VALUE|64");

    panel.flashActivity(true);
    EXPECT_TRUE(monitor.isActive());
}
