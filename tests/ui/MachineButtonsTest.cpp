// Pins the device button bar: the buttons' places at the lower panel's width and at narrower ones, and
// the command each button invokes (not in the numeric order of the commands), only when it is active.
#include "ui/MachineButtons.h"

#include "app/CommandIDs.h"
#include "support/CommandRecorder.h"
#include "support/MessageLoop.h"
#include "ui/CommandManager.h"

#include <gtest/gtest.h>

class MachineButtonsTest : public testing::Test
{
protected:
    void SetUp() override { getCommandManager().setFirstCommandTarget(&recorder); }
    void TearDown() override { releaseCommandManager(); }

    juce::TextButton& button(const juce::String& text)
    {
        for (auto* child : bar.getChildren())
            if (auto* textButton = dynamic_cast<juce::TextButton*>(child);
                textButton->getButtonText() == text)
                return *textButton;
        ADD_FAILURE() << "no button " << text;
        return stray;
    }

    bool performedCount(size_t count)
    {
        return MessageLoop::pumpUntil([&] { return recorder.performed.size() >= count; });
    }

    CommandRecorder recorder;
    MachineButtons bar;
    juce::TextButton stray;
};

TEST_F(MachineButtonsTest, TwoRowsOfTwoWithTheRightColumnAtTheRightEdge)
{
    ASSERT_EQ(bar.getNumChildComponents(), 4);
    EXPECT_EQ(bar.getChildComponent(0), &button("DISCONNECT VEXLO"));
    EXPECT_EQ(bar.getChildComponent(1), &button("LOAD FROM VEXLO"));
    EXPECT_EQ(bar.getChildComponent(2), &button("SAVE TO VEXLO"));
    EXPECT_EQ(bar.getChildComponent(3), &button("RESET TO DEFAULT"));

    bar.setSize(288, 140);
    EXPECT_EQ(button("LOAD FROM VEXLO").getBounds(), juce::Rectangle<int>(0, 0, 140, 30));
    EXPECT_EQ(button("SAVE TO VEXLO").getBounds(), juce::Rectangle<int>(148, 0, 140, 30));
    EXPECT_EQ(button("DISCONNECT VEXLO").getBounds(), juce::Rectangle<int>(0, 35, 140, 30));
    EXPECT_EQ(button("RESET TO DEFAULT").getBounds(), juce::Rectangle<int>(148, 35, 140, 30));

    // Too narrow for two columns: they overlap, and nothing is hidden or shrunk.
    bar.setSize(200, 20);
    EXPECT_EQ(button("SAVE TO VEXLO").getBounds(), juce::Rectangle<int>(60, 0, 140, 30));
    EXPECT_EQ(button("RESET TO DEFAULT").getBounds(), juce::Rectangle<int>(60, 35, 140, 30));
    for (auto* child : bar.getChildren())
        EXPECT_TRUE(child->isVisible());
}

TEST_F(MachineButtonsTest, EachButtonInvokesItsCommandAfterTheClickHasBeenHandled)
{
    bar.buttonClicked(&button("LOAD FROM VEXLO"));
    EXPECT_TRUE(recorder.performed.empty());
    ASSERT_TRUE(performedCount(1));

    for (const auto* text : {"SAVE TO VEXLO", "DISCONNECT VEXLO", "RESET TO DEFAULT"})
        button(text).triggerClick();
    ASSERT_TRUE(performedCount(4));
    EXPECT_EQ(recorder.performed,
              (std::vector<juce::CommandID>{CommandIDs::restoreDevice, CommandIDs::saveToDevice,
                                            CommandIDs::disconnect, CommandIDs::restoreToFactory}));
}

TEST_F(MachineButtonsTest, WhileTheDeviceCommandsAreInactiveTheButtonsStayButPerformNothing)
{
    recorder.inactive.addArray({CommandIDs::disconnect, CommandIDs::saveToDevice, CommandIDs::restoreDevice,
                                CommandIDs::restoreToFactory});
    bar.buttonClicked(&stray);
    for (auto* child : bar.getChildren())
    {
        EXPECT_TRUE(child->isEnabled());
        bar.buttonClicked(dynamic_cast<juce::Button*>(child));
    }

    // Invocations are delivered in order, so once this one has arrived, the ones above would have too.
    getCommandManager().invokeDirectly(CommandIDs::about, true);
    ASSERT_TRUE(performedCount(1));
    MessageLoop::pump();
    EXPECT_EQ(recorder.performed, (std::vector<juce::CommandID>{CommandIDs::about}));
}
