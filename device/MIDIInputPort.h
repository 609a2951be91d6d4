#pragma once

#include <juce_audio_devices/juce_audio_devices.h>

// An open MIDI input. Once started it delivers every message to the callback it was opened with,
// on a thread of its own; after it is destroyed no further call is made.
class MIDIInputPort
{
public:
    virtual ~MIDIInputPort() = default;

    virtual void start() = 0;
    virtual void stop() = 0;
    // The device's name and identifier, as the provider's input list shows them.
    virtual juce::MidiDeviceInfo getDeviceInfo() const = 0;
};
