#include "ui/MachineButtons.h"

#include "app/CommandIDs.h"

namespace
{
constexpr int buttonWidth = 140;
} // namespace

MachineButtons::MachineButtons()
{
    CommandButtonBar::addButtons(*this, *this, slots());
    resized();
}

void MachineButtons::resized()
{
    CommandButtonBar::placeButtons(*this, buttonWidth, slots());
}

void MachineButtons::buttonClicked(juce::Button* button)
{
    CommandButtonBar::invokeCommandOf(button, slots());
}

CommandButtonBar::Slots MachineButtons::slots()
{
    using Column = CommandButtonBar::Column;
    using Row = CommandButtonBar::Row;

    return {{{disconnectButton, "DISCONNECT VEXLO", CommandIDs::disconnect, Column::left, Row::bottom},
             {loadButton, "LOAD FROM VEXLO", CommandIDs::restoreDevice, Column::left, Row::top},
             {saveButton, "SAVE TO VEXLO", CommandIDs::saveToDevice, Column::right, Row::top},
             {resetButton, "RESET TO DEFAULT", CommandIDs::restoreToFactory, Column::right, Row::bottom}}};
}
