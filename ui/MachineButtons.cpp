#include "ui/MachineButtons.h"

#include "app/CommandIDs.h"
#include "ui/CommandManager.h"

namespace
{
constexpr int buttonWidth = 140;
constexpr int buttonHeight = 30;
constexpr int lowerRowY = 35;
} // namespace

MachineButtons::MachineButtons()
{
    disconnectButton.setButtonText("DISCONNECT VEXLO");
    loadButton.setButtonText("LOAD FROM VEXLO");
    saveButton.setButtonText("SAVE TO VEXLO");
    resetButton.setButtonText("RESET TO DEFAULT");

    for (auto* button : {&disconnectButton, &loadButton, &saveButton, &resetButton})
        button->addListener(this);
    for (auto* button : {&disconnectButton, &loadButton, &saveButton, &resetButton})
        addAndMakeVisible(button);

    resized();
}

void MachineButtons::resized()
{
    const auto rightX = getWidth() - buttonWidth;
    disconnectButton.setBounds(0, lowerRowY, buttonWidth, buttonHeight);
    loadButton.setBounds(0, 0, buttonWidth, buttonHeight);
    saveButton.setBounds(rightX, 0, buttonWidth, buttonHeight);
    resetButton.setBounds(rightX, lowerRowY, buttonWidth, buttonHeight);
}

void MachineButtons::buttonClicked(juce::Button* button)
{
    const std::pair<juce::Button*, int> commands[] = {{&disconnectButton, CommandIDs::disconnect},
                                                      {&loadButton, CommandIDs::restoreDevice},
                                                      {&saveButton, CommandIDs::saveToDevice},
                                                      {&resetButton, CommandIDs::restoreToFactory}};
    for (const auto& [candidate, command] : commands)
    {
        if (candidate == button)
        {
            getCommandManager().invokeDirectly(command, true);
            return;
        }
    }
}
