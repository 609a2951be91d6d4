#include "support/XvfbServer.h"

#include "support/X11Client.h"

#include <poll.h>
#include <unistd.h>

namespace
{
constexpr int startTimeoutMilliseconds = 20000;
}

XvfbServer::XvfbServer(int width, int height)
{
    const auto xvfb = juce::File("/usr/bin/Xvfb");
    if (!xvfb.existsAsFile())
        return;

    // Xvfb picks a free display number itself and writes it to the descriptor it is given.
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return;

    const auto screen = juce::String(width) + "x" + juce::String(height) + "x24";
    server = std::make_unique<LaunchedProgram>(juce::StringArray{xvfb.getFullPathName(), "-displayfd",
                                                                 juce::String(pipeEnds[1]), "-screen", "0",
                                                                 screen, "-nolisten", "tcp"},
                                               juce::StringPairArray());
    close(pipeEnds[1]);

    juce::String number;
    pollfd reader{pipeEnds[0], POLLIN, 0};
    char buffer[32];
    while (server->hasStarted() && !number.endsWithChar('\n') &&
           poll(&reader, 1, startTimeoutMilliseconds) > 0)
    {
        const auto count = read(pipeEnds[0], buffer, sizeof(buffer));
        if (count <= 0)
            break;
        number += juce::String(buffer, (size_t) count);
    }
    close(pipeEnds[0]);

    if (number.trim().containsOnly("0123456789") && number.trim().isNotEmpty())
        displayName = ":" + number.trim();
    else
        server.reset();
}

XvfbServer::~XvfbServer() = default;

bool XvfbServer::startWindowManager()
{
    if (displayName.isEmpty())
        return false;
    juce::StringPairArray environment;
    environment.set("DISPLAY", displayName);
    windowManager = std::make_unique<LaunchedProgram>(juce::StringArray{"/usr/bin/openbox"}, environment);
    const X11Client client(displayName);
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) startTimeoutMilliseconds;
    while (windowManager->hasStarted() && !client.hasWindowManager() &&
           juce::Time::getMillisecondCounter() < end)
        juce::Thread::sleep(10);
    return client.hasWindowManager();
}
