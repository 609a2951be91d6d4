// Pins the port panel: what CONNECT and REFRESH report, how setPorts selects, and the layout arithmetic.
#include "device/MIDIComponent.h"

#include "support/MessageLoop.h"
#include "support/ScopedCustomLookAndFeel.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace
{
class RecordingListener : public MIDIComponentListener
{
public:
    void refreshRequested() override { calls.push_back("refresh"); }
    void connectRequested(int in, int out) override
    {
        calls.push_back("connect " + juce::String(in) + " " + juce::String(out));
    }

    std::vector<juce::String> calls;
};

template <typename Type> Type* findChild(juce::Component& parent, int nth = 0)
{
    for (auto* child : parent.getChildren())
        if (auto* typed = dynamic_cast<Type*>(child))
            if (nth-- == 0)
                return typed;
    return nullptr;
}

juce::TextButton* findButton(juce::Component& parent, const juce::String& text)
{
    for (auto* child : parent.getChildren())
        if (auto* button = dynamic_cast<juce::TextButton*>(child))
            if (button->getButtonText() == text)
                return button;
    return nullptr;
}

void click(juce::Button* button)
{
    ASSERT_NE(button, nullptr);
    button->triggerClick();
    MessageLoop::pump(5);
}
} // namespace

TEST(MIDIComponent, ReportsTheSelectedPositionsOrMinusOneWhenEmpty)
{
    RecordingListener listener;
    MIDIComponent panel(&listener);

    click(findButton(panel, "CONNECT"));
    panel.setPorts({"In A", "In B"}, {"Out A", "Out B", "Out C"}, 1, 2);
    MessageLoop::pump(5);
    click(findButton(panel, "CONNECT"));
    panel.setPorts({}, {}, 0, 0);
    MessageLoop::pump(5);
    click(findButton(panel, "CONNECT"));

    EXPECT_THAT(listener.calls, testing::ElementsAre("connect -1 -1", "connect 1 2", "connect -1 -1"));
}

TEST(MIDIComponent, SetPortsFillsTheListsAndLeavesAnOutOfRangeIndexUnselected)
{
    RecordingListener listener;
    MIDIComponent panel(&listener);
    panel.setPorts({"In A", "In B"}, {"Out A"}, 2, 0);

    auto* inputBox = findChild<juce::ComboBox>(panel, 0);
    auto* outputBox = findChild<juce::ComboBox>(panel, 1);
    ASSERT_NE(inputBox, nullptr);
    ASSERT_NE(outputBox, nullptr);
    EXPECT_EQ(inputBox->getNumItems(), 2);
    EXPECT_EQ(inputBox->getItemId(1), 2);
    EXPECT_EQ(inputBox->getItemText(1), "In B");
    EXPECT_EQ(inputBox->getSelectedItemIndex(), -1);
    EXPECT_EQ(outputBox->getSelectedItemIndex(), 0);

    // A second fill replaces the lists rather than appending to them.
    panel.setPorts({"In C"}, {"Out B", "Out C"}, 0, 1);
    EXPECT_EQ(inputBox->getNumItems(), 1);
    EXPECT_EQ(inputBox->getText(), "In C");
    EXPECT_EQ(outputBox->getText(), "Out C");
}

TEST(MIDIComponent, RefreshReportsOnlyTheRequestAndChangesNoList)
{
    RecordingListener listener;
    MIDIComponent panel(&listener);
    panel.setPorts({"In A"}, {"Out A"}, 0, 0);

    click(findButton(panel, "REFRESH"));

    EXPECT_THAT(listener.calls, testing::ElementsAre("refresh"));
    EXPECT_EQ(findChild<juce::ComboBox>(panel, 0)->getText(), "In A");
}

TEST(MIDIComponent, LaysOutFromTheLabelFontAndCentresTheButtons)
{
    RecordingListener listener;
    MIDIComponent panel(&listener);
    const auto font = juce::LookAndFeel::getDefaultLookAndFeel().getLabelFont(*findChild<juce::Label>(panel));
    const int rowHeight = (int) (font.getHeight() + 8.0f);

    auto* inputBox = findChild<juce::ComboBox>(panel, 0);
    auto* outputBox = findChild<juce::ComboBox>(panel, 1);
    auto* refresh = findButton(panel, "REFRESH");
    auto* connect = findButton(panel, "CONNECT");

    // At its preferred size the boxes end 12 pixels from the right edge, the rows stand 4 pixels
    // apart, and the two 95-pixel buttons are centred with a 4-pixel gap.
    EXPECT_EQ(panel.getHeight(), 2 * rowHeight + 62);
    EXPECT_EQ(inputBox->getRight(), panel.getWidth() - 12);
    EXPECT_EQ(inputBox->getWidth(), font.getStringWidth(juce::String::repeatedString("?", 29)) + 8);
    EXPECT_EQ(inputBox->getBounds().withY(outputBox->getY()), outputBox->getBounds());
    EXPECT_EQ(inputBox->getY(), 4);
    EXPECT_EQ(outputBox->getY(), rowHeight + 8);
    EXPECT_EQ(refresh->getBounds(),
              juce::Rectangle<int>((panel.getWidth() - 194) / 2, 2 * rowHeight + 20, 95, 30));
    EXPECT_EQ(connect->getX() - refresh->getRight(), 4);
    EXPECT_EQ(connect->getY(), refresh->getY());

    // The wider label text decides where the boxes start: 12 pixels in, plus the label and its gap.
    const int labelWidth = juce::jmax(font.getStringWidth("MIDI INPUT"), font.getStringWidth("MIDI OUTPUT"));
    EXPECT_EQ(inputBox->getX(), 12 + labelWidth + 4);

    // Wider, the same arithmetic centres the rows and the buttons again.
    panel.setSize(panel.getWidth() + 100, panel.getHeight());
    EXPECT_EQ(inputBox->getRight(), panel.getWidth() - 62);
    EXPECT_EQ(refresh->getX(), (panel.getWidth() - 194) / 2);
}

TEST(MIDIComponent, MeasuresWithTheEmbeddedTypeface)
{
    // With the editor's look and feel the label font is the 11-pixel embedded typeface: 29 question
    // marks measure 175 and "MIDI OUTPUT" 64, so the boxes are 183 wide and the panel 275 x 100.
    ScopedCustomLookAndFeel lookAndFeel;
    RecordingListener listener;
    MIDIComponent panel(&listener);

    EXPECT_EQ(panel.getBounds(), juce::Rectangle<int>(0, 0, 275, 100));
    EXPECT_EQ(findChild<juce::ComboBox>(panel, 0)->getBounds(), juce::Rectangle<int>(80, 4, 183, 19));
    EXPECT_EQ(findChild<juce::ComboBox>(panel, 1)->getBounds(), juce::Rectangle<int>(80, 27, 183, 19));
    EXPECT_EQ(findButton(panel, "REFRESH")->getBounds(), juce::Rectangle<int>(40, 58, 95, 30));
    EXPECT_EQ(findButton(panel, "CONNECT")->getBounds(), juce::Rectangle<int>(139, 58, 95, 30));
}
