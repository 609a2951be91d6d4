#pragma once

#include "support/LaunchedProgram.h"

#include <memory>

// A virtual X display of its own (Xvfb on the first free display number), for tests and tools that
// run the real editor on a machine without a screen. The destructor stops the server.
class XvfbServer
{
public:
    XvfbServer(int width = 1280, int height = 1024);
    ~XvfbServer();

    // Empty when the server could not be started (Xvfb missing, for instance).
    juce::String getDisplayName() const { return displayName; }

    // Starts a window manager on the display (openbox), so that native windows behave as on a user's
    // desktop; true once it runs.
    bool startWindowManager();

private:
    std::unique_ptr<LaunchedProgram> server;
    std::unique_ptr<LaunchedProgram> windowManager;
    juce::String displayName;

    JUCE_DECLARE_NON_COPYABLE(XvfbServer)
};
