// Pins the file button bar: the buttons' places at the lower panel's width and at narrower ones, and
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
    ComputerButtons bar;
    juce::TextButton stray;
};

TEST_F(ComputerButtonsTest, TwoRowsOfTwoWithTheRightColumnAtTheRightEdge)
{
    ASSERT_EQ(bar.getNumChildComponents(), 4);
    EXPECT_EQ(bar.getChildComponent(0), &button("OPEN"));
    EXPECT_EQ(bar.getChildComponent(1), &button("SAVE"));
    EXPECT_EQ(bar.getChildComponent(2), &button("SAVE AS"));
    EXPECT_EQ(bar.getChildComponent(3), &button("ABOUT"));

    bar.setSize(188, 140);
    EXPECT_EQ(button("OPEN").getBounds(), juce::Rectangle<int>(0, 0, 91, 30));
    EXPECT_EQ(button("ABOUT").getBounds(), juce::Rectangle<int>(97, 0, 91, 30));
    EXPECT_EQ(button("SAVE").getBounds(), juce::Rectangle<int>(0, 35, 91, 30));
    EXPECT_EQ(button("SAVE AS").getBounds(), juce::Rectangle<int>(97, 35, 91, 30));

    // Too narrow for two columns: they overlap, and nothing is hidden or shrunk.
    bar.setSize(150, 20);
    EXPECT_EQ(button("ABOUT").getBounds(), juce::Rectangle<int>(59, 0, 91, 30));
    EXPECT_EQ(button("SAVE AS").getBounds(), juce::Rectangle<int>(59, 35, 91, 30));
    for (auto* child : bar.getChildren())
        EXPECT_TRUE(child->isVisible());
}

TEST_F(ComputerButtonsTest, EachButtonInvokesItsCommandAfterTheClickHasBeenHandled)
{
    bar.buttonClicked(&button("SAVE AS"));
    EXPECT_TRUE(recorder.performed.empty());
    ASSERT_TRUE(performedCount(1));

    for (const auto* text : {"OPEN", "SAVE", "ABOUT"})
        button(text).triggerClick();
    ASSERT_TRUE(performedCount(4));
    EXPECT_EQ(recorder.performed, (std::vector<juce::CommandID>{CommandIDs::saveAs, CommandIDs::open,
                                                                CommandIDs::save, CommandIDs::about}));
}

TEST_F(ComputerButtonsTest, AButtonOfAnotherOwnerOrAnInactiveCommandPerformsNothing)
{
    bar.buttonClicked(&stray);
    recorder.inactive.add(CommandIDs::open);
    bar.buttonClicked(&button("OPEN"));
    // Invocations are delivered in order, so once this one has arrived, the ones above would have too.
    bar.buttonClicked(&button("SAVE"));
    ASSERT_TRUE(performedCount(1));
    MessageLoop::pump();
    EXPECT_EQ(recorder.performed, (std::vector<juce::CommandID>{CommandIDs::save}));
}
