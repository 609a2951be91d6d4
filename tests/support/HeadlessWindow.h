#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// A stand-in native window for any top-level component: it accepts every request and has the focus
// of the desktop until a HeadlessWindow is made inactive. Return it from an override of
// juce::Component::createNewPeer.
juce::ComponentPeer* createHeadlessPeer(juce::Component& component, int styleFlags);

// A top-level component on JUCE's desktop with a stand-in for the native window, so that on a
// machine without a display its children count as showing, can hold the keyboard focus, and receive
// clicks and key presses through JUCE's own dispatch (focus changes, key propagation to parents).
class HeadlessWindow : public juce::Component
{
public:
    HeadlessWindow(int width, int height);
    ~HeadlessWindow() override;

    // A click (press and release) at a point in this window's coordinates, of the left button unless
    // another is given.
    void click(juce::Point<int> position,
               juce::ModifierKeys button = juce::ModifierKeys(juce::ModifierKeys::leftButtonModifier));

    // As the desktop's focus leaves the window for another program's, or comes back to it.
    void setActive(bool active);

    // Offers the key to the focused component and its parents, as the native window does; true when
    // one of them used it.
    bool pressKey(const juce::KeyPress& key);

protected:
    juce::ComponentPeer* createNewPeer(int styleFlags, void* nativeWindowToAttachTo) override;

private:
    juce::int64 eventTime = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(HeadlessWindow)
};
