// Pins the main component's whole road against a simulated VEXLO on real threads: start-up, connecting
// with the 83 requests, reports into the model and edits back out, naming incoming messages, the
// device-memory commands, the ping watchdog, reconnecting, and the reports that must send nothing.
#include "app/CommandIDs.h"
#include "device/SysExCodec.h"
#include "support/JucePrinters.h"
#include "support/MainComponentFixture.h"
#include "support/MessageLoop.h"
#include "support/RecordingMIDIListener.h"
#include "ui/AnalogEditor.h"
#include "ui/ControlLayout.h"
#include "ui/DigitalEditor.h"
#include "ui/LEDEditor.h"
#include "ui/MonitorEditor.h"
#include "ui/PanelComponent.h"

namespace
{
using Bytes = std::vector<std::vector<juce::uint8>>;

Bytes bytesOf(const std::vector<juce::MidiMessage>& messages)
{
    Bytes all;
    for (const auto& message : messages)
        all.emplace_back(message.getRawData(), message.getRawData() + message.getRawDataSize());
    return all;
}

// The handshake or a memory command, then the requests for all 83 records.
std::vector<juce::MidiMessage> withRequests(SysExCommand first)
{
    auto messages = SysExCodec::buildAllRequests();
    messages.insert(messages.begin(), SysExCodec::buildMessage(first));
    return messages;
}

// Settings that differ from the model's initial ones and between records, one disabled of each kind.
void giveEveryRecordItsOwnSettings(SimulatedVEXLO& device)
{
    for (int i = 0; i < SysExCodec::analogControls; ++i)
        device.setAnalog(i, {i != 10, i % 16 + 1, i % 3 != 2, i, i, 127 - i, i % 2 == 1});
    for (int i = 0; i < SysExCodec::digitalControls; ++i)
        device.setDigital(i, {i != 4, 16 - i % 16, i % 2 == 0, i % 3 == 0, 100 + i, i, 127 - i});
    for (int i = 0; i < SysExCodec::ledControls; ++i)
        device.setLED(i, {i != 6, i % 16 + 1, i % 3 != 0, i % 2 == 0, 50 + i});
}

juce::String upperName(const ControlInfo* control)
{
    return control->getName().toUpperCase();
}
} // namespace

class MainComponentTest : public MainComponentFixture
{
protected:
    PanelComponent& panel() { return find<PanelComponent>(*main); }
    MonitorEditor& monitor() { return find<MonitorEditor>(*main); }

    juce::StringArray monitorTexts()
    {
        juce::StringArray texts;
        for (auto* label : descendantsOf<juce::Label>(monitor()))
            texts.add(label->getText());
        return texts;
    }

    // Sends from the device and waits until the editor has taken it in.
    void deviceSends(const juce::MidiMessage& message)
    {
        const auto sent = device.getSentCount();
        device.send(message);
        ASSERT_TRUE(device.waitUntilSent(sent + 1, timeout));
        flush();
    }
};

TEST_F(MainComponentTest, StartsWithAnalogZeroShownUnderThePortsDialog)
{
    EXPECT_EQ(main->getPreferredWidth(), 1112);
    EXPECT_EQ(main->getPreferredHeight(), 626);
    EXPECT_EQ(editor().getBounds(), juce::Rectangle<int>(6, 6, 1100, 438));
    EXPECT_EQ(panel().getBounds(), juce::Rectangle<int>(6, 450, 1100, 166));
    EXPECT_EQ(portsDialog().getBounds(), main->getLocalBounds());
    EXPECT_EQ(aboutDialog().getBounds(), main->getLocalBounds());
    EXPECT_EQ(main->getIndexOfChildComponent(&aboutDialog()), main->getNumChildComponents() - 1);

    EXPECT_TRUE(portsDialog().isVisible());
    EXPECT_FALSE(aboutDialog().isVisible());
    ASSERT_NE(editor().getSelectedControl(), nullptr);
    EXPECT_EQ(editor().getSelectedControl(), ControlLayout::getInstance().findAnalog(0));
    auto& analog = find<AnalogEditor>(*main);
    EXPECT_TRUE(analog.isShowing());
    EXPECT_EQ(fieldText(analog, "MIDI_CHANNEL"), "1");

    // The other device is listed first: the default selection is not the VEXLO.
    EXPECT_EQ(inputBox().getNumItems(), 2);
    EXPECT_EQ(inputBox().getItemText(0), "Other");
    EXPECT_EQ(inputBox().getSelectedItemIndex(), 0);
    EXPECT_EQ(outputBox().getSelectedItemIndex(), 0);
}

TEST_F(MainComponentTest, ConnectsReadsTheDeviceAndSendsEditsAndCommandsBack)
{
    giveEveryRecordItsOwnSettings(device);
    auto mark = device.getReceivedCount();
    ASSERT_TRUE(connect());
    EXPECT_TRUE(showsCaption("Connected!", 1.0f));
    EXPECT_TRUE(main->getPingTimer().isTimerRunning());

    // The handshake and the requests, then an echo of each record the reports changed.
    const auto received = receivedSince(mark);
    ASSERT_GE(received.size(), 84u);
    EXPECT_EQ(bytesOf({received.begin(), received.begin() + 84}),
              bytesOf(withRequests(SysExCommand::handshake)));
    const auto records = recordsOf(device);
    EXPECT_EQ(savedRecords(), records);
    EXPECT_EQ(recordsOf(device), records);

    // Knob 1 is analog control 3; its form takes the focus with the channel selected.
    window.click({6 + 48, 6 + 27});
    auto& analog = find<AnalogEditor>(*main);
    EXPECT_EQ(fieldText(analog, "MIDI_CHANNEL"), "4");
    mark = device.getReceivedCount();
    EXPECT_TRUE(window.pressKey(juce::KeyPress('7', {}, '7')));
    ASSERT_TRUE(waitUntilReceived(mark + 1));
    MessageLoop::pump(20);
    auto edited = device.getAnalog(3);
    edited.channel = 7;
    EXPECT_EQ(bytesOf(receivedSince(mark)), bytesOf({SysExCodec::buildAnalogReport(3, edited)}));
    EXPECT_EQ(RecordingMIDIListener::describe(3, device.getAnalog(3)),
              RecordingMIDIListener::describe(3, edited));

    deviceSends(juce::MidiMessage::controllerEvent(7, 3, 64));
    EXPECT_TRUE(monitorTexts().contains("KNOB 1"));
    EXPECT_TRUE(monitorTexts().contains("64"));

    mark = device.getReceivedCount();
    EXPECT_TRUE(invoke(CommandIDs::saveToDevice));
    EXPECT_TRUE(showsCaption("The configuration was saved to your VEXLO successfully", 1.0f));
    ASSERT_TRUE(waitUntilReceived(mark + 1));
    EXPECT_EQ(bytesOf(receivedSince(mark)), bytesOf({SysExCodec::buildMessage(SysExCommand::saveToDevice)}));

    // Restoring brings the saved records back into the model; resetting brings the factory ones.
    device.setAnalog(5, {true, 16, false, 99, 1, 2, true});
    const std::tuple<juce::CommandID, SysExCommand, juce::String> restores[] = {
        {CommandIDs::restoreDevice, SysExCommand::restoreDevice,
         "The configuration was loaded from your VEXLO successfully"},
        {CommandIDs::restoreToFactory, SysExCommand::restoreFactory,
         "The configuration was restored to factory default settings"}};
    for (const auto& [command, message, caption] : restores)
    {
        mark = device.getReceivedCount();
        const auto sent = device.getSentCount();
        EXPECT_TRUE(invoke(command));
        EXPECT_TRUE(showsCaption(caption, 1.0f));
        ASSERT_TRUE(device.waitUntilSent(sent + 83, timeout));
        flush();
        const auto afterCommand = receivedSince(mark);
        ASSERT_GE(afterCommand.size(), 84u);
        EXPECT_EQ(bytesOf({afterCommand.begin(), afterCommand.begin() + 84}), bytesOf(withRequests(message)));
        EXPECT_EQ(savedRecords(), recordsOf(device));
    }
    EXPECT_EQ(RecordingMIDIListener::describe(5, device.getAnalog(5)),
              RecordingMIDIListener::describe(5, AnalogData{}));
}

TEST_F(MainComponentTest, NamesIncomingMessagesAnalogFirstButtonsByTheirOnValue)
{
    giveEveryRecordItsOwnSettings(device);
    // Button 7 shares channel, mode and number with analog control 0.
    device.setDigital(7, {true, 1, true, false, 0, 9, 0});
    ASSERT_TRUE(connect());
    const auto& layout = ControlLayout::getInstance();

    deviceSends(juce::MidiMessage::controllerEvent(1, 0, 9));
    EXPECT_TRUE(monitorTexts().contains(upperName(layout.findAnalog(0))));

    // Button 2: channel 14, controllers, number 102, on 2, off 125.
    deviceSends(juce::MidiMessage::controllerEvent(14, 102, 2));
    const auto named = monitorTexts();
    EXPECT_TRUE(named.contains(upperName(layout.findDigital(2))));

    for (const auto& unnamed :
         {juce::MidiMessage::controllerEvent(14, 102, 125), juce::MidiMessage::noteOff(1, 60),
          juce::MidiMessage::noteOn(1, 60, (juce::uint8) 100)})
    {
        monitor().setActivity(false);
        deviceSends(unnamed);
        EXPECT_EQ(monitorTexts(), named) << unnamed.getDescription();
        EXPECT_TRUE(monitor().isActive()) << unnamed.getDescription();
    }

    // A note-on names a control in note mode: analog control 2 is one.
    deviceSends(juce::MidiMessage::noteOn(3, 2, (juce::uint8) 80));
    EXPECT_TRUE(monitorTexts().contains(upperName(layout.findAnalog(2))));
}

TEST_F(MainComponentTest, ClickingAKeyShowsItsButtonAndItsLED)
{
    giveEveryRecordItsOwnSettings(device);
    ASSERT_TRUE(connect());
    const auto key = ControlLayout::getInstance().findDigital(5)->getImageRegion().getCentre();
    window.click(key + juce::Point<int>(6, 6));
    auto& button = find<DigitalEditor>(*main);
    auto& led = find<LEDEditor>(*main);
    EXPECT_TRUE(button.isShowing());
    EXPECT_FALSE(find<AnalogEditor>(*main).isShowing());
    EXPECT_EQ(fieldText(button, "ON_VALUE"), "5");
    EXPECT_EQ(fieldText(led, "NUMBER"), "55");
}

TEST_F(MainComponentTest, ReportsOutsideTheModelOrEqualToItsRecordsSendNothing)
{
    giveEveryRecordItsOwnSettings(device);
    ASSERT_TRUE(connect());
    const auto records = recordsOf(device);
    const auto mark = device.getReceivedCount();

    device.sendOutOfRangeReports();
    auto badChannel = device.getAnalog(3);
    badChannel.channel = 17;
    auto badValue = device.getDigital(2);
    badValue.on = 200;
    auto badNumber = device.getLED(1);
    badNumber.channel = 0;
    for (const auto& message :
         {SysExCodec::buildAnalogReport(3, badChannel), SysExCodec::buildDigitalReport(2, badValue),
          SysExCodec::buildLEDReport(1, badNumber), SysExCodec::buildAnalogReport(3, device.getAnalog(3)),
          SysExCodec::buildDigitalReport(2, device.getDigital(2)),
          SysExCodec::buildLEDReport(1, device.getLED(1))})
        deviceSends(message);
    MessageLoop::pump(20);
    EXPECT_EQ(device.getReceivedCount(), mark);
    EXPECT_EQ(savedRecords(), records);

    // A disabled report switches the record off and keeps its settings: one echo, nothing else.
    auto disabled = device.getAnalog(5);
    disabled.enabled = false;
    deviceSends(SysExCodec::buildAnalogReport(5, AnalogData{false}));
    ASSERT_TRUE(waitUntilReceived(mark + 1));
    EXPECT_EQ(bytesOf(receivedSince(mark)), bytesOf({SysExCodec::buildAnalogReport(5, AnalogData{false})}));
    auto kept = records;
    kept[5] = RecordingMIDIListener::describe(5, disabled);
    EXPECT_EQ(savedRecords(), kept);
}

TEST_F(MainComponentTest, WatchdogDropsASilentDeviceOnTheThirdTickAndConnectingAgainWorks)
{
    ASSERT_TRUE(connect());
    auto& ping = main->getPingTimer();
    const auto pingMessage = SysExCodec::buildMessage(SysExCommand::ping);

    // Each reply brings the count back to nothing, however many ticks follow.
    for (int tick = 0; tick < 4; ++tick)
    {
        const auto sent = device.getSentCount();
        ping.timerCallback();
        ASSERT_TRUE(device.waitUntilSent(sent + 1, timeout));
        flush();
    }
    EXPECT_TRUE(ping.isTimerRunning());
    EXPECT_FALSE(portsDialog().isVisible());

    device.setAnswersPings(false);
    auto mark = device.getReceivedCount();
    ping.timerCallback();
    ping.timerCallback();
    ASSERT_TRUE(waitUntilReceived(mark + 2));
    ping.timerCallback();
    EXPECT_FALSE(ping.isTimerRunning());
    flush();
    EXPECT_EQ(bytesOf(receivedSince(mark)), bytesOf({pingMessage, pingMessage}));
    EXPECT_TRUE(portsDialog().isVisible());
    EXPECT_EQ(ports->countOpen(device.getInputIdentifier()), 0);
    EXPECT_EQ(inputBox().getSelectedItemIndex(), 0);

    // Ticks while not connected do nothing.
    ping.timerCallback();
    MessageLoop::pump(20);
    EXPECT_EQ(device.getReceivedCount(), mark + 2);

    device.setAnswersPings(true);
    mark = device.getReceivedCount();
    ASSERT_TRUE(connect());
    const auto again = receivedSince(mark);
    ASSERT_GE(again.size(), 84u);
    EXPECT_EQ(bytesOf({again.begin(), again.begin() + 84}), bytesOf(withRequests(SysExCommand::handshake)));
}

TEST_F(MainComponentTest, ConnectRetriesAPairStillWaitingButLeavesAConnectedOneAlone)
{
    device.setSilent(true);
    auto mark = device.getReceivedCount();
    pressConnect();
    ASSERT_TRUE(waitUntilReceived(mark + 84));
    EXPECT_TRUE(portsDialog().isVisible());

    pressConnect();
    ASSERT_TRUE(waitUntilReceived(mark + 168));
    const auto twice = receivedSince(mark + 84);
    EXPECT_EQ(bytesOf(twice), bytesOf(withRequests(SysExCommand::handshake)));
    EXPECT_EQ(ports->countOpen(device.getInputIdentifier()), 1);

    device.setSilent(false);
    ASSERT_TRUE(connect());
    mark = device.getReceivedCount();
    main->connectRequested(inputIndexOf(device), outputIndexOf(device));
    MessageLoop::pump(20);
    EXPECT_EQ(device.getReceivedCount(), mark);
    EXPECT_FALSE(portsDialog().isVisible());
}
