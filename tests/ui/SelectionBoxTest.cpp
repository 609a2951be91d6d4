// Pins the selection box: stepping by click and keys with wrap-round, modified keys left to others,
// one report per change (the program's changes included), Return, focus, and what it paints.
#include "ui/SelectionBox.h"

#include "support/HeadlessWindow.h"
#include "support/Pixels.h"
#include "support/ScopedCustomLookAndFeel.h"
#include "ui/EditorFont.h"
#include "ui/Palette.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <gtest/gtest.h>

#include <vector>

namespace
{
// Reports as text: "3" for a change to index 3, "return" for Return, in the order they came.
class Recorder : public SelectionListener
{
public:
    void selectionChanged(SelectionBox* box, int index) override
    {
        EXPECT_EQ(box, expectedBox);
        reports.push_back(std::to_string(index));
    }
    void selectionActivated(SelectionBox* box) override
    {
        EXPECT_EQ(box, expectedBox);
        reports.push_back("return");
    }

    SelectionBox* expectedBox = nullptr;
    std::vector<std::string> reports;
};

using Reports = std::vector<std::string>;
} // namespace

class SelectionBoxTest : public testing::Test
{
protected:
    SelectionBoxTest()
    {
        box.setBounds(20, 20, 60, 15);
        window.addAndMakeVisible(box);
        recorder.expectedBox = &box;
        box.setListener(&recorder);
    }

    ScopedCustomLookAndFeel lookAndFeel;
    HeadlessWindow window{200, 100};
    SelectionBox box;
    Recorder recorder;
};

TEST_F(SelectionBoxTest, AddingItemsSelectsTheFirstWithoutAReport)
{
    EXPECT_EQ(box.getSelectedIndex(), -1);
    EXPECT_EQ(box.addItem("OFF"), 0);
    EXPECT_EQ(box.getSelectedIndex(), 0);
    EXPECT_EQ(box.addItem("ON"), 1);
    EXPECT_EQ(box.getSelectedIndex(), 0);
    EXPECT_TRUE(recorder.reports.empty());

    EXPECT_EQ(box.getItem(1), "ON");
    EXPECT_EQ(box.getItem(-1), "");
    EXPECT_EQ(box.getItem(2), "");
}

TEST_F(SelectionBoxTest, ClicksStepForwardWrapRoundAndTakeTheFocus)
{
    box.addItem("OFF");
    box.addItem("ON");
    ASSERT_FALSE(box.hasKeyboardFocus(false));

    window.click({30, 25});
    EXPECT_EQ(box.getSelectedIndex(), 1);
    EXPECT_TRUE(box.hasKeyboardFocus(false));
    window.click({30, 25});
    EXPECT_EQ(box.getSelectedIndex(), 0);
    EXPECT_EQ(recorder.reports, (Reports{"1", "0"}));
}

TEST_F(SelectionBoxTest, KeysStepBothWaysWithWrapRoundAndReturnIsReported)
{
    for (const auto* text : {"cc", "note", "nrpn"})
        box.addItem(text);
    box.grabKeyboardFocus();
    ASSERT_TRUE(box.hasKeyboardFocus(false));

    EXPECT_TRUE(window.pressKey(juce::KeyPress(juce::KeyPress::leftKey)));
    EXPECT_TRUE(window.pressKey(juce::KeyPress(juce::KeyPress::upKey)));
    EXPECT_TRUE(window.pressKey(juce::KeyPress(juce::KeyPress::rightKey)));
    EXPECT_TRUE(window.pressKey(juce::KeyPress(juce::KeyPress::downKey)));
    EXPECT_TRUE(window.pressKey(juce::KeyPress(juce::KeyPress::spaceKey)));
    EXPECT_TRUE(window.pressKey(juce::KeyPress(juce::KeyPress::returnKey)));
    EXPECT_EQ(recorder.reports, (Reports{"2", "1", "2", "0", "1", "return"}));
    EXPECT_EQ(box.getSelectedIndex(), 1);
}

TEST_F(SelectionBoxTest, KeysWithShiftCtrlOrAltAreLeftToOthers)
{
    box.addItem("OFF");
    box.addItem("ON");
    box.grabKeyboardFocus();

    const juce::KeyPress modified[] = {
        {juce::KeyPress::spaceKey, juce::ModifierKeys::shiftModifier, 0},
        {juce::KeyPress::rightKey, juce::ModifierKeys::ctrlModifier, 0},
        {juce::KeyPress::returnKey, juce::ModifierKeys::altModifier, 0},
        {juce::KeyPress::leftKey, juce::ModifierKeys::shiftModifier, 0},
    };
    for (const auto& key : modified)
    {
        EXPECT_FALSE(box.keyPressed(key)) << key.getTextDescription();
        // Nothing else in the window wants it either.
        EXPECT_FALSE(window.pressKey(key)) << key.getTextDescription();
    }
    EXPECT_FALSE(box.keyPressed(juce::KeyPress('a')));
    EXPECT_FALSE(box.keyPressed(juce::KeyPress(juce::KeyPress::tabKey)));
    EXPECT_TRUE(recorder.reports.empty());
    EXPECT_EQ(box.getSelectedIndex(), 0);
}

TEST_F(SelectionBoxTest, WithOneItemOrNoneNothingChangesButTheKeysAreStillUsed)
{
    EXPECT_TRUE(box.keyPressed(juce::KeyPress(juce::KeyPress::spaceKey)));
    EXPECT_TRUE(box.keyPressed(juce::KeyPress(juce::KeyPress::upKey)));
    EXPECT_TRUE(box.keyPressed(juce::KeyPress(juce::KeyPress::returnKey)));
    window.click({30, 25});
    EXPECT_EQ(box.getSelectedIndex(), -1);
    EXPECT_EQ(recorder.reports, (Reports{"return"}));

    box.addItem("ONLY");
    for (const auto key : {juce::KeyPress::spaceKey, juce::KeyPress::rightKey, juce::KeyPress::downKey,
                           juce::KeyPress::leftKey, juce::KeyPress::upKey})
        EXPECT_TRUE(box.keyPressed(juce::KeyPress(key)));
    window.click({30, 25});
    EXPECT_EQ(box.getSelectedIndex(), 0);
    EXPECT_EQ(recorder.reports, (Reports{"return"}));

    box.setListener(nullptr);
    EXPECT_TRUE(box.keyPressed(juce::KeyPress(juce::KeyPress::returnKey)));
    EXPECT_EQ(recorder.reports.size(), 1u);
}

TEST_F(SelectionBoxTest, TheProgramsChangesAreReportedOnlyWhenTheyChangeSomething)
{
    box.addItem("OFF");
    box.addItem("ON");
    box.setSelectedIndex(0);
    EXPECT_TRUE(recorder.reports.empty());
    box.setSelectedIndex(1);
    box.setSelectedIndex(1);
    EXPECT_EQ(recorder.reports, (Reports{"1"}));
}

TEST_F(SelectionBoxTest, PaintsAWhiteCellWithTheCentredItemFramedInGreenWhileFocused)
{
    auto image = Pixels::snapshot(box);
    EXPECT_EQ(Pixels::count(image, image.getBounds(), [](juce::Colour c) { return c == Palette::white; }),
              60 * 15);

    box.grabKeyboardFocus();
    image = Pixels::snapshot(box);
    for (const auto& [x, y] : {std::pair{0, 7}, {59, 7}, {30, 0}, {30, 14}})
        EXPECT_EQ(Pixels::at(image, x, y), Palette::green);
    EXPECT_EQ(Pixels::count(image, image.getBounds().reduced(1),
                            [](juce::Colour c) { return c == Palette::white; }),
              58 * 13);

    box.addItem("ON");
    box.giveAwayKeyboardFocus();
    // The item centred in the cell moved one pixel down.
    const auto reference =
        Pixels::draw(60, 15,
                     [](juce::Graphics& g)
                     {
                         g.fillAll(Palette::white);
                         g.setColour(Palette::black);
                         g.setFont(getEditorFont());
                         g.drawText("ON", 0, 1, 60, 15, juce::Justification::centred, false);
                     });
    image = Pixels::snapshot(box);
    EXPECT_GT(Pixels::count(image, image.getBounds(), Pixels::isInk), 20);
    EXPECT_TRUE(Pixels::same(image, reference));
}
