#include "support/ProgramOnVirtualDisplay.h"

ProgramOnVirtualDisplay::ProgramOnVirtualDisplay(const juce::String& programPath,
                                                 const juce::String& windowTitle, int timeoutMilliseconds)
{
    if (server.getDisplayName().isEmpty())
    {
        problem = "Xvfb could not be started";
        return;
    }
    client = std::make_unique<X11Client>(server.getDisplayName());
    if (!client->isConnected())
    {
        problem = "cannot connect to " + server.getDisplayName();
        return;
    }

    juce::StringPairArray environment;
    environment.set("DISPLAY", server.getDisplayName());
    const auto start = juce::Time::getMillisecondCounterHiRes();
    program = std::make_unique<LaunchedProgram>(juce::StringArray{programPath}, environment);
    if (!program->hasStarted())
    {
        problem = "cannot start " + programPath;
        return;
    }

    window = client->waitForWindow(windowTitle, timeoutMilliseconds);
    millisecondsToWindow = juce::Time::getMillisecondCounterHiRes() - start;
    if (window == 0)
        problem =
            "no window titled \"" + windowTitle + "\" within " + juce::String(timeoutMilliseconds) + " ms";
}

juce::int64 ProgramOnVirtualDisplay::getResidentBytes() const
{
    if (program == nullptr || !program->hasStarted())
        return 0;
    const auto status = juce::File("/proc/" + juce::String(program->getPid()) + "/status").loadFileAsString();
    for (const auto& line : juce::StringArray::fromLines(status))
        if (line.startsWith("VmRSS:"))
            return line.fromFirstOccurrenceOf(":", false, false).trim().getLargeIntValue() * 1024;
    return 0;
}

juce::Rectangle<int> ProgramOnVirtualDisplay::getWindowBounds() const
{
    return isShown() ? client->getClientBounds(window) : juce::Rectangle<int>();
}

juce::Image ProgramOnVirtualDisplay::captureWindow() const
{
    return isShown() ? client->capture(window) : juce::Image();
}

void ProgramOnVirtualDisplay::pressKeys(const juce::StringArray& keyNames) const
{
    if (isShown())
        client->pressKeys(window, keyNames);
}

bool ProgramOnVirtualDisplay::waitUntilShown(const juce::String& title, bool shown,
                                             int timeoutMilliseconds) const
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMilliseconds;
    while (isShown() && (client->findWindow(title) != 0) != shown)
    {
        if (juce::Time::getMillisecondCounter() >= end)
            return false;
        juce::Thread::sleep(20);
    }
    return isShown();
}

bool ProgramOnVirtualDisplay::closeAndWaitForExit(int timeoutMilliseconds, int& exitCode)
{
    if (!isShown())
        return false;
    // JUCE reads X events only when its connection has data: a request that another call of the
    // program already took off the connection waits in its queue until something else arrives. A
    // user would press close again, and so does this.
    constexpr int pressAgainAfter = 1000;
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMilliseconds;
    for (;;)
    {
        client->requestClose(window);
        const auto left = (int) (end - juce::Time::getMillisecondCounter());
        if (program->waitForExit(juce::jlimit(0, pressAgainAfter, left), exitCode))
            return true;
        if ((int) (end - juce::Time::getMillisecondCounter()) <= 0)
            return false;
    }
}
