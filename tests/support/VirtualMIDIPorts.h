#pragma once

#include "device/MIDIPortProvider.h"

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

// MIDI ports that exist only in memory, for tests and benchmarks. A peer (the simulated device)
// creates named ports, sends into an input from a thread of its own as a driver does, and receives
// what the device link sends to an output. Ports can vanish and can refuse to open.
class VirtualMIDIPorts final : public MIDIPortProvider
{
public:
    using Receiver = std::function<void(const juce::MidiMessage&)>;

    VirtualMIDIPorts() = default;

    // Appends a port to its list and returns its identifier, unique among all ports created here.
    juce::String addInput(const juce::String& name);
    // What the device link sends to this output reaches the receiver on the sending thread.
    juce::String addOutput(const juce::String& name, Receiver receiver);

    // Takes a port off its list, as when its device is unplugged. Handles already open stay valid but
    // carry nothing any more; once this returns, the output's receiver is never called again.
    void remove(const juce::String& identifier);

    // From now on the port cannot be opened, as when another program holds it.
    void refuseOpening(const juce::String& identifier);

    // Delivers the message on the calling thread to every open, started handle of the input, and
    // returns how many took it.
    int send(const juce::String& inputIdentifier, const juce::MidiMessage& message);

    // Open handles of a port, and whether one is running: an input started, an output's background
    // thread started.
    int countOpen(const juce::String& identifier) const;
    bool isRunning(const juce::String& identifier) const;

    juce::Array<juce::MidiDeviceInfo> getInputDevices() override;
    juce::Array<juce::MidiDeviceInfo> getOutputDevices() override;
    int getDefaultOutputIndex() override;
    std::unique_ptr<MIDIInputPort> openInput(int index, juce::MidiInputCallback* callback) override;
    std::unique_ptr<MIDIOutputPort> openOutput(int index) override;

    struct Port;

private:
    std::shared_ptr<Port> find(const juce::String& identifier) const;
    juce::Array<juce::MidiDeviceInfo> listed(bool inputs) const;
    std::shared_ptr<Port> openable(bool inputs, int index) const;
    juce::String add(bool input, const juce::String& name, Receiver receiver);

    // Guards the lists and the identifier counter only; each port has a lock of its own.
    mutable std::mutex registryMutex;
    std::vector<std::shared_ptr<Port>> ports;
    int nextId = 1;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(VirtualMIDIPorts)
};
