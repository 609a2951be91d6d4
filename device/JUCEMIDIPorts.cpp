#include "device/JUCEMIDIPorts.h"

namespace
{
class Input final : public MIDIInputPort
{
public:
    explicit Input(std::unique_ptr<juce::MidiInput> openInput) : input(std::move(openInput)) {}

    void start() override { input->start(); }
    void stop() override { input->stop(); }
    juce::MidiDeviceInfo getDeviceInfo() const override { return input->getDeviceInfo(); }

private:
    std::unique_ptr<juce::MidiInput> input;
};

class Output final : public MIDIOutputPort
{
public:
    explicit Output(std::unique_ptr<juce::MidiOutput> openOutput) : output(std::move(openOutput)) {}

    void sendMessageNow(const juce::MidiMessage& message) override { output->sendMessageNow(message); }
    void startBackgroundThread() override { output->startBackgroundThread(); }
    void stopBackgroundThread() override { output->stopBackgroundThread(); }
    juce::MidiDeviceInfo getDeviceInfo() const override { return output->getDeviceInfo(); }

private:
    std::unique_ptr<juce::MidiOutput> output;
};
} // namespace

juce::Array<juce::MidiDeviceInfo> JUCEMIDIPorts::getInputDevices()
{
    return juce::MidiInput::getAvailableDevices();
}

juce::Array<juce::MidiDeviceInfo> JUCEMIDIPorts::getOutputDevices()
{
    return juce::MidiOutput::getAvailableDevices();
}

int JUCEMIDIPorts::getDefaultOutputIndex()
{
    // With no devices listed there is no default either; 0 then selects nothing, like any index.
    return juce::jmax(0, getOutputDevices().indexOf(juce::MidiOutput::getDefaultDevice()));
}

std::unique_ptr<MIDIInputPort> JUCEMIDIPorts::openInput(int index, juce::MidiInputCallback* callback)
{
    const auto devices = getInputDevices();
    if (!juce::isPositiveAndBelow(index, devices.size()))
        return nullptr;
    auto input = juce::MidiInput::openDevice(devices.getReference(index).identifier, callback);
    if (input == nullptr)
        return nullptr;
    return std::make_unique<Input>(std::move(input));
}

std::unique_ptr<MIDIOutputPort> JUCEMIDIPorts::openOutput(int index)
{
    const auto devices = getOutputDevices();
    if (!juce::isPositiveAndBelow(index, devices.size()))
        return nullptr;
    auto output = juce::MidiOutput::openDevice(devices.getReference(index).identifier);
    if (output == nullptr)
        return nullptr;
    return std::make_unique<Output>(std::move(output));
}
