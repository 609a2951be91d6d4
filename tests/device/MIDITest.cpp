// Pins the device link against a simulated device on real threads: connecting and its failures, the
// handshake and what states 0 and 1 drop, the requests on the wire, and that every message queued
// while connected reaches the listener once, in arrival order, across a busy loop and a disconnect,
// without the MIDI thread waiting for the listener.
#include "device/ConnectionState.h"
#include "device/SysExCodec.h"
#include "support/DeviceTestFixture.h"
#include "support/MessageLoop.h"

namespace
{
using Bytes = std::vector<int>;
using Burst = SimulatedVEXLO::Burst;

Bytes bytesOf(const juce::MidiMessage& message)
{
    return Bytes(message.getRawData(), message.getRawData() + message.getRawDataSize());
}

// Distinct settings for every record, so that a report for the wrong index would show.
void giveEveryRecordItsOwnSettings(SimulatedVEXLO& device)
{
    for (int i = 0; i < SysExCodec::analogControls; ++i)
        device.setAnalog(i, {i % 5 != 0, i % 16 + 1, i % 2 == 0, i, i + 1, 127 - i, i % 3 == 0});
    for (int i = 0; i < SysExCodec::digitalControls; ++i)
        device.setDigital(i, {i % 4 != 0, 16 - i % 16, i % 2 == 1, i % 3 == 0, 100 + i, i, 127 - i});
    for (int i = 0; i < SysExCodec::ledControls; ++i)
        device.setLED(i, {i % 6 != 0, i % 16 + 1, i % 3 != 0, i % 2 == 0, 50 + i});
}

// What the listener hears for the device's records, in the order in which requestAll asks for them.
std::vector<std::string> reportsOf(const SimulatedVEXLO& device)
{
    std::vector<std::string> lines;
    for (int i = 0; i < SysExCodec::analogControls; ++i)
    {
        const auto data = device.getAnalog(i);
        lines.push_back(RecordingMIDIListener::describe(i, data.enabled ? data : AnalogData{false}));
    }
    for (int i = 0; i < SysExCodec::digitalControls; ++i)
    {
        const auto data = device.getDigital(i);
        lines.push_back(RecordingMIDIListener::describe(i, data.enabled ? data : DigitalData{false}));
    }
    for (int i = 0; i < SysExCodec::ledControls; ++i)
    {
        const auto data = device.getLED(i);
        lines.push_back(RecordingMIDIListener::describe(i, data.enabled ? data : LEDData{false}));
    }
    return lines;
}

std::vector<std::string> statesOf(const std::vector<std::string>& events)
{
    std::vector<std::string> states;
    for (const auto& event : events)
        if (event.rfind("state ", 0) == 0)
            states.push_back(event);
    return states;
}
} // namespace

class MIDITest : public DeviceTestFixture
{
};

TEST_F(MIDITest, ConnectFailsWithoutLeavingAPortOpen)
{
    const auto in = inputIndexOf(device);
    const auto out = outputIndexOf(device);
    EXPECT_FALSE(midi.connect(-1, out));
    EXPECT_FALSE(midi.connect(in + 1, out));
    EXPECT_FALSE(midi.connect(in, out + 1));
    EXPECT_EQ(ports->countOpen(device.getInputIdentifier()), 0);
    ports->refuseOpening(device.getOutputIdentifier());
    EXPECT_FALSE(midi.connect(in, out));
    EXPECT_EQ(midi.getState(), ConnectionState::disconnected);
    EXPECT_EQ(ports->countOpen(device.getInputIdentifier()), 0);
    EXPECT_EQ(ports->countOpen(device.getOutputIdentifier()), 0);
    EXPECT_EQ(midi.getCurrentInputIndex(), -1);
    EXPECT_EQ(midi.getCurrentOutputIndex(), -1);

    // Neither failures nor a disconnect in state 0 post anything, and sends without ports do nothing.
    midi.disconnect();
    midi.sendPing();
    midi.requestAll();
    midi.sendAnalog(0, {});
    flush();
    EXPECT_TRUE(listener.events.empty());
    EXPECT_EQ(device.getReceivedCount(), 0);

    // A failed connect closes the pair that was open before.
    ports->refuseOpening(device.getInputIdentifier());
    auto second = std::make_unique<SimulatedVEXLO>(*ports, "Second");
    ASSERT_TRUE(midi.connect(inputIndexOf(*second), outputIndexOf(*second)));
    ASSERT_TRUE(pumpUntilHeard("state 2"));
    EXPECT_TRUE(ports->isRunning(second->getInputIdentifier()));
    EXPECT_TRUE(ports->isRunning(second->getOutputIdentifier()));
    EXPECT_FALSE(midi.connect(in, out));
    EXPECT_EQ(ports->countOpen(second->getInputIdentifier()), 0);
    EXPECT_EQ(ports->countOpen(second->getOutputIdentifier()), 0);
    EXPECT_TRUE(pumpUntilHeard("state 0"));
    EXPECT_EQ(midi.getState(), ConnectionState::disconnected);
}

TEST_F(MIDITest, HandshakeThenEveryRequestAnsweredInOrder)
{
    giveEveryRecordItsOwnSettings(device);
    device.setIdentity("VEXLO 1.2");
    ASSERT_TRUE(midi.connect(inputIndexOf(device), outputIndexOf(device)));
    // The reply may already be in: the device answers on its own thread.
    EXPECT_NE(midi.getState(), ConnectionState::disconnected);
    EXPECT_TRUE(ports->isRunning(device.getInputIdentifier()));
    midi.requestAll();

    ASSERT_TRUE(MessageLoop::pumpUntil([&] { return heardSince(0).size() == 83; }, timeout));
    EXPECT_EQ(heardSince(0), reportsOf(device));
    const auto states = statesOf(listener.events);
    EXPECT_TRUE(states == std::vector<std::string>{"state 2"} ||
                states == (std::vector<std::string>{"state 1", "state 2"}));
    EXPECT_EQ(midi.getDeviceIdentity(), "VEXLO 1.2");
    EXPECT_EQ(midi.getCurrentInputIndex(), inputIndexOf(device));
    EXPECT_EQ(midi.getCurrentOutputIndex(), outputIndexOf(device));

    const auto received = device.getReceived();
    ASSERT_EQ(received.size(), 84u);
    EXPECT_EQ(bytesOf(received[0]), (Bytes{0xF0, 0x00, 0x4B, 0x62, 0x01, 0x00, 0xF7}));
    const auto requests = SysExCodec::buildAllRequests();
    for (size_t i = 0; i < requests.size(); ++i)
        EXPECT_EQ(bytesOf(received[i + 1]), bytesOf(requests[i])) << "request " << i;
}

TEST_F(MIDITest, WaitingForTheHandshakeDropsAllButTheIdentityReply)
{
    device.setSilent(true);
    ASSERT_TRUE(midi.connect(inputIndexOf(device), outputIndexOf(device)));
    midi.requestAll();
    ASSERT_TRUE(pumpUntilHeard("state 1"));
    device.send(SysExCodec::buildAnalogReport(0, {}));
    device.send(SimulatedVEXLO::pingReply());
    device.send(juce::MidiMessage::controllerEvent(1, 2, 3));
    device.send(juce::MidiMessage::noteOn(1, 60, (juce::uint8) 100));
    ASSERT_TRUE(device.waitUntilSent(4, timeout));
    flush();
    EXPECT_EQ(midi.getState(), ConnectionState::waitingForHandshake);

    const std::vector<int> identity{0xF0, 0x00, 0x4B, 0x62, 0x01, 0x7D, 0x41, 0x42, 0x00, 0x43, 0xF7};
    const std::vector<juce::uint8> raw(identity.begin(), identity.end());
    device.send(juce::MidiMessage(raw.data(), (int) raw.size()));
    ASSERT_TRUE(pumpUntilHeard("state 2"));
    device.send(juce::MidiMessage::controllerEvent(1, 1, 1));
    ASSERT_TRUE(pumpUntilHeard("cc 1 1 1"));
    EXPECT_EQ(listener.events, (std::vector<std::string>{"state 1", "state 2", "cc 1 1 1"}));
    EXPECT_EQ(midi.getDeviceIdentity(), "AB");

    // In state 0 nothing is queued at all.
    midi.disconnect();
    ASSERT_TRUE(pumpUntilHeard("state 0"));
    const auto heard = listener.events.size();
    midi.handleIncomingMidiMessage(nullptr, juce::MidiMessage::controllerEvent(1, 1, 2));
    midi.handleIncomingMidiMessage(nullptr, SimulatedVEXLO::identityReply("Nobody"));
    flush();
    EXPECT_EQ(listener.events.size(), heard);
    EXPECT_EQ(midi.getDeviceIdentity(), "AB");
}

TEST_F(MIDITest, IdentityIsKeptThroughLaterRepliesAndDisconnect)
{
    device.setSecondIdentity("Second reply");
    ASSERT_TRUE(connectToDevice());
    device.send(SimulatedVEXLO::identityReply("Third reply"));
    device.send(SimulatedVEXLO::identityReply(""));
    device.send(juce::MidiMessage::controllerEvent(2, 3, 4));
    ASSERT_TRUE(pumpUntilHeard("cc 2 3 4"));
    EXPECT_EQ(heardSince(0), (std::vector<std::string>{"cc 2 3 4"}));
    EXPECT_EQ(midi.getDeviceIdentity(), "VEXLO");

    midi.disconnect();
    EXPECT_EQ(midi.getCurrentInputIndex(), -1);
    EXPECT_EQ(midi.getCurrentOutputIndex(), -1);
    EXPECT_EQ(ports->countOpen(device.getInputIdentifier()), 0);
    ASSERT_TRUE(pumpUntilHeard("state 0"));
    EXPECT_EQ(midi.getDeviceIdentity(), "VEXLO");
}

TEST_F(MIDITest, PingRepliesAreHeardOnlyWhenTheDeviceAnswers)
{
    ASSERT_TRUE(connectToDevice());
    midi.sendPing();
    midi.sendPing();
    ASSERT_TRUE(MessageLoop::pumpUntil([&] { return listener.count("ping") == 2; }, timeout));

    // The device answers in order, so once the reports are in, a ping reply would have been too.
    device.setAnswersPings(false);
    midi.sendPing();
    midi.requestAll();
    ASSERT_TRUE(MessageLoop::pumpUntil([&] { return listener.count("led") == 24; }, timeout));
    EXPECT_EQ(listener.count("ping"), 2);
    EXPECT_EQ(bytesOf(device.getReceived().at(3)), (Bytes{0xF0, 0x00, 0x4B, 0x62, 0x01, 0x15, 0xF7}));
}

TEST_F(MIDITest, MessagesPiledUpWhileTheLoopIsBusyComeInOneCallbackInOrder)
{
    ASSERT_TRUE(connectToDevice());
    for (const auto& [kind, count] :
         {std::pair{Burst::notesAndControllers, 50}, std::pair{Burst::controllers, 30000}})
    {
        const auto before = listener.events.size();
        const auto sentBefore = device.getSentCount();
        device.sendBurst(kind, count);
        // The test thread is the message thread: while it waits here, every message queues up.
        ASSERT_TRUE(device.waitUntilSent(sentBefore + count, timeout));

        auto heardAtMarker = std::make_shared<size_t>(0);
        juce::MessageManager::callAsync([this, heardAtMarker] { *heardAtMarker = listener.events.size(); });
        ASSERT_TRUE(MessageLoop::pumpUntil([&] { return *heardAtMarker != 0; }, timeout));
        EXPECT_EQ(*heardAtMarker, before + (size_t) count);
        EXPECT_EQ(heardSince(before), burstLines(kind, 0, count));
    }
}

TEST_F(MIDITest, TenThousandMessagesArriveOnceAndInOrder)
{
    ASSERT_TRUE(connectToDevice());
    const auto before = listener.events.size();
    const auto sentBefore = device.getSentCount();
    device.sendBurst(Burst::controllers, 10000);
    // Half of them pile up while the loop is busy, the rest arrive while it runs.
    ASSERT_TRUE(device.waitUntilSent(sentBefore + 5000, timeout));
    ASSERT_TRUE(MessageLoop::pumpUntil([&] { return listener.events.size() >= before + 10000; }, timeout));
    flush();
    EXPECT_EQ(heardSince(before), burstLines(Burst::controllers, 0, 10000));
}

TEST_F(MIDITest, InsideABatchTheListenerMayWaitRunTheLoopReconnectOrDestroyTheLink)
{
    ASSERT_TRUE(connectToDevice());
    const auto before = listener.events.size();
    const auto sentBefore = device.getSentCount();
    device.sendBurst(Burst::controllers, 3);
    ASSERT_TRUE(device.waitUntilSent(sentBefore + 3, timeout));
    auto queuedMeanwhile = false;
    listener.onNextController = [&]
    {
        device.send(SimulatedVEXLO::burstMessage(Burst::controllers, 3));
        queuedMeanwhile = device.waitUntilSent(sentBefore + 4, timeout);
    };
    ASSERT_TRUE(MessageLoop::pumpUntil([&] { return heardSince(before).size() >= 4; }, timeout));
    EXPECT_TRUE(queuedMeanwhile);
    EXPECT_EQ(heardSince(before), burstLines(Burst::controllers, 0, 4));

    // A loop run inside a listener call hands nothing over: the rest of the batch follows, then what
    // arrived meanwhile, each message once.
    const auto looped = listener.events.size();
    device.sendBurst(Burst::controllers, 10);
    ASSERT_TRUE(device.waitUntilSent(sentBefore + 14, timeout));
    listener.onNextController = [&]
    {
        for (int k = 10; k < 20; ++k)
            device.send(SimulatedVEXLO::burstMessage(Burst::controllers, k));
        device.waitUntilSent(sentBefore + 24, timeout);
        MessageLoop::pump(20);
    };
    ASSERT_TRUE(MessageLoop::pumpUntil([&] { return heardSince(looped).size() >= 20; }, timeout));
    flush();
    EXPECT_EQ(heardSince(looped), burstLines(Burst::controllers, 0, 20));

    const auto mark = listener.events.size();
    device.sendBurst(Burst::controllers, 10);
    ASSERT_TRUE(device.waitUntilSent(sentBefore + 34, timeout));
    listener.onNextController = [&] { midi.connect(inputIndexOf(device), outputIndexOf(device)); };
    ASSERT_TRUE(MessageLoop::pumpUntil(
        [&] { return !heardSince(mark).empty() && midi.getState() == ConnectionState::connected; }, timeout));
    flush();
    EXPECT_EQ(heardSince(mark), burstLines(Burst::controllers, 0, 1));

    // A link destroyed by its listener in the middle of a batch reads nothing of itself afterwards.
    midi.disconnect();
    auto doomed = std::make_unique<MIDI>(&listener, ports);
    ASSERT_TRUE(doomed->connect(inputIndexOf(device), outputIndexOf(device)));
    ASSERT_TRUE(
        MessageLoop::pumpUntil([&] { return doomed->getState() == ConnectionState::connected; }, timeout));
    const auto destroyed = listener.events.size();
    const auto sent = device.getSentCount();
    device.sendBurst(Burst::controllers, 10);
    ASSERT_TRUE(device.waitUntilSent(sent + 10, timeout));
    listener.onNextController = [&] { doomed.reset(); };
    ASSERT_TRUE(MessageLoop::pumpUntil([&] { return doomed == nullptr; }, timeout));
    flush();
    EXPECT_EQ(heardSince(destroyed), burstLines(Burst::controllers, 0, 1));
}

TEST_F(MIDITest, MessagesQueuedBeforeADisconnectAreDeliveredBeforeStateZero)
{
    ASSERT_TRUE(connectToDevice());
    const auto before = listener.events.size();
    const auto sentBefore = device.getSentCount();
    device.sendBurst(Burst::notesAndControllers, 20);
    ASSERT_TRUE(device.waitUntilSent(sentBefore + 20, timeout));
    midi.disconnect();
    ASSERT_TRUE(pumpUntilHeard("state 0", before));
    auto expected = burstLines(Burst::notesAndControllers, 0, 20);
    expected.push_back("state 0");
    EXPECT_EQ(std::vector<std::string>(listener.events.begin() + (long) before, listener.events.end()),
              expected);
}

TEST_F(MIDITest, ConnectingAnotherPairReportsOneNeverZero)
{
    ASSERT_TRUE(connectToDevice());
    SimulatedVEXLO second(*ports, "Second");
    second.setSilent(true);
    const auto before = listener.events.size();

    // Queued from the first device but not yet delivered when the pair changes: dropped by connect.
    const auto sentBefore = device.getSentCount();
    device.sendBurst(Burst::controllers, 5);
    ASSERT_TRUE(device.waitUntilSent(sentBefore + 5, timeout));
    ASSERT_TRUE(midi.connect(inputIndexOf(second), outputIndexOf(second)));
    EXPECT_EQ(ports->countOpen(device.getInputIdentifier()), 0);
    flush();
    EXPECT_EQ(std::vector<std::string>(listener.events.begin() + (long) before, listener.events.end()),
              std::vector<std::string>{"state 1"});

    second.send(SimulatedVEXLO::identityReply("Second"));
    ASSERT_TRUE(pumpUntilHeard("state 2", before));
    EXPECT_EQ(midi.getDeviceIdentity(), "Second");
}

TEST_F(MIDITest, CurrentIndexesFollowTheListsByIdentifier)
{
    SimulatedVEXLO twin(*ports);
    EXPECT_EQ(midi.getInputDevices(), juce::StringArray({"VEXLO (1)", "VEXLO (2)"}));
    EXPECT_EQ(midi.getOutputDevices(), juce::StringArray({"VEXLO (1)", "VEXLO (2)"}));
    EXPECT_EQ(midi.getDefaultInputIndex(), 0);
    EXPECT_EQ(midi.getDefaultOutputIndex(), 0);

    ASSERT_TRUE(midi.connect(1, 1));
    ASSERT_TRUE(pumpUntilHeard("state 2"));
    EXPECT_EQ(midi.getCurrentInputIndex(), 1);
    EXPECT_EQ(midi.getCurrentOutputIndex(), 1);
    ports->remove(device.getInputIdentifier());
    EXPECT_EQ(midi.getCurrentInputIndex(), 0);
    EXPECT_EQ(midi.getCurrentOutputIndex(), 1);

    ports->remove(twin.getInputIdentifier());
    ports->remove(twin.getOutputIdentifier());
    EXPECT_EQ(midi.getCurrentInputIndex(), -1);
    EXPECT_EQ(midi.getCurrentOutputIndex(), -1);
    EXPECT_EQ(midi.getState(), ConnectionState::connected);
}

TEST_F(MIDITest, AHandshakeRacingADisconnectNeverLeavesStateTwo)
{
    ASSERT_TRUE(connectToDevice());
    for (int round = 0; round < 50; ++round)
    {
        const auto sent = device.getSentCount();
        ASSERT_TRUE(midi.connect(inputIndexOf(device), outputIndexOf(device)));
        midi.disconnect();
        EXPECT_EQ(midi.getState(), ConnectionState::disconnected);
        // Whether or not the reply made it in before the port closed, it changes nothing now.
        device.waitUntilSent(sent + 1, timeout);
        EXPECT_EQ(midi.getState(), ConnectionState::disconnected);
        EXPECT_EQ(midi.getCurrentInputIndex(), -1);
    }
    flush();
    EXPECT_EQ(midi.getState(), ConnectionState::disconnected);
    EXPECT_EQ(statesOf(listener.events).back(), "state 0");
}
