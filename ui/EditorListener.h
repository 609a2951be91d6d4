#pragma once

// Told by the panel view which control the user picked on the panel picture.
class EditorListener
{
public:
    virtual ~EditorListener() {}

    // A knob or slider: the id is also the index of its analog record.
    virtual void analogSelected(int id) = 0;

    // A button: the id is also the index of its digital record and of the LED record of its key.
    virtual void digitalSelected(int id) = 0;
};
