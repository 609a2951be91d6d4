#pragma once

#include "device/MIDIListener.h"

#include <functional>
#include <string>
#include <vector>

// A MIDIListener that writes every call it hears as one line of text, in the order of the calls, so
// that tests compare whole sequences: "state 2", "cc 1 7 100", "on 10 60 1", "off 10 60 0", "ping",
// and reports as their index and fields in record order, e.g. "analog 3 1 1 1 7 0 127 0".
class RecordingMIDIListener final : public MIDIListener
{
public:
    static std::string describe(int index, const AnalogData& data);
    static std::string describe(int index, const DigitalData& data);
    static std::string describe(int index, const LEDData& data);

    void connectionStateChanged(int state) override;
    void analogReceived(int index, const AnalogData& data) override;
    void digitalReceived(int index, const DigitalData& data) override;
    void ledReceived(int index, const LEDData& data) override;
    void controllerReceived(int channel, int number, int value) override;
    void noteOnReceived(int channel, int note, int velocity) override;
    void noteOffReceived(int channel, int note, int velocity) override;
    void pingReplyReceived() override;

    // The number of lines that start with the given word ("analog", "state", ...).
    int count(const std::string& word) const;

    std::vector<std::string> events;
    // Runs once, after the next controller line is written, so that a test can act from inside a
    // listener call.
    std::function<void()> onNextController;
};
