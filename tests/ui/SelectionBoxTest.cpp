// Pins the selection box: stepping by left click and keys with wrap-round, modified keys left to others,
// one report per change (the program's changes included), Return, focus, what it paints, and a
// listener that deletes it from inside a report.
#include "ui/SelectionBox.h"

#include "support/HeadlessWindow.h"
#include "support/Pixels.h"
#include "support/ScopedCustomLookAndFeel.h"
#include "ui/EditorFont.h"
#include "ui/Palette.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{
using Reports = std::vector<std::string>;

// Reports as text: "3" for a change to index 3, "return" for Return.
class Recorder : public SelectionListener
{
public:
    void selectionChanged(SelectionBox*, int index) override { reports.push_back(std::to_string(index)); }
    void selectionActivated(SelectionBox*) override { reports.push_back("return"); }

    Reports reports;
};

juce::KeyPress key(int code, int modifiers = 0)
{
    return juce::KeyPress(code, juce::ModifierKeys(modifiers), 0);
}
} // namespace

class SelectionBoxTest : public testing::Test
{
protected:
    SelectionBoxTest()
    {
        box.setBounds(20, 20, 60, 15);
        window.addAndMakeVisible(box);
        box.setListener(&recorder);
    }

    ScopedCustomLookAndFeel lookAndFeel;
    HeadlessWindow window{200, 100};
    SelectionBox box;
    Recorder recorder;
};

TEST_F(SelectionBoxTest, ClicksStepForwardTakeTheFocusAndReportEachChange)
{
    EXPECT_EQ(box.getSelectedIndex(), -1);
    EXPECT_EQ(box.addItem("OFF"), 0);
    EXPECT_EQ(box.addItem("ON"), 1);
    EXPECT_EQ(box.getSelectedIndex(), 0);
    EXPECT_EQ(box.getItem(1), "ON");
    EXPECT_EQ(box.getItem(-1), "");
    EXPECT_EQ(box.getItem(2), "");

    window.click({30, 25});
    EXPECT_TRUE(box.hasKeyboardFocus(false));
    window.click({30, 25});
    // Only the primary button steps it.
    for (const auto button :
         {juce::ModifierKeys::rightButtonModifier, juce::ModifierKeys::middleButtonModifier})
        window.click({30, 25}, juce::ModifierKeys(button));
    box.setSelectedIndex(0); // already shown: no report
    box.setSelectedIndex(1); // the program's change is reported too
    EXPECT_EQ(recorder.reports, (Reports{"1", "0", "1"}));
}

TEST_F(SelectionBoxTest, KeysStepBothWaysWithWrapRoundAndModifiedKeysAreLeftToOthers)
{
    for (const auto* text : {"cc", "note", "nrpn"})
        box.addItem(text);
    box.grabKeyboardFocus();

    for (const auto code : {juce::KeyPress::leftKey, juce::KeyPress::upKey, juce::KeyPress::rightKey,
                            juce::KeyPress::downKey, juce::KeyPress::spaceKey, juce::KeyPress::returnKey})
        EXPECT_TRUE(window.pressKey(key(code)));
    EXPECT_EQ(recorder.reports, (Reports{"2", "1", "2", "0", "1", "return"}));

    for (const auto& modified : {key(juce::KeyPress::spaceKey, juce::ModifierKeys::shiftModifier),
                                 key(juce::KeyPress::rightKey, juce::ModifierKeys::ctrlModifier),
                                 key(juce::KeyPress::returnKey, juce::ModifierKeys::altModifier),
                                 key(juce::KeyPress::leftKey, juce::ModifierKeys::shiftModifier),
                                 key(juce::KeyPress::upKey, juce::ModifierKeys::altModifier), key('a')})
    {
        EXPECT_FALSE(box.keyPressed(modified)) << modified.getTextDescription();
        // Offered to the window too, where nothing else wants it.
        EXPECT_FALSE(window.pressKey(modified)) << modified.getTextDescription();
    }
    EXPECT_EQ(recorder.reports.size(), 6u);
}

TEST_F(SelectionBoxTest, WithOneItemOrNoneNothingChangesButTheKeysAreStillUsed)
{
    EXPECT_TRUE(box.keyPressed(key(juce::KeyPress::spaceKey)));
    EXPECT_TRUE(box.keyPressed(key(juce::KeyPress::upKey)));
    EXPECT_TRUE(box.keyPressed(key(juce::KeyPress::returnKey)));
    window.click({30, 25});
    EXPECT_EQ(box.getSelectedIndex(), -1);

    box.addItem("ONLY");
    for (const auto code : {juce::KeyPress::spaceKey, juce::KeyPress::rightKey, juce::KeyPress::leftKey})
        EXPECT_TRUE(box.keyPressed(key(code)));
    window.click({30, 25});
    box.setListener(nullptr);
    EXPECT_TRUE(box.keyPressed(key(juce::KeyPress::returnKey)));
    EXPECT_EQ(box.getSelectedIndex(), 0);
    EXPECT_EQ(recorder.reports, (Reports{"return"}));
}

TEST_F(SelectionBoxTest, PaintsAWhiteCellWithTheCentredItemFramedInGreenWhileFocused)
{
    const auto whiteIn = [](const juce::Image& image, juce::Rectangle<int> area)
    { return Pixels::count(image, area, [](juce::Colour c) { return c == Palette::white; }); };
    EXPECT_EQ(whiteIn(Pixels::snapshot(box), {60, 15}), 60 * 15);

    box.grabKeyboardFocus();
    const auto focused = Pixels::snapshot(box);
    EXPECT_EQ(whiteIn(focused, {1, 1, 58, 13}), 58 * 13);
    EXPECT_EQ(Pixels::count(focused, {60, 15}, [](juce::Colour c) { return c == Palette::green; }),
              2 * (60 + 13));

    box.addItem("ON");
    box.giveAwayKeyboardFocus();
    // The item centred in the cell moved one pixel down.
    const auto reference =
        Pixels::draw(60, 15,
                     [](juce::Graphics& g)
                     {
                         g.fillAll(Palette::white);
                         g.setFont(getEditorFont());
                         g.drawText("ON", 0, 1, 60, 15, juce::Justification::centred, false);
                     });
    EXPECT_GT(Pixels::count(reference, {60, 15}, Pixels::isInk), 20);
    EXPECT_TRUE(Pixels::same(Pixels::snapshot(box), reference));
}

TEST_F(SelectionBoxTest, ItsListenerMayDeleteItInsideAReport)
{
    struct : SelectionListener
    {
        void selectionChanged(SelectionBox*, int) override { box.reset(); }
        void selectionActivated(SelectionBox*) override {}
        std::unique_ptr<SelectionBox> box;
    } listener;
    for (const auto code : {juce::KeyPress::spaceKey, juce::KeyPress::leftKey})
    {
        listener.box = std::make_unique<SelectionBox>();
        listener.box->addItem("OFF");
        listener.box->addItem("ON");
        listener.box->setListener(&listener);
        window.addAndMakeVisible(*listener.box);
        listener.box->grabKeyboardFocus();
        EXPECT_TRUE(window.pressKey(key(code)));
        EXPECT_EQ(listener.box, nullptr);
    }
}
