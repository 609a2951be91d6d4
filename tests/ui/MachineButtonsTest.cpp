// Pins the device button bar: the buttons' places at the lower panel's width and at a narrower one, and
// the command each button invokes (not in the commands' numeric order), only while it is active.
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

    juce::TextButton& button(int index)
    {
        return dynamic_cast<juce::TextButton&>(*bar.getChildComponent(index));
    }

    CommandRecorder recorder;
    MachineButtons bar;
};

TEST_F(MachineButtonsTest, TwoRowsOfTwoWithTheRightColumnAtTheRightEdge)
{
    const struct
    {
        const char* text;
        juce::Rectangle<int> at288, at200;
    } expected[] = {{"DISCONNECT VEXLO", {0, 35, 140, 30}, {0, 35, 140, 30}},
                    {"LOAD FROM VEXLO", {0, 0, 140, 30}, {0, 0, 140, 30}},
                    {"SAVE TO VEXLO", {148, 0, 140, 30}, {60, 0, 140, 30}},
                    {"RESET TO DEFAULT", {148, 35, 140, 30}, {60, 35, 140, 30}}};
    ASSERT_EQ(bar.getNumChildComponents(), 4);
    bar.setSize(288, 140);
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(button(i).getButtonText(), expected[i].text);
        EXPECT_EQ(button(i).getBounds(), expected[i].at288) << expected[i].text;
    }
    // Too narrow for two columns: they overlap, and nothing is hidden or shrunk.
    bar.setSize(200, 20);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(button(i).getBounds(), expected[i].at200) << expected[i].text;
}

TEST_F(MachineButtonsTest, EachButtonInvokesItsCommandOnlyWhileTheCommandIsActive)
{
    bar.buttonClicked(&button(1));
    EXPECT_TRUE(recorder.performed.empty());
    for (const auto i : {2, 0, 3})
        button(i).triggerClick();
    ASSERT_TRUE(MessageLoop::pumpUntil([&] { return recorder.performed.size() >= 4; }));
    EXPECT_EQ(recorder.performed,
              (std::vector<juce::CommandID>{CommandIDs::restoreDevice, CommandIDs::saveToDevice,
                                            CommandIDs::disconnect, CommandIDs::restoreToFactory}));

    // While disconnected the buttons stay enabled, but their commands are not performed.
    recorder.performed.clear();
    recorder.inactive.addArray({CommandIDs::disconnect, CommandIDs::saveToDevice, CommandIDs::restoreDevice,
                                CommandIDs::restoreToFactory});
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_TRUE(button(i).isEnabled());
        bar.buttonClicked(&button(i));
    }
    // Invocations arrive in order: once this one has, any of those above would have too.
    getCommandManager().invokeDirectly(CommandIDs::about, true);
    ASSERT_TRUE(MessageLoop::pumpUntil([&] { return !recorder.performed.empty(); }));
    EXPECT_EQ(recorder.performed, (std::vector<juce::CommandID>{CommandIDs::about}));
}
