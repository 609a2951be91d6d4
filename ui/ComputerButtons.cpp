#include "ui/ComputerButtons.h"

#include "app/CommandIDs.h"

namespace
{
constexpr int buttonWidth = 91;
} // namespace

ComputerButtons::ComputerButtons()
{
    CommandButtonBar::addButtons(*this, *this, slots());
    resized();
}

void ComputerButtons::resized()
{
    CommandButtonBar::placeButtons(*this, buttonWidth, slots());
}

void ComputerButtons::buttonClicked(juce::Button* button)
{
    CommandButtonBar::invokeCommandOf(button, slots());
}

CommandButtonBar::Slots ComputerButtons::slots()
{
    using Column = CommandButtonBar::Column;
    using Row = CommandButtonBar::Row;

    return {{{openButton, "OPEN", CommandIDs::open, Column::left, Row::top},
             {saveButton, "SAVE", CommandIDs::save, Column::left, Row::bottom},
             {saveAsButton, "SAVE AS", CommandIDs::saveAs, Column::right, Row::bottom},
             {aboutButton, "ABOUT", CommandIDs::about, Column::right, Row::top}}};
}
