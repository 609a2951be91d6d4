#pragma once

#include "device/AnalogData.h"
#include "device/DigitalData.h"
#include "device/LEDData.h"
#include "device/MIDIListener.h"
#include "device/MIDIPortProvider.h"

#include <juce_audio_devices/juce_audio_devices.h>
#include <juce_events/juce_events.h>

#include <atomic>
#include <memory>
#include <vector>

// The one connection to the device: lists the MIDI ports, opens and closes one input/output pair,
// runs the handshake, sends the device's messages and hands what arrives on the MIDI thread over to
// the message thread, where it is parsed and reported to the listener. Everything but
// handleIncomingMidiMessage is called on the message thread.
class MIDI final : public juce::MidiInputCallback, public juce::ChangeListener
{
public:
    // Uses the system's MIDI ports.
    explicit MIDI(MIDIListener* listener);
    MIDI(MIDIListener* listener, std::shared_ptr<MIDIPortProvider> ports);
    ~MIDI() override;

    // A ConnectionState.
    int getState() const;
    // The text of the last identity reply; kept after a disconnect.
    juce::String getDeviceIdentity() const;

    // Device names as listed now; equal names are told apart by a number.
    juce::StringArray getInputDevices() const;
    juce::StringArray getOutputDevices() const;
    int getDefaultInputIndex() const;
    int getDefaultOutputIndex() const;
    // Where the open port stands in the list as it is now; -1 when none is open or it is gone.
    int getCurrentInputIndex() const;
    int getCurrentOutputIndex() const;

    // Closes an open pair, opens the given one, starts it and sends the handshake. False, with
    // nothing left open, when a port cannot be opened.
    bool connect(int inputIndex, int outputIndex);
    void disconnect();

    // Sending needs an open output; without one these do nothing.
    void sendAnalog(int index, const AnalogData& data);
    void sendDigital(int index, const DigitalData& data);
    void sendLED(int index, const LEDData& data);
    void sendRestoreFactory();
    void sendSaveToDevice();
    void sendRestoreDevice();
    void sendPing();
    void requestAll();

    void handleIncomingMidiMessage(juce::MidiInput* source, const juce::MidiMessage& message) override;
    void changeListenerCallback(juce::ChangeBroadcaster* source) override;

private:
    void send(const juce::MidiMessage& message);
    void setState(int newState);
    void clearPending();

    MIDIListener* listener;
    int lastReportedState = 0;
    // Read by the MIDI thread without a lock; written under stateLock together with the identity.
    std::atomic<int> state{0};
    std::shared_ptr<MIDIPortProvider> ports;
    std::unique_ptr<MIDIInputPort> input;
    std::unique_ptr<MIDIOutputPort> output;
    // In arrival order. Not a juce::MidiBuffer: it searches for each message's place from the start,
    // so messages piling up while the message thread is busy would cost the MIDI thread quadratic time.
    std::vector<juce::MidiMessage> pending;
    // The batch that the message thread has taken out of pending and is handing to the listener, so
    // that the MIDI thread waits only for a swap, never for the listener. The two trade places and keep
    // their capacity, so neither allocates again once batches stop growing.
    std::vector<juce::MidiMessage> delivering;
    // Guards pending only.
    juce::CriticalSection lock;
    // One more whenever connect clears the queue. A walk stops when it changes, so nothing queued before
    // a connect is delivered after it, not even when the listener connects in the middle of a batch.
    unsigned int queueGeneration = 0;
    // A batch is being handed to the listener; the callback came back meanwhile and left it the rest.
    bool walking = false;
    bool missedCallback = false;
    juce::ChangeBroadcaster broadcaster;
    // Makes the handshake's move to state 2 and the identity text one step, and orders it against
    // connect and disconnect.
    juce::CriticalSection stateLock;
    juce::String deviceIdentity;

    JUCE_DECLARE_WEAK_REFERENCEABLE(MIDI)
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(MIDI)
};
