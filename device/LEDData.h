#pragma once

// The settings of one LED as they travel to and from the device. The control's index travels beside
// the record. A default record holds the model's initial values, which is also what a record parsed
// from a disabled report carries besides its enabled flag.
struct LEDData
{
    bool enabled = true;
    int channel = 1;
    bool controllerMode = true;
    bool ableton = false;
    int number = 1;
};
