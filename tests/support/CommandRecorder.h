#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <vector>

// A command target for the application's eight commands that performs each one by recording its id.
// Commands put in `inactive` are reported inactive, as the device commands are while disconnected.
class CommandRecorder : public juce::ApplicationCommandTarget
{
public:
    juce::ApplicationCommandTarget* getNextCommandTarget() override { return nullptr; }
    void getAllCommands(juce::Array<juce::CommandID>& commands) override;
    void getCommandInfo(juce::CommandID commandID, juce::ApplicationCommandInfo& result) override;
    bool perform(const InvocationInfo& info) override;

    std::vector<juce::CommandID> performed;
    juce::Array<juce::CommandID> inactive;
};
