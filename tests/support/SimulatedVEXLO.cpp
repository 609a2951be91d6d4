#include "support/SimulatedVEXLO.h"

namespace
{
// MIDI 1.0 carries 31,250 bits a second, ten to a byte with the start and stop bits.
static constexpr int wireBitsPerSecond = 31250;
static constexpr int bitsPerByte = 10;
static constexpr std::chrono::microseconds byteTime{1000000 * bitsPerByte / wireBitsPerSecond};

static constexpr int requestPayloadSize = 1;
static constexpr juce::uint8 pingReplyPayload = 0x00;
static constexpr int activeSensing = 0xFE;
// The largest index a data byte can carry.
static constexpr int largestIndex = 0x7F;

// A burst's message k cycles through channels, numbers and values so that each is distinct.
static constexpr int channels = 16;
static constexpr int dataValues = 128;
static constexpr int noteOnVelocity = 100;
static constexpr int noteOffVelocity = 64;

using Bytes = std::vector<juce::uint8>;

juce::MidiMessage messageOf(const Bytes& bytes)
{
    return juce::MidiMessage(bytes.data(), (int) bytes.size());
}

// Look like the device's messages but are not quite, or belong to other makers.
std::vector<juce::MidiMessage> garbageMessages()
{
    return {messageOf({0xF0, 0x00, 0x4B, 0x62, 0x01, 0x07, 0x03, 0x00, 0x02, 0xF7}),
            messageOf({0xF0, 0x00, 0x4B, 0x62, 0x02, 0x14, 0x00, 0xF7}),
            messageOf({0xF0, 0x00, 0x4B, 0x62, 0x01, 0x05, 0x00, 0x01, 0x12, 0x0A, 0xF7}),
            messageOf({0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7}),
            messageOf({0xF0, 0x41, 0x10, 0x42, 0x12, 0x40, 0x00, 0x7F, 0x00, 0x41, 0xF7})};
}

template <typename Records> bool isIndexOf(const Records& records, int index)
{
    return juce::isPositiveAndBelow(index, (int) records.size());
}
} // namespace

SimulatedVEXLO::SimulatedVEXLO(VirtualMIDIPorts& virtualPorts, const juce::String& name) : ports(virtualPorts)
{
    inputIdentifier = ports.addInput(name);
    outputIdentifier = ports.addOutput(name, [this](const juce::MidiMessage& message) { receive(message); });
    thread = std::thread([this] { run(); });
}

SimulatedVEXLO::~SimulatedVEXLO()
{
    {
        const std::lock_guard<std::mutex> guard(mutex);
        quitting = true;
    }
    wake.notify_all();
    thread.join();
    ports.remove(inputIdentifier);
    ports.remove(outputIdentifier);
}

void SimulatedVEXLO::setIdentity(const juce::String& text)
{
    const std::lock_guard<std::mutex> guard(mutex);
    identity = text;
}

void SimulatedVEXLO::setSecondIdentity(const juce::String& text)
{
    const std::lock_guard<std::mutex> guard(mutex);
    secondIdentity = text;
}

void SimulatedVEXLO::setSilent(bool shouldBeSilent)
{
    const std::lock_guard<std::mutex> guard(mutex);
    silent = shouldBeSilent;
}

void SimulatedVEXLO::setAnswersPings(bool shouldAnswer)
{
    const std::lock_guard<std::mutex> guard(mutex);
    answersPings = shouldAnswer;
}

void SimulatedVEXLO::setDropFraction(double fraction)
{
    const std::lock_guard<std::mutex> guard(mutex);
    dropFraction = fraction;
}

void SimulatedVEXLO::setReplyDelay(int milliseconds)
{
    const std::lock_guard<std::mutex> guard(mutex);
    replyDelay = std::chrono::milliseconds(milliseconds);
}

void SimulatedVEXLO::setWireRate(bool shouldPace)
{
    const std::lock_guard<std::mutex> guard(mutex);
    paced = shouldPace;
}

void SimulatedVEXLO::setInterleavedRealTime(bool interleave)
{
    const std::lock_guard<std::mutex> guard(mutex);
    realTime = interleave;
}

void SimulatedVEXLO::setInterleavedGarbage(bool interleave)
{
    const std::lock_guard<std::mutex> guard(mutex);
    garbage = interleave;
}

void SimulatedVEXLO::setSendObserver(SendObserver observer)
{
    const std::lock_guard<std::mutex> guard(mutex);
    sendObserver = std::move(observer);
}

void SimulatedVEXLO::send(const juce::MidiMessage& message)
{
    {
        const std::lock_guard<std::mutex> guard(mutex);
        queue(message, Clock::now());
    }
    wake.notify_all();
}

void SimulatedVEXLO::sendOutOfRangeReports()
{
    send(SysExCodec::buildAnalogReport(SysExCodec::analogControls, {}));
    send(SysExCodec::buildDigitalReport(SysExCodec::digitalControls, {}));
    send(SysExCodec::buildLEDReport(SysExCodec::ledControls, {}));
    send(SysExCodec::buildAnalogReport(largestIndex, {}));
}

void SimulatedVEXLO::sendBurst(Burst kind, int count, int intervalMicroseconds)
{
    {
        const std::lock_guard<std::mutex> guard(mutex);
        const auto start = Clock::now();
        for (int k = 0; k < count; ++k)
            queue(burstMessage(kind, k),
                  start + std::chrono::microseconds((juce::int64) k * intervalMicroseconds));
    }
    wake.notify_all();
}

juce::MidiMessage SimulatedVEXLO::burstMessage(Burst kind, int position)
{
    if (kind == Burst::controllers)
    {
        const auto channel = position / (dataValues * dataValues) % channels + 1;
        return juce::MidiMessage::controllerEvent(channel, position / dataValues % dataValues,
                                                  position % dataValues);
    }
    const auto channel = position % channels + 1;
    const auto number = position / channels % dataValues;
    switch (position % 3)
    {
    case 0:
        return juce::MidiMessage::noteOn(channel, number, (juce::uint8) noteOnVelocity);
    case 1:
        return juce::MidiMessage::noteOff(channel, number, (juce::uint8) noteOffVelocity);
    default:
        return juce::MidiMessage::controllerEvent(channel, number, position % dataValues);
    }
}

juce::MidiMessage SimulatedVEXLO::identityReply(const juce::String& text)
{
    Bytes payload;
    for (auto character : text)
        payload.push_back(static_cast<juce::uint8>(character));
    return SysExCodec::buildMessage(SysExCommand::identityReply, payload.data(), (int) payload.size());
}

juce::MidiMessage SimulatedVEXLO::pingReply()
{
    return SysExCodec::buildMessage(SysExCommand::pingReply, &pingReplyPayload, 1);
}

int SimulatedVEXLO::getSentCount() const
{
    const std::lock_guard<std::mutex> guard(mutex);
    return sent;
}

int SimulatedVEXLO::getDroppedCount() const
{
    const std::lock_guard<std::mutex> guard(mutex);
    return dropped;
}

bool SimulatedVEXLO::waitUntilSent(int count, int timeoutMilliseconds) const
{
    std::unique_lock<std::mutex> guard(mutex);
    return sentChanged.wait_for(guard, std::chrono::milliseconds(timeoutMilliseconds),
                                [&] { return sent >= count; });
}

std::vector<juce::MidiMessage> SimulatedVEXLO::getReceived() const
{
    const std::lock_guard<std::mutex> guard(mutex);
    return received;
}

bool SimulatedVEXLO::waitUntilTakenIn(int timeoutMilliseconds) const
{
    std::unique_lock<std::mutex> guard(mutex);
    return takenIn.wait_for(guard, std::chrono::milliseconds(timeoutMilliseconds),
                            [&] { return inbound.empty(); });
}

int SimulatedVEXLO::getReceivedCount() const
{
    const std::lock_guard<std::mutex> guard(mutex);
    return (int) received.size();
}

AnalogData SimulatedVEXLO::getAnalog(int index) const
{
    const std::lock_guard<std::mutex> guard(mutex);
    return current.analog.at((size_t) index);
}

DigitalData SimulatedVEXLO::getDigital(int index) const
{
    const std::lock_guard<std::mutex> guard(mutex);
    return current.digital.at((size_t) index);
}

LEDData SimulatedVEXLO::getLED(int index) const
{
    const std::lock_guard<std::mutex> guard(mutex);
    return current.led.at((size_t) index);
}

void SimulatedVEXLO::setAnalog(int index, const AnalogData& data)
{
    const std::lock_guard<std::mutex> guard(mutex);
    current.analog.at((size_t) index) = data;
}

void SimulatedVEXLO::setDigital(int index, const DigitalData& data)
{
    const std::lock_guard<std::mutex> guard(mutex);
    current.digital.at((size_t) index) = data;
}

void SimulatedVEXLO::setLED(int index, const LEDData& data)
{
    const std::lock_guard<std::mutex> guard(mutex);
    current.led.at((size_t) index) = data;
}

void SimulatedVEXLO::receive(const juce::MidiMessage& message)
{
    {
        const std::lock_guard<std::mutex> guard(mutex);
        const auto now = Clock::now();
        inbound.push_back({message, paced ? transmissionEnd(inboundWireFree, message, now) : now});
    }
    wake.notify_all();
}

SimulatedVEXLO::Clock::time_point SimulatedVEXLO::transmissionEnd(Clock::time_point& wireFree,
                                                                  const juce::MidiMessage& message,
                                                                  Clock::time_point now) const
{
    wireFree = std::max(now, wireFree) + byteTime * message.getRawDataSize();
    return wireFree;
}

void SimulatedVEXLO::run()
{
    std::unique_lock<std::mutex> guard(mutex);
    while (!quitting)
    {
        const auto now = Clock::now();
        while (!inbound.empty() && inbound.front().time <= now)
        {
            handle(inbound.front().message, now);
            inbound.pop_front();
            if (inbound.empty())
                takenIn.notify_all();
        }

        if (inFlight && inFlight->time <= now)
        {
            const auto message = std::move(inFlight->message);
            inFlight.reset();
            if (sendObserver)
                sendObserver(message);
            guard.unlock();
            ports.send(inputIdentifier, message);
            guard.lock();
            ++sent;
            sentChanged.notify_all();
            continue;
        }

        if (!inFlight && !outbound.empty() && outbound.front().time <= now)
        {
            auto message = std::move(outbound.front().message);
            outbound.pop_front();
            const auto arrival = paced ? transmissionEnd(outboundWireFree, message, now) : now;
            inFlight = Timed{std::move(message), arrival};
            continue;
        }

        std::optional<Clock::time_point> next;
        auto consider = [&](Clock::time_point time) { next = next ? std::min(*next, time) : time; };
        if (!inbound.empty())
            consider(inbound.front().time);
        if (inFlight)
            consider(inFlight->time);
        else if (!outbound.empty())
            consider(outbound.front().time);

        if (next)
            wake.wait_until(guard, *next);
        else
            wake.wait(guard);
    }
}

void SimulatedVEXLO::handle(const juce::MidiMessage& message, Clock::time_point now)
{
    received.push_back(message);

    SysExCodec::Frame frame;
    if (!SysExCodec::parseFrame(message, frame))
        return;

    int index = -1;
    AnalogData analog;
    DigitalData digital;
    LEDData led;
    switch (frame.command)
    {
    case SysExCommand::handshake:
        reply(identityReply(identity), now);
        if (secondIdentity.isNotEmpty())
            reply(identityReply(secondIdentity), now);
        break;
    case SysExCommand::ping:
        if (answersPings)
            reply(pingReply(), now);
        break;
    case SysExCommand::analogRequest:
    case SysExCommand::digitalRequest:
    case SysExCommand::ledRequest:
        if (frame.payloadSize == requestPayloadSize)
            answerRequest(frame.command, frame.payload[0], now);
        break;
    case SysExCommand::analogReport:
        if (SysExCodec::parseAnalogReport(message, index, analog) && isIndexOf(current.analog, index))
            current.analog[(size_t) index] = analog;
        break;
    case SysExCommand::digitalReport:
        if (SysExCodec::parseDigitalReport(message, index, digital) && isIndexOf(current.digital, index))
            current.digital[(size_t) index] = digital;
        break;
    case SysExCommand::ledReport:
        if (SysExCodec::parseLEDReport(message, index, led) && isIndexOf(current.led, index))
            current.led[(size_t) index] = led;
        break;
    case SysExCommand::saveToDevice:
        memory = current;
        break;
    case SysExCommand::restoreDevice:
        current = memory;
        break;
    case SysExCommand::restoreFactory:
        current = Records{};
        break;
    case SysExCommand::pingReply:
    case SysExCommand::identityReply:
        break;
    }
}

void SimulatedVEXLO::answerRequest(SysExCommand request, int index, Clock::time_point now)
{
    if (request == SysExCommand::analogRequest && isIndexOf(current.analog, index))
        reply(SysExCodec::buildAnalogReport(index, current.analog[(size_t) index]), now);
    else if (request == SysExCommand::digitalRequest && isIndexOf(current.digital, index))
        reply(SysExCodec::buildDigitalReport(index, current.digital[(size_t) index]), now);
    else if (request == SysExCommand::ledRequest && isIndexOf(current.led, index))
        reply(SysExCodec::buildLEDReport(index, current.led[(size_t) index]), now);
}

void SimulatedVEXLO::reply(const juce::MidiMessage& message, Clock::time_point now)
{
    if (silent)
        return;
    if (dropFraction > 0.0 && dropChoice.nextDouble() < dropFraction)
    {
        ++dropped;
        return;
    }
    const auto due = now + replyDelay;
    if (realTime)
    {
        queue(juce::MidiMessage::midiClock(), due);
        queue(juce::MidiMessage(activeSensing), due);
    }
    if (garbage)
        for (const auto& foreign : garbageMessages())
            queue(foreign, due);
    queue(message, due);
}

void SimulatedVEXLO::queue(const juce::MidiMessage& message, Clock::time_point due)
{
    outbound.push_back({message, due});
}
