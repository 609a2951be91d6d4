#pragma once

#include "support/CommandRecorder.h"
#include "support/HeadlessWindow.h"
#include "support/JucePrinters.h"
#include "support/MessageLoop.h"
#include "ui/CommandManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

// One button of a command button bar, in member order: its text, its bounds at a wide and at a
// narrow bar width, and the command it invokes.
struct ExpectedBarButton
{
    const char* text;
    juce::Rectangle<int> wide;
    juce::Rectangle<int> narrow;
    juce::CommandID command;
};

using ExpectedBar = std::vector<ExpectedBarButton>;

// A command button bar whose commands a recorder performs, as the main component does, with the checks
// that both bars share.
template <typename Bar> class ButtonBarTest : public testing::Test
{
protected:
    void SetUp() override { getCommandManager().setFirstCommandTarget(&recorder); }
    void TearDown() override { releaseCommandManager(); }

    juce::TextButton& button(int index)
    {
        return dynamic_cast<juce::TextButton&>(*bar.getChildComponent(index));
    }

    // The buttons' texts and places at both widths: too narrow for two columns, they overlap, and
    // nothing is hidden or shrunk.
    void expectButtons(const ExpectedBar& expected, int wideWidth, int narrowWidth)
    {
        ASSERT_EQ(bar.getNumChildComponents(), (int) expected.size());
        bar.setSize(wideWidth, 140);

        for (int i = 0; i < bar.getNumChildComponents(); ++i)
        {
            EXPECT_EQ(button(i).getButtonText(), expected[(size_t) i].text);
            EXPECT_EQ(button(i).getBounds(), expected[(size_t) i].wide) << expected[(size_t) i].text;
        }

        bar.setSize(narrowWidth, 20);

        for (int i = 0; i < bar.getNumChildComponents(); ++i)
            EXPECT_EQ(button(i).getBounds(), expected[(size_t) i].narrow) << expected[(size_t) i].text;
    }

    // Each button invokes its command, after the click handler has returned; another owner's button
    // invokes nothing.
    void expectEachButtonInvokesItsCommandLater(const ExpectedBar& expected)
    {
        const int last = (int) expected.size() - 1;
        bar.buttonClicked(&button(last));
        juce::TextButton stray;
        bar.buttonClicked(&stray);
        EXPECT_TRUE(recorder.performed.empty());

        for (int i = 0; i < last; ++i)
            button(i).triggerClick();

        ASSERT_TRUE(MessageLoop::pumpUntil([&] { return recorder.performed.size() >= expected.size(); }));
        std::vector<juce::CommandID> wanted{expected.back().command};

        for (int i = 0; i < last; ++i)
            wanted.push_back(expected[(size_t) i].command);

        EXPECT_EQ(recorder.performed, wanted);

        // Clicked on screen, the buttons answer the left button alone.
        recorder.performed.clear();
        HeadlessWindow window(400, 100);
        window.addAndMakeVisible(bar);
        bar.setSize(400, 70);
        for (int i = 0; i <= last; ++i)
            for (const auto other :
                 {juce::ModifierKeys::rightButtonModifier, juce::ModifierKeys::middleButtonModifier})
                window.click(button(i).getBounds().getCentre(), juce::ModifierKeys(other));
        window.click(button(last).getBounds().getCentre());
        ASSERT_TRUE(MessageLoop::pumpUntil([&] { return !recorder.performed.empty(); }));
        EXPECT_EQ(recorder.performed, std::vector<juce::CommandID>{expected.back().command});
    }

    // While its commands are inactive (the device commands while disconnected) every button stays
    // enabled, and its clicks perform nothing.
    void expectInactiveCommandsPerformNothing(const ExpectedBar& expected)
    {
        recorder.performed.clear();

        for (int i = 0; i < (int) expected.size(); ++i)
        {
            recorder.inactive.add(expected[(size_t) i].command);
            EXPECT_TRUE(button(i).isEnabled());
            bar.buttonClicked(&button(i));
        }

        // Invocations arrive in order: once an active one has, any of those above would have too.
        juce::Array<juce::CommandID> all;
        recorder.getAllCommands(all);
        const auto marker = *std::find_if(all.begin(), all.end(),
                                          [this](auto id) { return !recorder.inactive.contains(id); });
        getCommandManager().invokeDirectly(marker, true);
        ASSERT_TRUE(MessageLoop::pumpUntil([&] { return !recorder.performed.empty(); }));
        EXPECT_EQ(recorder.performed, std::vector<juce::CommandID>{marker});
    }

    CommandRecorder recorder;
    Bar bar;
};
