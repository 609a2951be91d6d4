#include "support/X11Client.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace
{
// Windows come and go while a program starts, so a window found a moment ago may be gone when it is
// asked about. Xlib's default handler would end this process over that; the callers see the failed
// request's result instead.
int ignoreError(Display*, XErrorEvent*)
{
    return 0;
}
} // namespace

X11Client::X11Client(const juce::String& displayName)
{
    XSetErrorHandler(ignoreError);
    display = XOpenDisplay(displayName.toRawUTF8());

    // JUCE looks these atoms up without creating them, and offers to be closed through
    // WM_DELETE_WINDOW only when the atom exists. A window manager would have made them; on a bare
    // virtual display this client does, before any program it tests starts.
    if (display != nullptr)
    {
        XInternAtom(display, "WM_PROTOCOLS", False);
        XInternAtom(display, "WM_DELETE_WINDOW", False);
        XSync(display, False);
    }
}

X11Client::~X11Client()
{
    if (display != nullptr)
        XCloseDisplay(display);
}

X11Client::Window X11Client::findWindow(const juce::String& title) const
{
    if (display == nullptr)
        return 0;
    return findWindowBelow(DefaultRootWindow(display), title);
}

X11Client::Window X11Client::waitForWindow(const juce::String& title, int timeoutMilliseconds) const
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMilliseconds;
    for (;;)
    {
        if (auto window = findWindow(title))
            return window;
        if (juce::Time::getMillisecondCounter() >= end)
            return 0;
        juce::Thread::sleep(2);
    }
}

X11Client::Window X11Client::findWindowBelow(Window parent, const juce::String& title) const
{
    ::Window root = 0, parentOfParent = 0;
    ::Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, parent, &root, &parentOfParent, &children, &count) == 0)
        return 0;

    Window found = 0;
    for (unsigned int i = 0; i < count && found == 0; ++i)
    {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, children[i], &attributes) != 0 &&
            attributes.map_state == IsViewable && getTitle(children[i]) == title)
            found = children[i];
        else
            found = findWindowBelow(children[i], title);
    }
    if (children != nullptr)
        XFree(children);
    return found;
}

juce::String X11Client::getTitle(Window window) const
{
    XTextProperty property{};
    if (XGetWMName(display, window, &property) == 0 || property.value == nullptr)
        return {};
    const auto title = juce::String::fromUTF8((const char*) property.value, (int) property.nitems);
    XFree(property.value);
    return title;
}

juce::Rectangle<int> X11Client::getClientBounds(Window window) const
{
    XWindowAttributes attributes;
    if (display == nullptr || XGetWindowAttributes(display, window, &attributes) == 0)
        return {};
    ::Window child = 0;
    int x = 0, y = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
    return {x, y, attributes.width, attributes.height};
}

juce::Image X11Client::capture(Window window) const
{
    const auto bounds = getClientBounds(window);
    if (bounds.isEmpty())
        return {};
    auto* ximage = XGetImage(display, window, 0, 0, (unsigned) bounds.getWidth(),
                             (unsigned) bounds.getHeight(), AllPlanes, ZPixmap);
    if (ximage == nullptr)
        return {};

    juce::Image image(juce::Image::RGB, bounds.getWidth(), bounds.getHeight(), false);
    for (int y = 0; y < bounds.getHeight(); ++y)
        for (int x = 0; x < bounds.getWidth(); ++x)
        {
            const auto pixel = XGetPixel(ximage, x, y);
            image.setPixelAt(x, y,
                             juce::Colour((juce::uint8)((pixel >> 16) & 0xff),
                                          (juce::uint8)((pixel >> 8) & 0xff), (juce::uint8)(pixel & 0xff)));
        }
    XDestroyImage(ximage);
    return image;
}

void X11Client::requestClose(Window window) const
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long) XInternAtom(display, "WM_DELETE_WINDOW", False);
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

void X11Client::pressKeys(Window window, const juce::StringArray& keyNames) const
{
    // JUCE follows the modifier keys by their own presses, not by an event's state.
    const auto send = [&](int type, const juce::String& name)
    {
        XEvent event{};
        event.xkey.type = type;
        event.xkey.display = display;
        event.xkey.window = window;
        event.xkey.root = DefaultRootWindow(display);
        event.xkey.time = CurrentTime;
        event.xkey.same_screen = True;
        event.xkey.keycode = XKeysymToKeycode(display, XStringToKeysym(name.toRawUTF8()));
        XSendEvent(display, window, False, type == KeyPress ? KeyPressMask : KeyReleaseMask, &event);
    };

    for (const auto& name : keyNames)
        send(KeyPress, name);
    for (int i = keyNames.size(); --i >= 0;)
        send(KeyRelease, keyNames[i]);
    XFlush(display);
}

void X11Client::pressButton(juce::Point<int> position, int button, bool down) const
{
    XTestFakeMotionEvent(display, -1, position.x, position.y, CurrentTime);
    XTestFakeButtonEvent(display, (unsigned) button, down, CurrentTime);
    XFlush(display);
}

void X11Client::pressKey(const juce::String& keyName, bool down) const
{
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, XStringToKeysym(keyName.toRawUTF8())), down,
                      CurrentTime);
    XFlush(display);
}

void X11Client::wake(Window window) const
{
    const unsigned char none = 0;
    XChangeProperty(display, window, XInternAtom(display, "VEXLO_WAKE", False), XA_INTEGER, 8,
                    PropModeReplace, &none, 1);
    XFlush(display);
}

bool X11Client::hasWindowManager() const
{
    // A window manager owns the selection WM_S0 of the display's first screen.
    return display != nullptr && XGetSelectionOwner(display, XInternAtom(display, "WM_S0", False)) != 0;
}
