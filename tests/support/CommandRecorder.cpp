#include "support/CommandRecorder.h"

#include "app/CommandIDs.h"

void CommandRecorder::getAllCommands(juce::Array<juce::CommandID>& commands)
{
    commands.addArray({CommandIDs::open, CommandIDs::save, CommandIDs::saveAs, CommandIDs::about,
                       CommandIDs::disconnect, CommandIDs::saveToDevice, CommandIDs::restoreDevice,
                       CommandIDs::restoreToFactory});
}

void CommandRecorder::getCommandInfo(juce::CommandID commandID, juce::ApplicationCommandInfo& result)
{
    result.setInfo("0x" + juce::String::toHexString(commandID), {}, "Test", 0);
    result.setActive(!inactive.contains(commandID));
}

bool CommandRecorder::perform(const InvocationInfo& info)
{
    performed.push_back(info.commandID);
    return true;
}
