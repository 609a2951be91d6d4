#include "ui/SelectionBox.h"

#include "ui/EditorFont.h"
#include "ui/Palette.h"

SelectionBox::SelectionBox()
{
    setWantsKeyboardFocus(true);
    setMouseClickGrabsKeyboardFocus(true);
    setEnabled(true);
}

int SelectionBox::addItem(const juce::String& text)
{
    items.add(text);
    if (selectedIndex < 0)
        selectedIndex = 0;
    return items.size() - 1;
}

juce::String SelectionBox::getItem(int index) const
{
    return items[index];
}

void SelectionBox::setSelectedIndex(int index)
{
    if (index == selectedIndex)
        return;

    selectedIndex = index;
    // The listener may delete the box; nothing of it is touched after the report then.
    const SafePointer<SelectionBox> alive(this);
    if (listener != nullptr)
        listener->selectionChanged(this, index);
    if (alive != nullptr)
        repaint();
}

void SelectionBox::stepForward()
{
    if (selectedIndex < 0)
        return;

    const auto next = selectedIndex == items.size() - 1 ? 0 : selectedIndex + 1;
    setSelectedIndex(next);
}

void SelectionBox::stepBack()
{
    if (selectedIndex < 0)
        return;

    setSelectedIndex(selectedIndex == 0 ? items.size() - 1 : selectedIndex - 1);
}

void SelectionBox::mouseDown(const juce::MouseEvent& event)
{
    // As a desktop's own controls, the box answers the primary button alone.
    if (event.mods.isLeftButtonDown())
        stepForward();
}

bool SelectionBox::keyPressed(const juce::KeyPress& key)
{
    // KeyPress == keyCode matches only without Shift, Ctrl or Alt, so modified keys go to others.
    if (key == juce::KeyPress::spaceKey || key == juce::KeyPress::rightKey || key == juce::KeyPress::downKey)
    {
        stepForward();
        return true;
    }
    if (key == juce::KeyPress::leftKey || key == juce::KeyPress::upKey)
    {
        stepBack();
        return true;
    }
    if (key == juce::KeyPress::returnKey)
    {
        if (listener != nullptr)
            listener->selectionActivated(this);
        return true;
    }
    return false;
}

void SelectionBox::focusGained(FocusChangeType)
{
    focused = true;
    repaint();
}

void SelectionBox::focusLost(FocusChangeType)
{
    focused = false;
    repaint();
}

void SelectionBox::paint(juce::Graphics& g)
{
    g.setColour(Palette::white);
    g.fillRect(0, 0, getWidth(), getHeight());

    if (focused)
    {
        g.setColour(Palette::green);
        g.drawRect(0, 0, getWidth(), getHeight(), 1);
    }

    if (selectedIndex >= 0)
    {
        g.setColour(Palette::black);
        g.setFont(getEditorFont());
        // One pixel lower than the cell, which centres the capitals optically.
        g.drawText(getItem(selectedIndex), 0, 1, getWidth(), getHeight(), juce::Justification::centred,
                   false);
    }
}
