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
    MonitorEditor& monitor = *FormDriver::find<MonitorEditor>(panel);
};

TEST_F(PanelComponentTest, ColumnsDivideTheWidthAndFramesKeepTheSizesOfWhatTheyShow)
{
    for (const auto& [width, columns] :
         {std::make_pair(1100, std::vector<int>{6, 303, 321, 273, 606, 288, 906, 188}),
          std::make_pair(1000, std::vector<int>{6, 274, 292, 247, 551, 261, 824, 170})})
    {
        panel.setSize(width, 166);
        for (int i = 0; i < 5; ++i)
        {
            const auto place = (size_t) juce::jmax(0, i - 1) * 2;
            EXPECT_EQ(column(i).getBounds(), Bounds(columns[place], 6, columns[place + 1], 154))
                << width << " " << i;
        }
    }
    EXPECT_EQ(Pixels::at(Pixels::snapshot(panel), 2, 2), Palette::lightGrey);

    EXPECT_EQ(analog.getParentComponent()->getBounds(), Bounds(0, 24, 150, 105));
    EXPECT_EQ(digital.getParentComponent()->getBounds(), Bounds(0, 0, 150, 119));
    EXPECT_EQ(led.getParentComponent()->getBounds(), Bounds(152, 0, 150, 91));
    EXPECT_EQ(digital.getParentComponent()->getParentComponent()->getBounds(), Bounds(0, 24, 302, 119));
    EXPECT_EQ(monitor.getParentComponent()->getBounds(), Bounds(0, 24, 155, 93));
}

TEST_F(PanelComponentTest, SwitchingColumnsLeavesTheHiddenEditorsAttached)
{
    EXPECT_TRUE(column(0).isVisible() && !column(1).isVisible());
    panel.showDigital(5, model.getDigital(5), model.getLED(5));
    EXPECT_TRUE(!column(0).isVisible() && column(1).isVisible());
    EXPECT_EQ(dynamic_cast<juce::Label*>(digital.getChildComponent(0))->getText(), "BUTTON 6");
    EXPECT_EQ(dynamic_cast<juce::Label*>(led.getChildComponent(0))->getText(), "LED 6");
    auto* channel = FormDriver::find<juce::TextEditor>(digital, "MIDI_CHANNEL");
    EXPECT_EQ(FormDriver::focused(), channel);

    panel.showAnalog(4, model.getAnalog(4));
    EXPECT_TRUE(column(0).isVisible() && !column(1).isVisible());
    EXPECT_EQ(analog.getRecord(), model.getAnalog(4));
    model.getDigital(5)->setChannel(9);
    model.getLED(5)->setNumber(33);
    EXPECT_EQ(channel->getText() + " " + FormDriver::find<juce::TextEditor>(led, "NUMBER")->getText(),
              "9 33");

    panel.showMonitor("BUTTON 2", 3, 1, 36, 64);
    panel.flashActivity(true);
    EXPECT_EQ(dynamic_cast<juce::Label*>(monitor.getChildComponent(0))->getText(), "BUTTON 2");
    EXPECT_TRUE(monitor.isActive());
}
