#include "support/LaunchedProgram.h"

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

LaunchedProgram::LaunchedProgram(const juce::StringArray& arguments, const juce::StringPairArray& environment)
{
    juce::StringArray settings;
    for (auto** variable = environ; *variable != nullptr; ++variable)
    {
        const juce::String setting(*variable);
        if (!environment.containsKey(setting.upToFirstOccurrenceOf("=", false, false)))
            settings.add(setting);
    }
    for (const auto& key : environment.getAllKeys())
        settings.add(key + "=" + environment[key]);

    std::vector<char*> argv, envp;
    for (auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.toRawUTF8()));
    argv.push_back(nullptr);
    for (auto& setting : settings)
        envp.push_back(const_cast<char*>(setting.toRawUTF8()));
    envp.push_back(nullptr);

    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0)
        pid = -1;
}

LaunchedProgram::~LaunchedProgram()
{
    kill();
}

bool LaunchedProgram::waitForExit(int timeoutMilliseconds, int& exitCode)
{
    if (pid <= 0)
        return false;

    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMilliseconds;
    for (;;)
    {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid)
        {
            pid = -1;
            exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            return true;
        }
        if (juce::Time::getMillisecondCounter() >= end)
            return false;
        juce::Thread::sleep(5);
    }
}

void LaunchedProgram::kill()
{
    if (pid <= 0)
        return;
    // A polite request first, so that an X server removes its lock file; then no more asking.
    ::kill(pid, SIGTERM);
    int exitCode = 0;
    if (waitForExit(5000, exitCode))
        return;
    ::kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    pid = -1;
}
