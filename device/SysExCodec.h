#pragma once

#include "device/AnalogData.h"
#include "device/DigitalData.h"
#include "device/LEDData.h"
#include "device/MIDIListener.h"
#include "device/SysExCommand.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <vector>

// Building and recognising the device's System Exclusive messages: F0 00 4B 62 01, a command byte,
// the command's payload, F7. Pure functions over the message bytes; nothing here touches a port.
namespace SysExCodec
{
inline constexpr int analogControls = 35;
inline constexpr int digitalControls = 24;
inline constexpr int ledControls = 24;

// A well-framed message of the device: its command and the bytes between the command and F7. The
// payload points into the message it was parsed from.
struct Frame
{
    SysExCommand command = SysExCommand::handshake;
    const juce::uint8* payload = nullptr;
    int payloadSize = 0;
};

// The frame around a payload, time stamp 0.
juce::MidiMessage buildMessage(SysExCommand command, const juce::uint8* payload = nullptr,
                               int payloadSize = 0);

// A request for one report; the index is written as its low 8 bits.
juce::MidiMessage buildRequest(SysExCommand request, int index);

// The 35 analog, 24 digital and 24 LED requests, in that order, each kind by rising index.
std::vector<juce::MidiMessage> buildAllRequests();

// Reports carry the index's low 8 bits always; a disabled record leaves every other setting 00.
juce::MidiMessage buildAnalogReport(int index, const AnalogData& data);
juce::MidiMessage buildDigitalReport(int index, const DigitalData& data);
juce::MidiMessage buildLEDReport(int index, const LEDData& data);

// True for F0 00 4B 62 01 <command> ... F7 of at least the frame's own seven bytes.
bool parseFrame(const juce::MidiMessage& message, Frame& frame);

// The identity reply's text runs up to F7 or the first 00 byte, one character per byte.
bool parseIdentityReply(const juce::MidiMessage& message, juce::String& identity);

// Reports of exactly their own length. The index and every value are passed on as received.
bool parseAnalogReport(const juce::MidiMessage& message, int& index, AnalogData& data);
bool parseDigitalReport(const juce::MidiMessage& message, int& index, DigitalData& data);
bool parseLEDReport(const juce::MidiMessage& message, int& index, LEDData& data);

// Recognises a message received while connected and makes the matching listener call: ping reply,
// report, note-on, note-off (a note-on with velocity 0 included) or controller. Everything else,
// identity replies included, is ignored.
void deliver(const juce::MidiMessage& message, MIDIListener& listener);
} // namespace SysExCodec
