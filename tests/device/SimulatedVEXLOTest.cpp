// Pins the simulated device that the device link's tests rely on: what it stores and answers, its
// memory commands, and each way it can misbehave, seen through a connected device link.
#include "device/SysExCodec.h"
#include "support/DeviceTestFixture.h"
#include "support/MessageLoop.h"

namespace
{
using L = RecordingMIDIListener;

double millisecondsSince(juce::uint32 start)
{
    return (double) (juce::Time::getMillisecondCounter() - start);
}
} // namespace

class SimulatedVEXLOTest : public DeviceTestFixture
{
protected:
    // Runs the loop until every record has been reported since position `from`.
    bool pumpUntilFullRead(size_t from)
    {
        return MessageLoop::pumpUntil([&] { return heardSince(from).size() >= 83; }, timeout);
    }
};

TEST_F(SimulatedVEXLOTest, StoresReportsAndObeysTheMemoryCommands)
{
    ASSERT_TRUE(connectToDevice());
    const AnalogData saved{true, 4, false, 20, 10, 90, true};
    const AnalogData changed{true, 5, true, 21, 0, 127, false};
    const DigitalData button{true, 16, false, true, 60, 127, 0};
    const LEDData led{true, 2, true, true, 10};
    midi.sendAnalog(3, saved);
    midi.sendDigital(23, button);
    midi.sendLED(0, led);
    midi.sendSaveToDevice();
    midi.sendAnalog(3, changed);
    // Reports for records the device does not have are ignored.
    midi.sendAnalog(35, changed);
    midi.sendLED(24, led);
    ASSERT_TRUE(MessageLoop::pumpUntil([&] { return device.getReceivedCount() == 8; }, timeout));
    EXPECT_EQ(L::describe(3, device.getAnalog(3)), L::describe(3, changed));
    EXPECT_EQ(L::describe(23, device.getDigital(23)), L::describe(23, button));
    EXPECT_EQ(L::describe(0, device.getLED(0)), L::describe(0, led));

    midi.sendRestoreDevice();
    auto from = listener.events.size();
    midi.requestAll();
    ASSERT_TRUE(pumpUntilFullRead(from));
    const auto afterRestore = heardSince(from);
    EXPECT_EQ(afterRestore[3], L::describe(3, saved));
    EXPECT_EQ(afterRestore[35 + 23], L::describe(23, button));
    EXPECT_EQ(afterRestore[59], L::describe(0, led));

    midi.sendRestoreFactory();
    from = listener.events.size();
    midi.requestAll();
    ASSERT_TRUE(pumpUntilFullRead(from));
    const auto afterFactory = heardSince(from);
    EXPECT_EQ(afterFactory[3], L::describe(3, AnalogData{}));
    EXPECT_EQ(afterFactory[58], L::describe(23, DigitalData{}));
    EXPECT_EQ(afterFactory[82], L::describe(23, LEDData{}));
}

TEST_F(SimulatedVEXLOTest, InterleavedGarbageAndRealTimeBytesChangeNothingHeard)
{
    device.setInterleavedGarbage(true);
    device.setInterleavedRealTime(true);
    ASSERT_TRUE(connectToDevice());
    midi.requestAll();
    ASSERT_TRUE(pumpUntilFullRead(0));
    // Garbage (five messages) and two real-time bytes went before each of the 84 replies.
    ASSERT_TRUE(device.waitUntilSent(84 * 8, timeout));
    EXPECT_EQ(device.getSentCount(), 84 * 8);
    device.sendOutOfRangeReports();
    ASSERT_TRUE(device.waitUntilSent(84 * 8 + 4, timeout));
    flush();

    auto heard = heardSince(0);
    ASSERT_EQ(heard.size(), 87u);
    EXPECT_EQ(heard[0], L::describe(0, AnalogData{}));
    EXPECT_EQ(heard[82], L::describe(23, LEDData{}));
    // Passed on unchecked: keeping them out of the model is the receiver's business.
    EXPECT_EQ(std::vector<std::string>(heard.begin() + 83, heard.end()),
              (std::vector<std::string>{L::describe(35, AnalogData{}), L::describe(24, DigitalData{}),
                                        L::describe(24, LEDData{}), L::describe(127, AnalogData{})}));
}

TEST_F(SimulatedVEXLOTest, DropsAFractionOfItsReplies)
{
    device.setDropFraction(0.5);
    ASSERT_TRUE(midi.connect(inputIndexOf(device), outputIndexOf(device)));
    // The device's own identity reply may be dropped too; this one follows it and is never dropped.
    ASSERT_TRUE(MessageLoop::pumpUntil([&] { return device.getReceivedCount() == 1; }, timeout));
    device.send(SimulatedVEXLO::identityReply("Backup"));
    ASSERT_TRUE(pumpUntilHeard("state 2"));
    midi.requestAll();
    ASSERT_TRUE(MessageLoop::pumpUntil([&] { return device.getReceivedCount() == 84; }, timeout));
    device.send(juce::MidiMessage::controllerEvent(16, 127, 127));
    ASSERT_TRUE(pumpUntilHeard("cc 16 127 127"));

    const auto reports = listener.count("analog") + listener.count("digital") + listener.count("led");
    EXPECT_GT(device.getDroppedCount(), 10);
    EXPECT_LT(device.getDroppedCount(), 73);
    const auto identityDropped = midi.getDeviceIdentity() == "Backup" ? 1 : 0;
    EXPECT_EQ(reports + device.getDroppedCount(), 83 + identityDropped);
}

TEST_F(SimulatedVEXLOTest, DelaysAndPacesItsReplies)
{
    device.setReplyDelay(100);
    auto start = juce::Time::getMillisecondCounter();
    ASSERT_TRUE(connectToDevice());
    EXPECT_GE(millisecondsSince(start), 100.0);

    device.setReplyDelay(0);
    device.setWireRate(true);
    start = juce::Time::getMillisecondCounter();
    midi.sendPing();
    midi.requestAll();
    ASSERT_TRUE(MessageLoop::pumpUntil(
        [&] { return listener.count("ping") == 1 && heardSince(0).size() == 84; }, timeout));
    // The ping (7 bytes) reaches the device before its reply (8 bytes) and the 83 reports (1171
    // bytes) can follow, each byte taking 320 microseconds on the wire.
    EXPECT_GE(millisecondsSince(start), (7 + 8 + 1171) * 0.32 - 1.0);
}
