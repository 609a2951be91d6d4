#pragma once

#include <juce_audio_devices/juce_audio_devices.h>

// An open MIDI output.
class MIDIOutputPort
{
public:
    virtual ~MIDIOutputPort() = default;

    // Sends the message on the calling thread before returning; there is no result to look at.
    virtual void sendMessageNow(const juce::MidiMessage& message) = 0;
    virtual void startBackgroundThread() = 0;
    virtual void stopBackgroundThread() = 0;
    // The device's name and identifier, as the provider's output list shows them.
    virtual juce::MidiDeviceInfo getDeviceInfo() const = 0;
};
