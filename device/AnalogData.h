#pragma once

// The settings of one knob or slider as they travel to and from the device. The control's index
// travels beside the record. A default record holds the model's initial values, which is also what
// a record parsed from a disabled report carries besides its enabled flag.
struct AnalogData
{
    bool enabled = true;
    int channel = 1;
    bool controllerMode = true;
    int number = 1;
    int min = 0;
    int max = 127;
    bool inverted = false;
};
