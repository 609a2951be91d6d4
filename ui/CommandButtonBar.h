#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>

// What the file and the device button bars share: four text buttons in two rows, the left column at
// the bar's left edge and the right column flush with its right edge, each of which invokes its
// command asynchronously through the application's command manager when clicked. The buttons are for
// the mouse: they never take the keyboard focus.
namespace CommandButtonBar
{
enum class Column
{
    left,
    right
};

enum class Row
{
    top,
    bottom
};

struct Slot
{
    juce::TextButton& button;
    const char* text;
    int commandID;
    Column column;
    Row row;
};

// A bar's buttons in member order.
using Slots = std::array<Slot, 4>;

// Sets every text, then makes the listener listen to every button, then shows every button.
void addButtons(juce::Component& bar, juce::Button::Listener& listener, const Slots& slots);

// Places the buttons, each buttonWidth wide, for the bar's current width. A bar narrower than two
// buttons lets its columns overlap.
void placeButtons(const juce::Component& bar, int buttonWidth, const Slots& slots);

// Invokes the command of the clicked button; a button of no slot invokes nothing.
void invokeCommandOf(const juce::Button* clicked, const Slots& slots);
} // namespace CommandButtonBar
