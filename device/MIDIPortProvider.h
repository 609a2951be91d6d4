#pragma once

#include "device/MIDIInputPort.h"
#include "device/MIDIOutputPort.h"

#include <memory>

// Where the device link finds its MIDI ports: the system's own through JUCE, or virtual ones.
// Lists are read afresh on every call; an index is a position in the list as it is at that moment.
class MIDIPortProvider
{
public:
    virtual ~MIDIPortProvider() = default;

    virtual juce::Array<juce::MidiDeviceInfo> getInputDevices() = 0;
    virtual juce::Array<juce::MidiDeviceInfo> getOutputDevices() = 0;
    virtual int getDefaultOutputIndex() = 0;

    // Null when the index lies outside the list or the device cannot be opened.
    virtual std::unique_ptr<MIDIInputPort> openInput(int index, juce::MidiInputCallback* callback) = 0;
    virtual std::unique_ptr<MIDIOutputPort> openOutput(int index) = 0;
};
