// Pins a number field's own menu in a native window, with the user's clicks and keys coming through
// the display: clicked, the menu's window takes the keyboard focus, as on a user's desktop.
#include "support/FormDriver.h"
#include "support/JucePrinters.h"
#include "support/MainComponentFixture.h"
#include "support/MessageLoop.h"
#include "support/X11Client.h"
#include "ui/AnalogEditor.h"

namespace
{
class TextFieldMenu : public MainComponentFixture
{
protected:
    TextFieldMenu()
    {
        nativeWindow.setContentNonOwned(main.get(), true);
        nativeWindow.setVisible(true);
    }

    ~TextFieldMenu() override { nativeWindow.clearContentComponent(); }

    // A press and a release 100 ms apart, as a hand makes them, or a pause with no press at all. The
    // window is kept awake meanwhile: an event that another X call of the toolkit took off the
    // connection waits there unseen until something else arrives.
    void pressAndRelease(const std::function<void(bool)>& press)
    {
        for (const auto down : {true, false})
        {
            press(down);
            for (int slice = 0; slice < 10; ++slice)
            {
                display.wake((X11Client::Window) nativeWindow.getWindowHandle());
                MessageLoop::pump(10);
            }
        }
    }

    void click(juce::Component& target, int button = 1)
    {
        pressAndRelease([&](bool down)
                        { display.pressButton(target.getScreenBounds().getCentre(), button, down); });
    }

    // Once the window has the keyboard focus back from the menu's window.
    void type(const juce::StringArray& keys)
    {
        EXPECT_TRUE(MessageLoop::pumpUntil([this] { return nativeWindow.getPeer()->isFocused(); }, timeout));
        for (const auto& key : keys)
            pressAndRelease([&](bool down) { display.pressKey(key, down); });
    }

    // Right-clicks the field and clicks its menu's item by place (Cut 0, Copy 1, Paste 2), or another
    // component instead. A menu takes no release of a button in its first quarter of a second.
    void choose(juce::TextEditor& field, int item, const juce::String& clipboard = {},
                juce::Component* other = {})
    {
        if (clipboard.isNotEmpty())
            juce::SystemClipboard::copyTextToClipboard(clipboard);
        auto& modal = *juce::ModalComponentManager::getInstance();
        click(field, 3);
        ASSERT_TRUE(MessageLoop::pumpUntil([&] { return modal.getNumModalComponents() > 0; }, timeout));
        pressAndRelease([](bool) {});
        click(other != nullptr ? *other : *modal.getModalComponent(0)->getChildComponent(item));
        EXPECT_TRUE(MessageLoop::pumpUntil([&] { return modal.getNumModalComponents() == 0; }, timeout));
        flush();
    }

    juce::DocumentWindow nativeWindow{"VEXLO Editor", juce::Colours::black, 0};
    X11Client display{juce::SystemStats::getEnvironmentVariable("DISPLAY", {})};
};
} // namespace

TEST_F(TextFieldMenu, ActsOnTheSelectionShownAndLeavesTheFieldOnceTheMenuIsDone)
{
    device.setAnalog(0, AnalogData{true, 1, true, 20});
    ASSERT_TRUE(connect());
    ASSERT_TRUE(MessageLoop::pumpUntil([&] { return nativeWindow.getPeer()->isFocused(); }, timeout));
    auto& form = find<AnalogEditor>(*main);
    auto& number = *FormDriver::find<juce::TextEditor>(form, "INDEX");
    const auto mark = receivedSoFar();

    // "20" selected: Copy takes it and Paste replaces it. Then a paste after a typed "1", and one
    // between the digits of "12"; each item leaves the whole text selected.
    click(number);
    choose(number, 1);
    EXPECT_EQ(juce::SystemClipboard::getTextFromClipboard(), "20");
    choose(number, 2, "4");
    type({"1"});
    choose(number, 2, "16");
    type({"1", "2", "Left"});
    choose(number, 2, "0");

    // Emptied by Cut, then left by a click on another field while its menu is open: the field shows the
    // record's number again.
    choose(number, 0);
    EXPECT_EQ(number.getText(), "");
    choose(number, 0, {}, FormDriver::find<juce::TextEditor>(form, "MIN_VALUE"));
    EXPECT_EQ(number.getText(), "102");

    std::vector<juce::MidiMessage> reports;
    for (const auto value : {4, 1, 116, 1, 12, 102})
        reports.push_back(SysExCodec::buildAnalogReport(0, AnalogData{true, 1, true, value}));
    EXPECT_TRUE(waitUntilReceived(mark + 6));
    EXPECT_EQ(bytesSince(mark), bytesOf(reports));
}
