#pragma once

#include "device/MIDIPortProvider.h"

// The system's MIDI ports, through juce::MidiInput and juce::MidiOutput.
class JUCEMIDIPorts final : public MIDIPortProvider
{
public:
    JUCEMIDIPorts() = default;

    juce::Array<juce::MidiDeviceInfo> getInputDevices() override;
    juce::Array<juce::MidiDeviceInfo> getOutputDevices() override;
    int getDefaultOutputIndex() override;
    std::unique_ptr<MIDIInputPort> openInput(int index, juce::MidiInputCallback* callback) override;
    std::unique_ptr<MIDIOutputPort> openOutput(int index) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(JUCEMIDIPorts)
};
