#include "device/MIDI.h"

#include "device/ConnectionState.h"
#include "device/JUCEMIDIPorts.h"
#include "device/SysExCodec.h"

namespace
{
juce::StringArray namesOf(const juce::Array<juce::MidiDeviceInfo>& devices)
{
    juce::StringArray names;
    for (const auto& device : devices)
        names.add(device.name);
    // As JUCE's own device lists do, so that two devices of one name can be told apart.
    names.appendNumbersToDuplicates(true, true);
    return names;
}

int indexOf(const juce::Array<juce::MidiDeviceInfo>& devices, const juce::MidiDeviceInfo& open)
{
    // Identifiers, not names: several devices may share a name.
    for (int i = 0; i < devices.size(); ++i)
        if (devices.getReference(i).identifier == open.identifier)
            return i;
    return -1;
}
} // namespace

MIDI::MIDI(MIDIListener* midiListener) : MIDI(midiListener, std::make_shared<JUCEMIDIPorts>()) {}

MIDI::MIDI(MIDIListener* midiListener, std::shared_ptr<MIDIPortProvider> portProvider)
    : listener(midiListener), ports(std::move(portProvider))
{
    jassert(listener != nullptr && ports != nullptr);
    broadcaster.addChangeListener(this);
}

MIDI::~MIDI()
{
    if (getState() != ConnectionState::disconnected)
        disconnect();
}

int MIDI::getState() const
{
    return state.load();
}

juce::String MIDI::getDeviceIdentity() const
{
    const juce::ScopedLock guard(stateLock);
    return deviceIdentity;
}

juce::StringArray MIDI::getInputDevices() const
{
    return namesOf(ports->getInputDevices());
}

juce::StringArray MIDI::getOutputDevices() const
{
    return namesOf(ports->getOutputDevices());
}

int MIDI::getDefaultInputIndex() const
{
    return 0;
}

int MIDI::getDefaultOutputIndex() const
{
    return ports->getDefaultOutputIndex();
}

int MIDI::getCurrentInputIndex() const
{
    return input == nullptr ? -1 : indexOf(ports->getInputDevices(), input->getDeviceInfo());
}

int MIDI::getCurrentOutputIndex() const
{
    return output == nullptr ? -1 : indexOf(ports->getOutputDevices(), output->getDeviceInfo());
}

bool MIDI::connect(int inputIndex, int outputIndex)
{
    if (getState() != ConnectionState::disconnected)
        disconnect();

    input = ports->openInput(inputIndex, this);
    if (input == nullptr)
        return false;
    output = ports->openOutput(outputIndex);
    if (output == nullptr)
    {
        input.reset();
        return false;
    }

    clearPending();
    input->start();
    output->startBackgroundThread();
    setState(ConnectionState::waitingForHandshake);
    broadcaster.sendChangeMessage();
    send(SysExCodec::buildMessage(SysExCommand::handshake));
    return true;
}

void MIDI::disconnect()
{
    if (getState() == ConnectionState::disconnected)
        return;
    input->stop();
    output->stopBackgroundThread();
    // Once the input is gone no handshake can complete, so the state set below stays.
    input.reset();
    output.reset();
    setState(ConnectionState::disconnected);
    broadcaster.sendChangeMessage();
}

void MIDI::sendAnalog(int index, const AnalogData& data)
{
    send(SysExCodec::buildAnalogReport(index, data));
}

void MIDI::sendDigital(int index, const DigitalData& data)
{
    send(SysExCodec::buildDigitalReport(index, data));
}

void MIDI::sendLED(int index, const LEDData& data)
{
    send(SysExCodec::buildLEDReport(index, data));
}

void MIDI::sendRestoreFactory()
{
    send(SysExCodec::buildMessage(SysExCommand::restoreFactory));
}

void MIDI::sendSaveToDevice()
{
    send(SysExCodec::buildMessage(SysExCommand::saveToDevice));
}

void MIDI::sendRestoreDevice()
{
    send(SysExCodec::buildMessage(SysExCommand::restoreDevice));
}

void MIDI::sendPing()
{
    send(SysExCodec::buildMessage(SysExCommand::ping));
}

void MIDI::requestAll()
{
    for (const auto& request : SysExCodec::buildAllRequests())
        send(request);
}

void MIDI::handleIncomingMidiMessage(juce::MidiInput*, const juce::MidiMessage& message)
{
    const auto current = getState();
    if (current == ConnectionState::connected)
    {
        {
            const juce::ScopedLock guard(lock);
            pending.push_back(message);
        }
        broadcaster.sendChangeMessage();
    }
    else if (current == ConnectionState::waitingForHandshake)
    {
        juce::String identity;
        if (!SysExCodec::parseIdentityReply(message, identity))
            return;
        {
            const juce::ScopedLock guard(stateLock);
            if (getState() != ConnectionState::waitingForHandshake)
                return;
            // The text is complete before anyone can see state 2.
            deviceIdentity = identity;
            state = ConnectionState::connected;
        }
        broadcaster.sendChangeMessage();
    }
}

void MIDI::changeListenerCallback(juce::ChangeBroadcaster*)
{
    // A listener that runs the message loop brings this callback back in the middle of a batch: the
    // walk under way then takes what arrived meanwhile once its batch is done, so that every message
    // comes once and in order.
    if (walking)
    {
        missedCallback = true;
        return;
    }

    const juce::WeakReference<MIDI> alive(this);
    walking = true;
    do
    {
        missedCallback = false;
        {
            const juce::ScopedLock guard(lock);
            pending.swap(delivering);
        }
        const auto generation = queueGeneration;
        for (const auto& message : delivering)
        {
            SysExCodec::deliver(message, *listener);
            // The listener may have destroyed this link, or connected it again, which drops the rest.
            if (alive == nullptr)
                return;
            if (queueGeneration != generation)
                break;
        }
        delivering.clear();
    } while (missedCallback);
    walking = false;

    const auto current = getState();
    if (current != lastReportedState)
    {
        lastReportedState = current;
        listener->connectionStateChanged(current);
    }
}

void MIDI::send(const juce::MidiMessage& message)
{
    if (output != nullptr)
        output->sendMessageNow(message);
}

void MIDI::setState(int newState)
{
    const juce::ScopedLock guard(stateLock);
    state = newState;
}

void MIDI::clearPending()
{
    ++queueGeneration;
    const juce::ScopedLock guard(lock);
    pending.clear();
}
