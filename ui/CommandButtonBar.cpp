#include "ui/CommandButtonBar.h"

#include "ui/CommandManager.h"

namespace
{
constexpr int buttonHeight = 30;
constexpr int bottomRowY = 35;
} // namespace

namespace CommandButtonBar
{
void addButtons(juce::Component& bar, juce::Button::Listener& listener, const Slots& slots)
{
    for (const auto& slot : slots)
        slot.button.setButtonText(slot.text);
    // The commands have their keys; Tab and Return stay among the settings forms, where a button
    // with the focus would perform its command on Return without showing that it has the focus.
    for (const auto& slot : slots)
        slot.button.setWantsKeyboardFocus(false);
    for (const auto& slot : slots)
        slot.button.addListener(&listener);
    for (const auto& slot : slots)
        bar.addAndMakeVisible(slot.button);
}

void placeButtons(const juce::Component& bar, int buttonWidth, const Slots& slots)
{
    for (const auto& slot : slots)
        slot.button.setBounds(slot.column == Column::left ? 0 : bar.getWidth() - buttonWidth,
                              slot.row == Row::top ? 0 : bottomRowY, buttonWidth, buttonHeight);
}

void invokeCommandOf(const juce::Button* clicked, const Slots& slots)
{
    for (const auto& slot : slots)
    {
        if (&slot.button == clicked)
        {
            getCommandManager().invokeDirectly(slot.commandID, true);
            return;
        }
    }
}
} // namespace CommandButtonBar
