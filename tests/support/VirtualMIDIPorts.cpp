#include "support/VirtualMIDIPorts.h"

#include <algorithm>

namespace
{
class InputHandle;
class OutputHandle;
} // namespace

// One virtual port. Its mutex is held while a message is delivered through it, so that closing a
// handle waits for a delivery in progress, as JUCE's ports do.
struct VirtualMIDIPorts::Port
{
    bool isInput = true;
    juce::MidiDeviceInfo info;
    Receiver receiver;

    mutable std::mutex mutex;
    bool listed = true;
    bool refusesOpening = false;
    std::vector<InputHandle*> inputs;
    std::vector<OutputHandle*> outputs;
};

namespace
{
using Port = VirtualMIDIPorts::Port;

class InputHandle final : public MIDIInputPort
{
public:
    InputHandle(std::shared_ptr<Port> openedPort, juce::MidiInputCallback* inputCallback)
        : port(std::move(openedPort)), callback(inputCallback)
    {
        const std::lock_guard<std::mutex> guard(port->mutex);
        port->inputs.push_back(this);
    }

    ~InputHandle() override
    {
        const std::lock_guard<std::mutex> guard(port->mutex);
        port->inputs.erase(std::find(port->inputs.begin(), port->inputs.end(), this));
    }

    void start() override { setStarted(true); }
    void stop() override { setStarted(false); }
    juce::MidiDeviceInfo getDeviceInfo() const override { return port->info; }

    // Called with the port's mutex held.
    bool deliver(const juce::MidiMessage& message)
    {
        if (!started)
            return false;
        callback->handleIncomingMidiMessage(nullptr, message);
        return true;
    }

    bool isStarted() const { return started; }

private:
    void setStarted(bool shouldRun)
    {
        const std::lock_guard<std::mutex> guard(port->mutex);
        started = shouldRun;
    }

    std::shared_ptr<Port> port;
    juce::MidiInputCallback* callback;
    bool started = false;
};

class OutputHandle final : public MIDIOutputPort
{
public:
    explicit OutputHandle(std::shared_ptr<Port> openedPort) : port(std::move(openedPort))
    {
        const std::lock_guard<std::mutex> guard(port->mutex);
        port->outputs.push_back(this);
    }

    ~OutputHandle() override
    {
        const std::lock_guard<std::mutex> guard(port->mutex);
        port->outputs.erase(std::find(port->outputs.begin(), port->outputs.end(), this));
    }

    void sendMessageNow(const juce::MidiMessage& message) override
    {
        const std::lock_guard<std::mutex> guard(port->mutex);
        if (port->listed)
            port->receiver(message);
    }

    void startBackgroundThread() override { setRunning(true); }
    void stopBackgroundThread() override { setRunning(false); }
    juce::MidiDeviceInfo getDeviceInfo() const override { return port->info; }

    bool isRunning() const { return running; }

private:
    void setRunning(bool shouldRun)
    {
        const std::lock_guard<std::mutex> guard(port->mutex);
        running = shouldRun;
    }

    std::shared_ptr<Port> port;
    bool running = false;
};
} // namespace

juce::String VirtualMIDIPorts::addInput(const juce::String& name)
{
    return add(true, name, nullptr);
}

juce::String VirtualMIDIPorts::addOutput(const juce::String& name, Receiver receiver)
{
    return add(false, name, std::move(receiver));
}

juce::String VirtualMIDIPorts::add(bool input, const juce::String& name, Receiver receiver)
{
    auto port = std::make_shared<Port>();
    port->isInput = input;
    port->receiver = std::move(receiver);
    const std::lock_guard<std::mutex> guard(registryMutex);
    port->info =
        juce::MidiDeviceInfo(name, (input ? "virtual-input-" : "virtual-output-") + juce::String(nextId++));
    ports.push_back(port);
    return port->info.identifier;
}

void VirtualMIDIPorts::remove(const juce::String& identifier)
{
    std::shared_ptr<Port> port;
    {
        const std::lock_guard<std::mutex> guard(registryMutex);
        const auto found = std::find_if(ports.begin(), ports.end(),
                                        [&](const auto& p) { return p->info.identifier == identifier; });
        if (found == ports.end())
            return;
        port = *found;
        ports.erase(found);
    }
    const std::lock_guard<std::mutex> guard(port->mutex);
    port->listed = false;
}

void VirtualMIDIPorts::refuseOpening(const juce::String& identifier)
{
    if (auto port = find(identifier))
    {
        const std::lock_guard<std::mutex> guard(port->mutex);
        port->refusesOpening = true;
    }
}

int VirtualMIDIPorts::send(const juce::String& inputIdentifier, const juce::MidiMessage& message)
{
    const auto port = find(inputIdentifier);
    if (port == nullptr)
        return 0;
    const std::lock_guard<std::mutex> guard(port->mutex);
    int delivered = 0;
    if (port->listed)
        for (auto* handle : port->inputs)
            delivered += handle->deliver(message) ? 1 : 0;
    return delivered;
}

int VirtualMIDIPorts::countOpen(const juce::String& identifier) const
{
    const auto port = find(identifier);
    if (port == nullptr)
        return 0;
    const std::lock_guard<std::mutex> guard(port->mutex);
    return (int) (port->inputs.size() + port->outputs.size());
}

bool VirtualMIDIPorts::isRunning(const juce::String& identifier) const
{
    const auto port = find(identifier);
    if (port == nullptr)
        return false;
    const std::lock_guard<std::mutex> guard(port->mutex);
    return std::any_of(port->inputs.begin(), port->inputs.end(), [](auto* h) { return h->isStarted(); }) ||
           std::any_of(port->outputs.begin(), port->outputs.end(), [](auto* h) { return h->isRunning(); });
}

juce::Array<juce::MidiDeviceInfo> VirtualMIDIPorts::getInputDevices()
{
    return listed(true);
}

juce::Array<juce::MidiDeviceInfo> VirtualMIDIPorts::getOutputDevices()
{
    return listed(false);
}

int VirtualMIDIPorts::getDefaultOutputIndex()
{
    return 0;
}

std::unique_ptr<MIDIInputPort> VirtualMIDIPorts::openInput(int index, juce::MidiInputCallback* callback)
{
    if (auto port = openable(true, index))
        return std::make_unique<InputHandle>(std::move(port), callback);
    return nullptr;
}

std::unique_ptr<MIDIOutputPort> VirtualMIDIPorts::openOutput(int index)
{
    if (auto port = openable(false, index))
        return std::make_unique<OutputHandle>(std::move(port));
    return nullptr;
}

std::shared_ptr<VirtualMIDIPorts::Port> VirtualMIDIPorts::find(const juce::String& identifier) const
{
    const std::lock_guard<std::mutex> guard(registryMutex);
    const auto found = std::find_if(ports.begin(), ports.end(),
                                    [&](const auto& port) { return port->info.identifier == identifier; });
    return found == ports.end() ? nullptr : *found;
}

juce::Array<juce::MidiDeviceInfo> VirtualMIDIPorts::listed(bool inputs) const
{
    const std::lock_guard<std::mutex> guard(registryMutex);
    juce::Array<juce::MidiDeviceInfo> devices;
    for (const auto& port : ports)
        if (port->isInput == inputs)
            devices.add(port->info);
    return devices;
}

std::shared_ptr<VirtualMIDIPorts::Port> VirtualMIDIPorts::openable(bool inputs, int index) const
{
    std::shared_ptr<Port> port;
    {
        const std::lock_guard<std::mutex> guard(registryMutex);
        int position = 0;
        for (const auto& candidate : ports)
            if (candidate->isInput == inputs && position++ == index)
                port = candidate;
    }
    if (port == nullptr)
        return nullptr;
    const std::lock_guard<std::mutex> guard(port->mutex);
    return port->refusesOpening ? nullptr : port;
}
