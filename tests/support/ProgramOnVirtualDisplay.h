#pragma once

#include "support/LaunchedProgram.h"
#include "support/X11Client.h"
#include "support/XvfbServer.h"

#include <memory>

// A desktop program started on a virtual display of its own, with its window found by title: what
// the tests, the start-up benchmark and the headless run of the editor need of the real program.
class ProgramOnVirtualDisplay
{
public:
    ProgramOnVirtualDisplay(const juce::String& programPath, const juce::String& windowTitle,
                            int timeoutMilliseconds);

    // False when the display, the program or its window did not come up in time; getProblem says which.
    bool isShown() const { return window != 0; }
    juce::String getProblem() const { return problem; }

    pid_t getPid() const { return program != nullptr ? program->getPid() : -1; }

    // From starting the program to its window being mapped.
    double getMillisecondsToWindow() const { return millisecondsToWindow; }
    // The program's resident memory now, in bytes (0 when unknown).
    juce::int64 getResidentBytes() const;

    juce::Rectangle<int> getWindowBounds() const;
    juce::Image captureWindow() const;

    // Types a chord into the program's window (see X11Client::pressKeys).
    void pressKeys(const juce::StringArray& keyNames) const;
    // Polls until a window with that title is mapped, or is no longer; false on time-out.
    bool waitUntilShown(const juce::String& title, bool shown, int timeoutMilliseconds) const;

    // Asks the window to close as its close button does, again each second, and waits for the
    // program to end.
    bool closeAndWaitForExit(int timeoutMilliseconds, int& exitCode);

private:
    XvfbServer server;
    std::unique_ptr<X11Client> client;
    std::unique_ptr<LaunchedProgram> program;
    X11Client::Window window = 0;
    double millisecondsToWindow = 0.0;
    juce::String problem;

    JUCE_DECLARE_NON_COPYABLE(ProgramOnVirtualDisplay)
};
