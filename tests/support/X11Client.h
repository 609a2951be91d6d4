#pragma once

#include <juce_graphics/juce_graphics.h>

// Xlib's own header stays in the source: its macros (None, Bool, Status...) clash with JUCE's names.
struct _XDisplay;

// A client connection to an X display, with what the tests of the running editor ask of it: find a
// top-level window by its title, read its size and pixels, and ask it to close as a window manager
// would.
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

private:
    Window findWindowBelow(Window parent, const juce::String& title) const;
    juce::String getTitle(Window window) const;

    _XDisplay* display = nullptr;

    JUCE_DECLARE_NON_COPYABLE(X11Client)
};
