// Pins the port layer that the device link is tested through: virtual ports list, open, start,
// deliver, refuse and vanish as a driver's ports do; the JUCE ports refuse indexes outside their lists.
#include "support/VirtualMIDIPorts.h"

#include "device/JUCEMIDIPorts.h"

#include <gtest/gtest.h>

namespace
{
struct Collector final : public juce::MidiInputCallback
{
    void handleIncomingMidiMessage(juce::MidiInput*, const juce::MidiMessage& message) override
    {
        values.push_back(message.getControllerValue());
    }
    std::vector<int> values;
};

std::vector<std::string> namesOf(const juce::Array<juce::MidiDeviceInfo>& devices)
{
    std::vector<std::string> names;
    for (const auto& device : devices)
        names.push_back(device.name.toStdString());
    return names;
}

juce::MidiMessage cc(int value)
{
    return juce::MidiMessage::controllerEvent(1, 7, value);
}
} // namespace

TEST(VirtualMIDIPorts, ListsOpensAndDeliversLikeDriverPorts)
{
    VirtualMIDIPorts ports;
    std::vector<int> received;
    const auto a = ports.addInput("A");
    const auto out = ports.addOutput("Out", [&](const juce::MidiMessage& m)
                                     { received.push_back(m.getControllerValue()); });
    const auto b = ports.addInput("A");
    EXPECT_EQ(namesOf(ports.getInputDevices()), (std::vector<std::string>{"A", "A"}));
    EXPECT_EQ(namesOf(ports.getOutputDevices()), (std::vector<std::string>{"Out"}));
    EXPECT_NE(a, b);
    EXPECT_EQ(ports.getInputDevices()[1].identifier, b);

    Collector collector;
    EXPECT_EQ(ports.openInput(2, &collector), nullptr);
    EXPECT_EQ(ports.openInput(-1, &collector), nullptr);
    EXPECT_EQ(ports.openOutput(1), nullptr);

    auto input = ports.openInput(1, &collector);
    ASSERT_NE(input, nullptr);
    EXPECT_EQ(input->getDeviceInfo().identifier, b);
    EXPECT_EQ(ports.countOpen(b), 1);
    EXPECT_EQ(ports.send(b, cc(1)), 0);
    input->start();
    EXPECT_TRUE(ports.isRunning(b));
    EXPECT_EQ(ports.send(b, cc(2)), 1);
    EXPECT_EQ(ports.send(a, cc(3)), 0);
    input->stop();
    EXPECT_EQ(ports.send(b, cc(4)), 0);
    EXPECT_EQ(collector.values, (std::vector<int>{2}));
    input.reset();
    EXPECT_EQ(ports.countOpen(b), 0);

    auto output = ports.openOutput(0);
    ASSERT_NE(output, nullptr);
    EXPECT_FALSE(ports.isRunning(out));
    output->startBackgroundThread();
    EXPECT_TRUE(ports.isRunning(out));
    output->sendMessageNow(cc(5));
    EXPECT_EQ(received, (std::vector<int>{5}));
}

TEST(VirtualMIDIPorts, RefusedAndVanishedPortsCarryNothing)
{
    VirtualMIDIPorts ports;
    int received = 0;
    const auto in = ports.addInput("In");
    const auto out = ports.addOutput("Out", [&](const juce::MidiMessage&) { ++received; });
    Collector collector;
    auto input = ports.openInput(0, &collector);
    auto output = ports.openOutput(0);
    input->start();

    ports.refuseOpening(in);
    EXPECT_EQ(ports.openInput(0, &collector), nullptr);
    EXPECT_EQ(ports.send(in, cc(1)), 1);

    ports.remove(in);
    ports.remove(out);
    EXPECT_TRUE(ports.getInputDevices().isEmpty());
    EXPECT_TRUE(ports.getOutputDevices().isEmpty());
    EXPECT_EQ(ports.send(in, cc(2)), 0);
    output->sendMessageNow(cc(3));
    EXPECT_EQ(received, 0);
    EXPECT_EQ(input->getDeviceInfo().name, "In");
    EXPECT_EQ(collector.values, (std::vector<int>{1}));
}

TEST(JUCEMIDIPorts, OpensNothingOutsideItsLists)
{
    JUCEMIDIPorts ports;
    Collector collector;
    const auto inputs = ports.getInputDevices().size();
    const auto outputs = ports.getOutputDevices().size();
    EXPECT_EQ(ports.openInput(inputs, &collector), nullptr);
    EXPECT_EQ(ports.openInput(-1, &collector), nullptr);
    EXPECT_EQ(ports.openOutput(outputs), nullptr);
    EXPECT_EQ(ports.openOutput(-1), nullptr);
    EXPECT_EQ(ports.getDefaultOutputIndex(), 0);
}
