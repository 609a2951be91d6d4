#pragma once

#include "device/AnalogData.h"
#include "device/DigitalData.h"
#include "device/LEDData.h"
#include "device/SysExCodec.h"
#include "support/VirtualMIDIPorts.h"

#include <array>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

// A VEXLO behind a pair of virtual ports, as the editor's tests and benchmarks need one: it answers
// the handshake with one identity reply, each ping with one ping reply and each request with one
// report of its stored record; it stores the reports it receives and obeys the three memory
// commands. It sends from a thread of its own, as a MIDI driver does, records everything it
// receives, and can be told to misbehave in the ways a real device or cable can.
class SimulatedVEXLO
{
public:
    enum class Burst
    {
        controllers,
        notesAndControllers
    };

    using SendObserver = std::function<void(const juce::MidiMessage&)>;

    // Adds an input and an output port of the given name to the virtual ports, which must outlive
    // this object; the destructor takes them away again.
    explicit SimulatedVEXLO(VirtualMIDIPorts& ports, const juce::String& name = "VEXLO");
    ~SimulatedVEXLO();

    // The input the editor listens to (this device sends into it) and the output the editor sends to.
    juce::String getInputIdentifier() const { return inputIdentifier; }
    juce::String getOutputIdentifier() const { return outputIdentifier; }

    // What it answers; settings apply to messages received from then on.
    void setIdentity(const juce::String& text);
    // When not empty, a second identity reply with this text follows the first one.
    void setSecondIdentity(const juce::String& text);
    void setSilent(bool shouldBeSilent);
    void setAnswersPings(bool shouldAnswer);
    // Drops this fraction of its replies, picked by a random sequence that is the same every run.
    void setDropFraction(double fraction);
    void setReplyDelay(int milliseconds);
    // Paces both directions at the MIDI 1.0 wire rate: a message arrives when its last byte would.
    void setWireRate(bool paced);
    // Precedes every reply with a clock and an active sensing byte.
    void setInterleavedRealTime(bool interleave);
    // Precedes every reply with garbled messages of its own and foreign System Exclusive.
    void setInterleavedGarbage(bool interleave);

    // Sends from the device's thread, after everything queued before.
    void send(const juce::MidiMessage& message);
    // Reports of each kind whose index lies outside the model.
    void sendOutOfRangeReports();
    // count messages, one every intervalMicroseconds (0: as fast as possible); message k is
    // burstMessage(kind, k), so tests can tell the expected sequence.
    void sendBurst(Burst kind, int count, int intervalMicroseconds = 0);
    static juce::MidiMessage burstMessage(Burst kind, int position);
    static juce::MidiMessage identityReply(const juce::String& text);
    static juce::MidiMessage pingReply();

    // Called on the device's thread just before each message goes out.
    void setSendObserver(SendObserver observer);

    // Messages sent (dropped replies not counted) and replies dropped so far.
    int getSentCount() const;
    int getDroppedCount() const;
    // Blocks the calling thread, without running any message loop, until count messages have been
    // sent in all; false on time-out.
    bool waitUntilSent(int count, int timeoutMilliseconds = 5000) const;

    // Everything received so far, in order.
    std::vector<juce::MidiMessage> getReceived() const;
    int getReceivedCount() const;
    // Blocks the calling thread until the device has taken in everything sent to it so far, which it
    // does on its own thread and, when paced, only once the message has crossed the wire; false on
    // time-out.
    bool waitUntilTakenIn(int timeoutMilliseconds = 5000) const;

    // The device's current records.
    AnalogData getAnalog(int index) const;
    DigitalData getDigital(int index) const;
    LEDData getLED(int index) const;
    void setAnalog(int index, const AnalogData& data);
    void setDigital(int index, const DigitalData& data);
    void setLED(int index, const LEDData& data);

private:
    using Clock = std::chrono::steady_clock;

    struct Records
    {
        std::array<AnalogData, SysExCodec::analogControls> analog;
        std::array<DigitalData, SysExCodec::digitalControls> digital;
        std::array<LEDData, SysExCodec::ledControls> led;
    };

    struct Timed
    {
        juce::MidiMessage message;
        Clock::time_point time;
    };

    void receive(const juce::MidiMessage& message);
    void run();
    void handle(const juce::MidiMessage& message, Clock::time_point now);
    void answerRequest(SysExCommand request, int index, Clock::time_point now);
    void reply(const juce::MidiMessage& message, Clock::time_point now);
    void queue(const juce::MidiMessage& message, Clock::time_point due);
    Clock::time_point transmissionEnd(Clock::time_point& wireFree, const juce::MidiMessage& message,
                                      Clock::time_point now) const;

    VirtualMIDIPorts& ports;
    juce::String inputIdentifier;
    juce::String outputIdentifier;

    mutable std::mutex mutex;
    std::condition_variable wake;
    mutable std::condition_variable sentChanged;
    mutable std::condition_variable takenIn;

    juce::String identity = "VEXLO";
    juce::String secondIdentity;
    bool silent = false;
    bool answersPings = true;
    double dropFraction = 0.0;
    std::chrono::milliseconds replyDelay{0};
    bool paced = false;
    bool realTime = false;
    bool garbage = false;
    SendObserver sendObserver;
    juce::Random dropChoice{1};

    Records current;
    Records memory;
    std::vector<juce::MidiMessage> received;
    std::deque<Timed> inbound;
    std::deque<Timed> outbound;
    std::optional<Timed> inFlight;
    Clock::time_point inboundWireFree;
    Clock::time_point outboundWireFree;
    int sent = 0;
    int dropped = 0;
    bool quitting = false;

    std::thread thread;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(SimulatedVEXLO)
};
