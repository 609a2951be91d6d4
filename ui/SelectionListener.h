#pragma once

class SelectionBox;

// Told by a SelectionBox when it shows another item and when Return is pressed on it.
class SelectionListener
{
public:
    virtual ~SelectionListener() = default;

    // The box now shows the item with this index, whether the user or the program changed it.
    virtual void selectionChanged(SelectionBox* box, int index) = 0;

    // Return was pressed while the box had the keyboard focus.
    virtual void selectionActivated(SelectionBox* box) = 0;
};
