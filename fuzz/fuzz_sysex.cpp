// Feeds arbitrary bytes to the recogniser of incoming device messages, both as a message exactly as
// a port delivers it and framed as System Exclusive data. It must never read outside the message,
// every channel it reports must be 1..16, and every report it accepts must survive being built
// again and parsed again unchanged.
#include "device/SysExCodec.h"

#include <cstdlib>

namespace
{
void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool validChannel(int channel)
{
    return channel >= 1 && channel <= 16;
}

class CheckingListener final : public MIDIListener
{
public:
    void connectionStateChanged(int) override { std::abort(); }
    void analogReceived(int index, const AnalogData&) override { require(index >= 0 && index <= 0xFF); }
    void digitalReceived(int index, const DigitalData&) override { require(index >= 0 && index <= 0xFF); }
    void ledReceived(int index, const LEDData&) override { require(index >= 0 && index <= 0xFF); }
    void controllerReceived(int channel, int, int) override { require(validChannel(channel)); }
    void noteOnReceived(int channel, int, int velocity) override
    {
        require(validChannel(channel) && velocity != 0);
    }
    void noteOffReceived(int channel, int, int) override { require(validChannel(channel)); }
    void pingReplyReceived() override {}
};

bool same(const AnalogData& a, const AnalogData& b)
{
    return a.enabled == b.enabled && a.channel == b.channel && a.controllerMode == b.controllerMode &&
           a.number == b.number && a.min == b.min && a.max == b.max && a.inverted == b.inverted;
}

bool same(const DigitalData& a, const DigitalData& b)
{
    return a.enabled == b.enabled && a.channel == b.channel && a.controllerMode == b.controllerMode &&
           a.toggle == b.toggle && a.number == b.number && a.on == b.on && a.off == b.off;
}

bool same(const LEDData& a, const LEDData& b)
{
    return a.enabled == b.enabled && a.channel == b.channel && a.controllerMode == b.controllerMode &&
           a.ableton == b.ableton && a.number == b.number;
}

template <typename Data, typename Parse, typename Build>
void checkRoundTrip(const juce::MidiMessage& message, Parse parse, Build build)
{
    int index = -1;
    Data data;
    if (!parse(message, index, data))
        return;
    int indexAgain = -1;
    Data again;
    require(parse(build(index, data), indexAgain, again));
    require(index == indexAgain && same(data, again));
}

void recognise(const juce::MidiMessage& message)
{
    CheckingListener listener;
    SysExCodec::deliver(message, listener);
    juce::String identity;
    SysExCodec::parseIdentityReply(message, identity);
    checkRoundTrip<AnalogData>(message, SysExCodec::parseAnalogReport, SysExCodec::buildAnalogReport);
    checkRoundTrip<DigitalData>(message, SysExCodec::parseDigitalReport, SysExCodec::buildDigitalReport);
    checkRoundTrip<LEDData>(message, SysExCodec::parseLEDReport, SysExCodec::buildLEDReport);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const juce::uint8* data, size_t size)
{
    // A port never delivers an empty message; very long inputs only slow the search down.
    if (size == 0 || size > (1u << 20))
        return 0;
    recognise(juce::MidiMessage(data, (int) size));
    recognise(juce::MidiMessage::createSysExMessage(data, (int) size));
    return 0;
}
