// Pins the device's System Exclusive wire bytes both ways: every outgoing message byte for byte, and
// which incoming messages reach which listener call with which values, malformed ones reaching none.
#include "device/SysExCodec.h"

#include "support/RecordingMIDIListener.h"

#include <gtest/gtest.h>

namespace
{
using Bytes = std::vector<int>;

Bytes bytesOf(const juce::MidiMessage& message)
{
    return Bytes(message.getRawData(), message.getRawData() + message.getRawDataSize());
}

juce::MidiMessage messageOf(const Bytes& bytes)
{
    std::vector<juce::uint8> raw(bytes.begin(), bytes.end());
    return juce::MidiMessage(raw.data(), (int) raw.size());
}

std::vector<std::string> deliverAll(const std::vector<Bytes>& messages)
{
    RecordingMIDIListener listener;
    for (const auto& bytes : messages)
        SysExCodec::deliver(messageOf(bytes), listener);
    return listener.events;
}

const Bytes analogReport{0xF0, 0x00, 0x4B, 0x62, 0x01, 0x07, 0x03, 0x00, 0x02,
                         0x07, 0x00, 0x7F, 0x00, 0x0A, 0x1F, 0x1F, 0xF7};
} // namespace

TEST(SysExCodec, BuildsReportsByteForByte)
{
    AnalogData analog;
    analog.number = 7;
    EXPECT_EQ(bytesOf(SysExCodec::buildAnalogReport(3, analog)), analogReport);

    analog.enabled = false;
    EXPECT_EQ(bytesOf(SysExCodec::buildAnalogReport(3, analog)),
              (Bytes{0xF0, 0x00, 0x4B, 0x62, 0x01, 0x07, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x0A, 0x1F,
                     0x1F, 0xF7}));

    const AnalogData inverted{true, 16, false, 127, 5, 100, true};
    EXPECT_EQ(bytesOf(SysExCodec::buildAnalogReport(34, inverted)),
              (Bytes{0xF0, 0x00, 0x4B, 0x62, 0x01, 0x07, 0x22, 0x0F, 0x11, 0x7F, 0x05, 0x64, 0x00, 0x0A, 0x1F,
                     0x1F, 0xF7}));

    const DigitalData digital{true, 16, false, true, 60, 127, 0};
    EXPECT_EQ(bytesOf(SysExCodec::buildDigitalReport(23, digital)),
              (Bytes{0xF0, 0x00, 0x4B, 0x62, 0x01, 0x05, 0x17, 0x0F, 0x11, 0x3C, 0x7F, 0x00, 0xF7}));
    const DigitalData disabledDigital{false, 16, false, true, 60, 127, 0};
    EXPECT_EQ(bytesOf(SysExCodec::buildDigitalReport(0, disabledDigital)),
              (Bytes{0xF0, 0x00, 0x4B, 0x62, 0x01, 0x05, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF7}));

    const LEDData led{true, 2, true, true, 10};
    EXPECT_EQ(bytesOf(SysExCodec::buildLEDReport(0, led)),
              (Bytes{0xF0, 0x00, 0x4B, 0x62, 0x01, 0x09, 0x00, 0x01, 0x12, 0x0A, 0xF7}));
    const LEDData notes{true, 1, false, false, 0};
    EXPECT_EQ(bytesOf(SysExCodec::buildLEDReport(23, notes)),
              (Bytes{0xF0, 0x00, 0x4B, 0x62, 0x01, 0x09, 0x17, 0x00, 0x01, 0x00, 0xF7}));

    // Index and values go out as their low 8 bits, unclamped.
    const LEDData wide{true, 1, true, false, 300};
    EXPECT_EQ(bytesOf(SysExCodec::buildLEDReport(256 + 5, wide)),
              (Bytes{0xF0, 0x00, 0x4B, 0x62, 0x01, 0x09, 0x05, 0x00, 0x02, 0x2C, 0xF7}));
}

TEST(SysExCodec, BuildsCommandsAndAllRequestsInOrder)
{
    const std::vector<std::pair<SysExCommand, int>> commands{{SysExCommand::handshake, 0x00},
                                                             {SysExCommand::restoreFactory, 0x01},
                                                             {SysExCommand::saveToDevice, 0x02},
                                                             {SysExCommand::restoreDevice, 0x03},
                                                             {SysExCommand::ping, 0x15}};
    for (const auto& [command, byte] : commands)
        EXPECT_EQ(bytesOf(SysExCodec::buildMessage(command)),
                  (Bytes{0xF0, 0x00, 0x4B, 0x62, 0x01, byte, 0xF7}));

    const auto requests = SysExCodec::buildAllRequests();
    ASSERT_EQ(requests.size(), 83u);
    EXPECT_EQ(bytesOf(requests[0]), (Bytes{0xF0, 0x00, 0x4B, 0x62, 0x01, 0x08, 0x00, 0xF7}));
    EXPECT_EQ(bytesOf(requests[34]), (Bytes{0xF0, 0x00, 0x4B, 0x62, 0x01, 0x08, 0x22, 0xF7}));
    EXPECT_EQ(bytesOf(requests[35]), (Bytes{0xF0, 0x00, 0x4B, 0x62, 0x01, 0x06, 0x00, 0xF7}));
    EXPECT_EQ(bytesOf(requests[82]), (Bytes{0xF0, 0x00, 0x4B, 0x62, 0x01, 0x0A, 0x17, 0xF7}));
    for (int i = 0; i < 83; ++i)
    {
        const int command = i < 35 ? 0x08 : i < 59 ? 0x06 : 0x0A;
        const int index = i < 35 ? i : i < 59 ? i - 35 : i - 59;
        EXPECT_EQ(bytesOf(requests[(size_t) i]), (Bytes{0xF0, 0x00, 0x4B, 0x62, 0x01, command, index, 0xF7}))
            << "request " << i;
    }
}

TEST(SysExCodec, ParsesReportsAndFlags)
{
    using L = RecordingMIDIListener;
    auto analogWithFlags = [](int flags)
    {
        auto bytes = analogReport;
        bytes[8] = flags;
        return bytes;
    };
    const AnalogData notesNotInverted{true, 1, false, 7, 0, 127, false};
    const AnalogData controllersInverted{true, 1, true, 7, 0, 127, true};
    const AnalogData controllers{true, 1, true, 7, 0, 127, false};
    AnalogData disabled;
    disabled.enabled = false;
    EXPECT_EQ(deliverAll({analogReport, analogWithFlags(0x31), analogWithFlags(0x12), analogWithFlags(0x03),
                          analogWithFlags(0x30), analogWithFlags(0x92)}),
              (std::vector<std::string>{L::describe(3, controllers), L::describe(3, notesNotInverted),
                                        L::describe(3, controllersInverted), L::describe(3, controllers),
                                        L::describe(3, disabled), L::describe(3, controllersInverted)}));

    // Bits 5-7 do not hide a digital toggle or an LED's Ableton flag.
    const DigitalData toggle{true, 16, false, true, 60, 127, 0};
    const LEDData ableton{true, 2, true, true, 10};
    EXPECT_EQ(deliverAll({{0xF0, 0x00, 0x4B, 0x62, 0x01, 0x05, 0x17, 0x0F, 0x31, 0x3C, 0x7F, 0x00, 0xF7},
                          {0xF0, 0x00, 0x4B, 0x62, 0x01, 0x09, 0x00, 0x01, 0xF2, 0x0A, 0xF7}}),
              (std::vector<std::string>{L::describe(23, toggle), L::describe(0, ableton)}));

    // A disabled report carries nothing from the message but its index.
    DigitalData disabledDigital;
    disabledDigital.enabled = false;
    EXPECT_EQ(deliverAll({{0xF0, 0x00, 0x4B, 0x62, 0x01, 0x05, 0x04, 0x0F, 0x70, 0x3C, 0x7F, 0x00, 0xF7}}),
              (std::vector<std::string>{L::describe(4, disabledDigital)}));

    // Out-of-range indexes, channels and values are passed on unchecked.
    const AnalogData wide{true, 128, true, 0x80, 0xFE, 0x90, false};
    EXPECT_EQ(deliverAll({{0xF0, 0x00, 0x4B, 0x62, 0x01, 0x07, 0xC8, 0x7F, 0x02, 0x80, 0xFE, 0x90, 0x00, 0x0A,
                           0x1F, 0x1F, 0xF7}}),
              (std::vector<std::string>{L::describe(200, wide)}));

    int index = -1;
    LEDData led;
    EXPECT_TRUE(SysExCodec::parseLEDReport(
        messageOf({0xF0, 0x00, 0x4B, 0x62, 0x01, 0x09, 0x30, 0x0F, 0x01, 0x7F, 0xF7}), index, led));
    EXPECT_EQ(L::describe(index, led), L::describe(48, LEDData{true, 16, false, false, 127}));
    EXPECT_FALSE(SysExCodec::parseLEDReport(messageOf(analogReport), index, led));
}

TEST(SysExCodec, RoundTripsEveryKindOfReport)
{
    using L = RecordingMIDIListener;
    const std::vector<AnalogData> analogs{
        {}, {false, 3, false, 9, 1, 2, true}, {true, 16, false, 127, 127, 0, true}};
    for (const auto& data : analogs)
    {
        int index = -1;
        AnalogData parsed;
        ASSERT_TRUE(SysExCodec::parseAnalogReport(SysExCodec::buildAnalogReport(34, data), index, parsed));
        EXPECT_EQ(L::describe(index, parsed), L::describe(34, data.enabled ? data : AnalogData{false}));
    }
    const DigitalData digital{true, 9, true, true, 100, 1, 126};
    int index = -1;
    DigitalData parsedDigital;
    ASSERT_TRUE(
        SysExCodec::parseDigitalReport(SysExCodec::buildDigitalReport(23, digital), index, parsedDigital));
    EXPECT_EQ(L::describe(index, parsedDigital), L::describe(23, digital));
}

TEST(SysExCodec, RecognisesPingRepliesAndChannelMessages)
{
    // The reply's one payload byte may hold anything; a ping of the same length is no reply.
    EXPECT_EQ(deliverAll({{0xF0, 0x00, 0x4B, 0x62, 0x01, 0x14, 0x55, 0xF7},
                          {0xF0, 0x00, 0x4B, 0x62, 0x01, 0x14, 0xF7},
                          {0xF0, 0x00, 0x4B, 0x62, 0x01, 0x14, 0x00, 0x00, 0xF7},
                          {0xF0, 0x00, 0x4B, 0x62, 0x01, 0x15, 0x00, 0xF7},
                          {0xF0, 0x00, 0x4B, 0x62, 0x01, 0x14, 0x00, 0xF7}}),
              (std::vector<std::string>{"ping", "ping"}));

    EXPECT_EQ(
        deliverAll({{0x99, 60, 0}, {0x99, 60, 1}, {0x80, 61, 64}, {0xBF, 7, 127}, {0xB0, 0, 0}}),
        (std::vector<std::string>{"off 10 60 0", "on 10 60 1", "off 1 61 64", "cc 16 7 127", "cc 1 0 0"}));

    // Program change, channel and key pressure, pitch bend, song position, clock, active sensing,
    // reset: none of them is heard.
    EXPECT_TRUE(
        deliverAll({{0xC0, 5}, {0xD0, 5}, {0xA0, 60, 5}, {0xE0, 0, 64}, {0xF2, 0, 0}, {0xF8}, {0xFE}, {0xFF}})
            .empty());
}

TEST(SysExCodec, IgnoresMalformedAndForeignSysEx)
{
    std::vector<Bytes> malformed{
        {0xF0, 0x00, 0x4B, 0x62, 0x01, 0x05, 0x03, 0x00, 0x02, 0x07, 0x00, 0x7F, 0x00, 0x0A, 0x1F, 0x1F,
         0xF7},
        {0xF0, 0x00, 0x4B, 0x63, 0x01, 0x07, 0x03, 0x00, 0x02, 0x07, 0x00, 0x7F, 0x00, 0x0A, 0x1F, 0x1F,
         0xF7},
        {0xF0, 0x41, 0x4B, 0x62, 0x01, 0x09, 0x00, 0x01, 0x12, 0x0A, 0xF7},
        {0xF0, 0x00, 0x4B, 0x62, 0x02, 0x09, 0x00, 0x01, 0x12, 0x0A, 0xF7},
        {0xF0, 0x00, 0x4B, 0x62, 0x01, 0x07, 0x00, 0x01, 0x12, 0x0A, 0xF7},
        {0xF0, 0x00, 0x4B, 0x62, 0x01, 0x09, 0x00, 0x01, 0x12, 0x0A, 0x00},
        {0xF0, 0x00, 0x4B, 0x62, 0x01, 0x09, 0x00, 0x01, 0x12, 0x0A, 0x00, 0xF7},
        {0xF0, 0x00, 0x4B, 0x62, 0x01, 0x7D, 0x41, 0xF7},
        {0xF0, 0x7E, 0x7F, 0x06, 0x02, 0xF7},
        {0x90, 60, 100, 0},
    };
    // Every shortened analog report, and every one closed early with F7.
    for (size_t length = 1; length < analogReport.size(); ++length)
    {
        Bytes prefix(analogReport.begin(), analogReport.begin() + (long) length);
        malformed.push_back(prefix);
        prefix.back() = 0xF7;
        malformed.push_back(prefix);
    }
    EXPECT_EQ(deliverAll(malformed), std::vector<std::string>{});
}

TEST(SysExCodec, ReadsTheIdentityText)
{
    juce::String identity = "unchanged";
    EXPECT_TRUE(
        SysExCodec::parseIdentityReply(messageOf({0xF0, 0x00, 0x4B, 0x62, 0x01, 0x7D, 0xF7}), identity));
    EXPECT_EQ(identity, "");
    EXPECT_TRUE(SysExCodec::parseIdentityReply(
        messageOf({0xF0, 0x00, 0x4B, 0x62, 0x01, 0x7D, 0x41, 0x42, 0x00, 0x43, 0xF7}), identity));
    EXPECT_EQ(identity, "AB");
    EXPECT_TRUE(SysExCodec::parseIdentityReply(
        messageOf({0xF0, 0x00, 0x4B, 0x62, 0x01, 0x7D, 0x56, 0x31, 0x2E, 0x30, 0xE9, 0xF7}), identity));
    EXPECT_EQ(identity, juce::String(juce::CharPointer_UTF8("V1.0\xc3\xa9")));

    identity = "kept";
    EXPECT_FALSE(SysExCodec::parseIdentityReply(messageOf({0xF0, 0x00, 0x4B, 0x62, 0x01, 0xF7}), identity));
    EXPECT_FALSE(
        SysExCodec::parseIdentityReply(messageOf({0xF0, 0x00, 0x4B, 0x62, 0x01, 0x7D, 0x41}), identity));
    EXPECT_FALSE(SysExCodec::parseIdentityReply(messageOf({0xF0, 0x00, 0x4B, 0x62, 0x00, 0x7D, 0x41, 0xF7}),
                                                identity));
    EXPECT_FALSE(SysExCodec::parseIdentityReply(messageOf({0xF0, 0x00, 0x4B, 0x62, 0x01, 0x14, 0x41, 0xF7}),
                                                identity));
    EXPECT_FALSE(SysExCodec::parseIdentityReply(messageOf({0xB0, 0x7D, 0x00}), identity));
    EXPECT_EQ(identity, "kept");
}
