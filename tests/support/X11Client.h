#pragma once

#include <juce_graphics/juce_graphics.h>

// Xlib's own header stays in the source: its macros (None, Bool, Status...) clash with JUCE's names.
struct _XDisplay;

// A client connection to an X display, with what the tests of the running editor ask of it: find a
// top-level window by its title, read its size and pixels, ask it to close as a window manager would,
// and give input as a user would.
class X11Client
{
public:
    // An X window id (Xlib's Window); 0 is no window.
    using Window = unsigned long;

    explicit X11Client(const juce::String& displayName);
    ~X11Client();

    bool isConnected() const { return display != nullptr; }

    // The first mapped window with this title, or 0.
    Window findWindow(const juce::String& title) const;
    // Polls until such a window is mapped; 0 on time-out.
    Window waitForWindow(const juce::String& title, int timeoutMilliseconds) const;

    juce::Rectangle<int> getClientBounds(Window window) const;
    juce::Image capture(Window window) const;
    // Sends WM_DELETE_WINDOW, which is what a window's close button does.
    void requestClose(Window window) const;
    // Sends key presses to the window in the given order, then their releases in reverse: a chord such
    // as {"Control_L", "o"}. Keys are named as Xlib names their symbols.
    void pressKeys(Window window, const juce::StringArray& keyNames) const;

    // Input as a user gives it, through the XTEST extension: a button (1 left, 3 right) pressed or
    // released at a point of the screen, or a key, named as Xlib names its symbol, pressed or released
    // wherever the keyboard focus is.
    void pressButton(juce::Point<int> position, int button, bool down) const;
    void pressKey(const juce::String& keyName, bool down) const;
    // Sends the window's program an event that it ignores: one that another X call of the program took
    // off the connection waits unseen until something else arrives.
    void wake(Window window) const;
    // Whether a window manager has announced itself on the display.
    bool hasWindowManager() const;

private:
    Window findWindowBelow(Window parent, const juce::String& title) const;
    juce::String getTitle(Window window) const;

    _XDisplay* display = nullptr;

    JUCE_DECLARE_NON_COPYABLE(X11Client)
};
