#include "support/FormDriver.h"

#include "support/MessageLoop.h"

namespace
{
// Deeper than any chain of posts in the forms: an edit, its write-back, and the write-back's echo.
constexpr int generations = 6;
} // namespace

FormDriver::FormDriver(juce::Component& form, int width, int height) : window(width, height)
{
    window.addAndMakeVisible(form);
}

void FormDriver::type(const juce::String& text)
{
    for (const auto character : text)
    {
        window.pressKey(juce::KeyPress((int) character, juce::ModifierKeys(), character));
        settle();
    }
}

void FormDriver::press(int keyCode)
{
    window.pressKey(juce::KeyPress(keyCode));
    settle();
}

void FormDriver::click(juce::Component& target)
{
    window.click(window.getLocalPoint(&target, target.getLocalBounds().getCentre()));
    settle();
}

void FormDriver::settle()
{
    // Posted messages run in order, so once a marker posted now has run, everything posted before it has.
    for (int i = 0; i < generations; ++i)
    {
        auto reached = std::make_shared<bool>(false);
        juce::MessageManager::callAsync([reached] { *reached = true; });
        MessageLoop::pumpUntil([reached] { return *reached; });
    }
}
