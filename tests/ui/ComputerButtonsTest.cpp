// Pins the file button bar: the buttons' places at the lower panel's width and at a narrower one, and
// the command each button invokes, asynchronously, through the command manager.
#include "ui/ComputerButtons.h"

#include "app/CommandIDs.h"
#include "support/CommandRecorder.h"
#include "support/MessageLoop.h"
#include "ui/CommandManager.h"

#include <gtest/gtest.h>

class ComputerButtonsTest : public testing::Test
{
protected:
    void SetUp() override { getCommandManager().setFirstCommandTarget(&recorder); }
    void TearDown() override { releaseCommandManager(); }

    juce::TextButton& button(int index)
    {
        return dynamic_cast<juce::TextButton&>(*bar.getChildComponent(index));
    }

    CommandRecorder recorder;
    ComputerButtons bar;
};

TEST_F(ComputerButtonsTest, TwoRowsOfTwoWithTheRightColumnAtTheRightEdge)
{
    const struct
    {
        const char* text;
        juce::Rectangle<int> at188, at150;
    } expected[] = {{"OPEN", {0, 0, 91, 30}, {0, 0, 91, 30}},
                    {"SAVE", {0, 35, 91, 30}, {0, 35, 91, 30}},
                    {"SAVE AS", {97, 35, 91, 30}, {59, 35, 91, 30}},
                    {"ABOUT", {97, 0, 91, 30}, {59, 0, 91, 30}}};
    ASSERT_EQ(bar.getNumChildComponents(), 4);
    bar.setSize(188, 140);
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(button(i).getButtonText(), expected[i].text);
        EXPECT_EQ(button(i).getBounds(), expected[i].at188) << expected[i].text;
    }
    // Too narrow for two columns: they overlap, and nothing is hidden or shrunk.
    bar.setSize(150, 20);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(button(i).getBounds(), expected[i].at150) << expected[i].text;
}

TEST_F(ComputerButtonsTest, EachButtonInvokesItsCommandAfterTheClickHasBeenHandled)
{
    bar.buttonClicked(&button(2));
    EXPECT_TRUE(recorder.performed.empty());
    for (const auto i : {0, 1, 3})
        button(i).triggerClick();
    ASSERT_TRUE(MessageLoop::pumpUntil([&] { return recorder.performed.size() >= 4; }));
    EXPECT_EQ(recorder.performed, (std::vector<juce::CommandID>{CommandIDs::saveAs, CommandIDs::open,
                                                                CommandIDs::save, CommandIDs::about}));

    // Another owner's button, or a command reported inactive, performs nothing.
    recorder.performed.clear();
    juce::TextButton stray;
    bar.buttonClicked(&stray);
    recorder.inactive.add(CommandIDs::open);
    bar.buttonClicked(&button(0));
    // Invocations arrive in order: once this one has, any of those above would have too.
    getCommandManager().invokeDirectly(CommandIDs::about, true);
    ASSERT_TRUE(MessageLoop::pumpUntil([&] { return !recorder.performed.empty(); }));
    EXPECT_EQ(recorder.performed, (std::vector<juce::CommandID>{CommandIDs::about}));
}
