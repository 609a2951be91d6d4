#include "device/SysExCodec.h"

#include <algorithm>
#include <array>

namespace SysExCodec
{
namespace
{
// The frame: F0, manufacturer identifier, constant 01, command, payload, F7.
static constexpr juce::uint8 sysExStart = 0xF0;
static constexpr juce::uint8 sysExEnd = 0xF7;
static constexpr std::array<juce::uint8, 3> manufacturerId{0x00, 0x4B, 0x62};
static constexpr juce::uint8 protocolConstant = 0x01;
static constexpr int manufacturerPosition = 1;
static constexpr int constantPosition = 4;
static constexpr int commandPosition = 5;
static constexpr int payloadPosition = 6;
static constexpr int frameBytes = payloadPosition + 1;

// Payload positions shared by the three reports, then the two values of analog and digital reports.
static constexpr int indexOffset = 0;
static constexpr int channelOffset = 1;
static constexpr int flagsOffset = 2;
static constexpr int numberOffset = 3;
static constexpr int firstValueOffset = 4;
static constexpr int secondValueOffset = 5;

// The analog report ends in four bytes that the device expects and that are never interpreted.
static constexpr int analogConstantsOffset = 6;
static constexpr std::array<juce::uint8, 4> analogConstants{0x00, 0x0A, 0x1F, 0x1F};

static constexpr int requestPayloadSize = 1;
static constexpr int pingReplyPayloadSize = 1;
static constexpr int ledPayloadSize = numberOffset + 1;
static constexpr int digitalPayloadSize = secondValueOffset + 1;
static constexpr int analogPayloadSize = analogConstantsOffset + (int) analogConstants.size();

// The flags byte: bits 0-3 the mode, bit 4 the record's own flag.
static constexpr juce::uint8 modeMask = 0x0F;
static constexpr juce::uint8 modeDisabled = 0x00;
static constexpr juce::uint8 modeNotes = 0x01;
static constexpr juce::uint8 modeControllers = 0x02;
static constexpr juce::uint8 flagBit = 0x10;
// Inversion counts only with bits 5 and 6 clear; bit 7 is not looked at.
static constexpr juce::uint8 invertMask = 0x70;

static constexpr int channelMessageSize = 3;
// The identity text ends at the first 00 byte.
static constexpr juce::uint8 textEnd = 0x00;

// Values go out as the low 8 bits of the int, unmasked and unclamped.
juce::uint8 lowByte(int value)
{
    return static_cast<juce::uint8>(value);
}

juce::uint8 flagsFor(bool controllerMode, bool flag)
{
    const auto mode = controllerMode ? modeControllers : modeNotes;
    return static_cast<juce::uint8>(mode | (flag ? flagBit : 0));
}

bool hasPayload(const Frame& frame, SysExCommand command, int payloadSize)
{
    return frame.command == command && frame.payloadSize == payloadSize;
}

// Writes the settings that the three reports share; a disabled record leaves them 00.
template <typename Data> void writeShared(juce::uint8* payload, int index, const Data& data, bool flag)
{
    payload[indexOffset] = lowByte(index);
    if (!data.enabled)
        return;
    payload[channelOffset] = lowByte(data.channel - 1);
    payload[flagsOffset] = flagsFor(data.controllerMode, flag);
    payload[numberOffset] = lowByte(data.number);
}

// Reads the settings that the three reports share from a report of the given kind; false for any
// other frame. A disabled report leaves every other field at the record's default.
template <typename Data>
bool readShared(const Frame& frame, SysExCommand command, int payloadSize, int& index, Data& data)
{
    if (!hasPayload(frame, command, payloadSize))
        return false;
    const auto* payload = frame.payload;
    const auto mode = payload[flagsOffset] & modeMask;
    index = payload[indexOffset];
    data = {};
    data.enabled = mode != modeDisabled;
    if (data.enabled)
    {
        data.channel = payload[channelOffset] + 1;
        data.controllerMode = mode != modeNotes;
        data.number = payload[numberOffset];
    }
    return true;
}

bool hasFlag(const Frame& frame)
{
    return (frame.payload[flagsOffset] & flagBit) != 0;
}

bool readAnalog(const Frame& frame, int& index, AnalogData& data)
{
    if (!readShared(frame, SysExCommand::analogReport, analogPayloadSize, index, data))
        return false;
    if (data.enabled)
    {
        data.min = frame.payload[firstValueOffset];
        data.max = frame.payload[secondValueOffset];
        data.inverted = (frame.payload[flagsOffset] & invertMask) == flagBit;
    }
    return true;
}

bool readDigital(const Frame& frame, int& index, DigitalData& data)
{
    if (!readShared(frame, SysExCommand::digitalReport, digitalPayloadSize, index, data))
        return false;
    if (data.enabled)
    {
        data.toggle = hasFlag(frame);
        data.on = frame.payload[firstValueOffset];
        data.off = frame.payload[secondValueOffset];
    }
    return true;
}

bool readLED(const Frame& frame, int& index, LEDData& data)
{
    if (!readShared(frame, SysExCommand::ledReport, ledPayloadSize, index, data))
        return false;
    if (data.enabled)
        data.ableton = hasFlag(frame);
    return true;
}

void deliverFrame(const Frame& frame, MIDIListener& listener)
{
    int index = 0;
    AnalogData analog;
    DigitalData digital;
    LEDData led;
    if (hasPayload(frame, SysExCommand::pingReply, pingReplyPayloadSize))
        listener.pingReplyReceived();
    else if (readLED(frame, index, led))
        listener.ledReceived(index, led);
    else if (readDigital(frame, index, digital))
        listener.digitalReceived(index, digital);
    else if (readAnalog(frame, index, analog))
        listener.analogReceived(index, analog);
}

void deliverChannelMessage(const juce::MidiMessage& message, MIDIListener& listener)
{
    // JUCE's accessors read three bytes whatever the message's length.
    if (message.getRawDataSize() != channelMessageSize)
        return;
    const auto channel = message.getChannel();
    if (message.isNoteOn())
        listener.noteOnReceived(channel, message.getNoteNumber(), message.getVelocity());
    else if (message.isNoteOff())
        listener.noteOffReceived(channel, message.getNoteNumber(), message.getVelocity());
    else if (message.isController())
        listener.controllerReceived(channel, message.getControllerNumber(), message.getControllerValue());
}
} // namespace

juce::MidiMessage buildMessage(SysExCommand command, const juce::uint8* payload, int payloadSize)
{
    std::vector<juce::uint8> bytes;
    bytes.reserve((size_t) (frameBytes + payloadSize));
    bytes.push_back(sysExStart);
    bytes.insert(bytes.end(), manufacturerId.begin(), manufacturerId.end());
    bytes.push_back(protocolConstant);
    bytes.push_back(static_cast<juce::uint8>(command));
    if (payloadSize > 0)
        bytes.insert(bytes.end(), payload, payload + payloadSize);
    bytes.push_back(sysExEnd);
    return juce::MidiMessage(bytes.data(), (int) bytes.size());
}

juce::MidiMessage buildRequest(SysExCommand request, int index)
{
    const std::array<juce::uint8, requestPayloadSize> payload{lowByte(index)};
    return buildMessage(request, payload.data(), (int) payload.size());
}

std::vector<juce::MidiMessage> buildAllRequests()
{
    std::vector<juce::MidiMessage> requests;
    requests.reserve(analogControls + digitalControls + ledControls);
    for (int i = 0; i < analogControls; ++i)
        requests.push_back(buildRequest(SysExCommand::analogRequest, i));
    for (int i = 0; i < digitalControls; ++i)
        requests.push_back(buildRequest(SysExCommand::digitalRequest, i));
    for (int i = 0; i < ledControls; ++i)
        requests.push_back(buildRequest(SysExCommand::ledRequest, i));
    return requests;
}

juce::MidiMessage buildAnalogReport(int index, const AnalogData& data)
{
    std::array<juce::uint8, analogPayloadSize> payload{};
    writeShared(payload.data(), index, data, data.inverted);
    if (data.enabled)
    {
        payload[firstValueOffset] = lowByte(data.min);
        payload[secondValueOffset] = lowByte(data.max);
    }
    std::copy(analogConstants.begin(), analogConstants.end(), payload.begin() + analogConstantsOffset);
    return buildMessage(SysExCommand::analogReport, payload.data(), (int) payload.size());
}

juce::MidiMessage buildDigitalReport(int index, const DigitalData& data)
{
    std::array<juce::uint8, digitalPayloadSize> payload{};
    writeShared(payload.data(), index, data, data.toggle);
    if (data.enabled)
    {
        payload[firstValueOffset] = lowByte(data.on);
        payload[secondValueOffset] = lowByte(data.off);
    }
    return buildMessage(SysExCommand::digitalReport, payload.data(), (int) payload.size());
}

juce::MidiMessage buildLEDReport(int index, const LEDData& data)
{
    std::array<juce::uint8, ledPayloadSize> payload{};
    writeShared(payload.data(), index, data, data.ableton);
    return buildMessage(SysExCommand::ledReport, payload.data(), (int) payload.size());
}

bool parseFrame(const juce::MidiMessage& message, Frame& frame)
{
    const auto* bytes = message.getRawData();
    const auto size = message.getRawDataSize();
    if (size < frameBytes || bytes[0] != sysExStart || bytes[size - 1] != sysExEnd)
        return false;
    if (!std::equal(manufacturerId.begin(), manufacturerId.end(), bytes + manufacturerPosition))
        return false;
    if (bytes[constantPosition] != protocolConstant)
        return false;
    frame.command = static_cast<SysExCommand>(bytes[commandPosition]);
    frame.payload = bytes + payloadPosition;
    frame.payloadSize = size - frameBytes;
    return true;
}

bool parseIdentityReply(const juce::MidiMessage& message, juce::String& identity)
{
    Frame frame;
    if (!parseFrame(message, frame) || frame.command != SysExCommand::identityReply)
        return false;
    const auto* end = std::find(frame.payload, frame.payload + frame.payloadSize, textEnd);
    std::vector<juce::juce_wchar> characters(frame.payload, end);
    characters.push_back(0);
    identity = juce::String(juce::CharPointer_UTF32(characters.data()));
    return true;
}

bool parseAnalogReport(const juce::MidiMessage& message, int& index, AnalogData& data)
{
    Frame frame;
    return parseFrame(message, frame) && readAnalog(frame, index, data);
}

bool parseDigitalReport(const juce::MidiMessage& message, int& index, DigitalData& data)
{
    Frame frame;
    return parseFrame(message, frame) && readDigital(frame, index, data);
}

bool parseLEDReport(const juce::MidiMessage& message, int& index, LEDData& data)
{
    Frame frame;
    return parseFrame(message, frame) && readLED(frame, index, data);
}

void deliver(const juce::MidiMessage& message, MIDIListener& listener)
{
    Frame frame;
    if (parseFrame(message, frame))
        deliverFrame(frame, listener);
    else
        deliverChannelMessage(message, listener);
}
} // namespace SysExCodec
