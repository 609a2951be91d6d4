#include "ui/CommandManager.h"

#include <memory>

namespace
{
std::unique_ptr<juce::ApplicationCommandManager>& commandManager()
{
    static std::unique_ptr<juce::ApplicationCommandManager> instance;
    return instance;
}
} // namespace

juce::ApplicationCommandManager& getCommandManager()
{
    auto& instance = commandManager();
    if (instance == nullptr)
        instance = std::make_unique<juce::ApplicationCommandManager>();
    return *instance;
}

bool isCommandKey(const juce::KeyPress& key)
{
    const auto& instance = commandManager();
    return instance != nullptr && instance->getKeyMappings()->findCommandForKeyPress(key) != 0;
}

void releaseCommandManager()
{
    commandManager().reset();
}
