#pragma once

#include <juce_core/juce_core.h>

#include <sys/types.h>

// A program started as a child process with extra environment variables, for tests that run the
// editor itself. The destructor kills it if it still runs.
class LaunchedProgram
{
public:
    LaunchedProgram(const juce::StringArray& arguments, const juce::StringPairArray& environment);
    ~LaunchedProgram();

    bool hasStarted() const { return pid > 0; }
    pid_t getPid() const { return pid; }

    // Waits up to the time-out for the program to end; true with its exit code when it did.
    bool waitForExit(int timeoutMilliseconds, int& exitCode);
    // Asks the program to end, and ends it by force when it does not.
    void kill();

private:
    pid_t pid = -1;

    JUCE_DECLARE_NON_COPYABLE(LaunchedProgram)
};
