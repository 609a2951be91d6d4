#include "ui/ComputerButtons.h"

#include "app/CommandIDs.h"
#include "ui/CommandManager.h"

namespace
{
constexpr int buttonWidth = 91;
constexpr int buttonHeight = 30;
constexpr int lowerRowY = 35;
} // namespace

ComputerButtons::ComputerButtons()
{
    openButton.setButtonText("OPEN");
    saveButton.setButtonText("SAVE");
    saveAsButton.setButtonText("SAVE AS");
    aboutButton.setButtonText("ABOUT");

    for (auto* button : {&openButton, &saveButton, &saveAsButton, &aboutButton})
        button->addListener(this);
    for (auto* button : {&openButton, &saveButton, &saveAsButton, &aboutButton})
        addAndMakeVisible(button);

    resized();
}

void ComputerButtons::resized()
{
    const auto rightX = getWidth() - buttonWidth;
    openButton.setBounds(0, 0, buttonWidth, buttonHeight);
    saveButton.setBounds(0, lowerRowY, buttonWidth, buttonHeight);
    saveAsButton.setBounds(rightX, lowerRowY, buttonWidth, buttonHeight);
    aboutButton.setBounds(rightX, 0, buttonWidth, buttonHeight);
}

void ComputerButtons::buttonClicked(juce::Button* button)
{
    const std::pair<juce::Button*, int> commands[] = {{&openButton, CommandIDs::open},
                                                      {&saveButton, CommandIDs::save},
                                                      {&saveAsButton, CommandIDs::saveAs},
                                                      {&aboutButton, CommandIDs::about}};
    for (const auto& [candidate, command] : commands)
    {
        if (candidate == button)
        {
            getCommandManager().invokeDirectly(command, true);
            return;
        }
    }
}
