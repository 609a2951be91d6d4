// Pins the main component's whole road against a simulated VEXLO on real threads: start-up, connecting
// with the 83 requests, reports into the model and edits back out, naming incoming messages, the
// device-memory commands by key, the ping watchdog, connecting again, and reports that send nothing.
#include "app/CommandIDs.h"
#include "device/SysExCodec.h"
#include "support/JucePrinters.h"
#include "support/MainComponentFixture.h"
#include "support/MessageLoop.h"
#include "ui/AnalogEditor.h"
#include "ui/CommandManager.h"
#include "ui/ControlLayout.h"
#include "ui/DigitalEditor.h"
#include "ui/LEDEditor.h"
#include "ui/MonitorEditor.h"
#include "ui/PanelComponent.h"

namespace
{
// Settings that differ from the initial ones and between records, one record of each kind disabled.
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

    // Offers each key to the window at once, as a fast typist's keys arrive: "\n" is Return, "\t" Tab.
    void typeAhead(const juce::String& keys)
    {
        for (const auto key : keys)
            window.pressKey(key == '\n'
                                ? juce::KeyPress(juce::KeyPress::returnKey)
                                : juce::KeyPress(key == '\t' ? juce::KeyPress::tabKey : key, {}, key));
    }

    // The messages since the mark, up to the count; the echoes of changed records follow them.
    Bytes firstSince(int mark, size_t count)
    {
        auto bytes = bytesSince(mark);
        bytes.resize(juce::jmin(count, bytes.size()));
        return bytes;
    }
};

TEST_F(MainComponentTest, StartsWithAnalogZeroShownUnderThePortsDialog)
{
    EXPECT_EQ(main->getPreferredWidth(), 1112);
    EXPECT_EQ(main->getPreferredHeight(), 626);
    EXPECT_EQ(editor().getBounds(), juce::Rectangle<int>(6, 6, 1100, 438));
    EXPECT_EQ(find<PanelComponent>(*main).getBounds(), juce::Rectangle<int>(6, 450, 1100, 166));
    EXPECT_EQ(portsDialog().getBounds(), main->getLocalBounds());
    EXPECT_EQ(aboutDialog().getBounds(), main->getLocalBounds());
    EXPECT_EQ(main->getIndexOfChildComponent(&aboutDialog()), 3);

    EXPECT_TRUE(portsDialog().isVisible());
    EXPECT_FALSE(aboutDialog().isVisible());
    EXPECT_EQ(editor().getSelectedControl(), ControlLayout::getInstance().findAnalog(0));
    EXPECT_TRUE(find<AnalogEditor>(*main).isShowing());
    EXPECT_EQ(fieldText(find<AnalogEditor>(*main), "MIDI_CHANNEL"), "1");

    auto& inputs = find<juce::ComboBox>(portsDialog(), 0);
    EXPECT_EQ(inputs.getNumItems(), 2);
    EXPECT_EQ(inputs.getSelectedItemIndex(), 0);
    EXPECT_EQ(find<juce::ComboBox>(portsDialog(), 1).getSelectedItemIndex(), 0);
}

TEST_F(MainComponentTest, ConnectsReadsTheDeviceAndSendsEditsAndCommandsBack)
{
    giveEveryRecordItsOwnSettings(device);
    auto mark = receivedSoFar();
    ASSERT_TRUE(connect());
    EXPECT_TRUE(showsCaption("Connected!", 1.0f));
    EXPECT_TRUE(main->getPingTimer().isTimerRunning());
    EXPECT_EQ(firstSince(mark, 84), withRequests(SysExCommand::handshake));
    EXPECT_EQ(savedConfiguration(), configurationOf(device));

    // Knob 1 is analog control 3; its form takes the focus with the channel selected.
    window.click({6 + 48, 6 + 27});
    EXPECT_EQ(fieldText(find<AnalogEditor>(*main), "MIDI_CHANNEL"), "4");
    mark = receivedSoFar();
    EXPECT_TRUE(window.pressKey(juce::KeyPress('7', {}, '7')));
    ASSERT_TRUE(waitUntilReceived(mark + 1));
    MessageLoop::pump(20);
    auto edited = device.getAnalog(3);
    edited.channel = 7;
    EXPECT_EQ(bytesSince(mark), bytesOf({SysExCodec::buildAnalogReport(3, edited)}));
    deviceSends(juce::MidiMessage::controllerEvent(7, 3, 64));
    EXPECT_TRUE(monitorTexts().contains("KNOB 1"));

    // Key 5 shows button 5 and LED 5.
    window.click(ControlLayout::getInstance().findDigital(5)->getImageRegion().getCentre() +
                 juce::Point<int>(6, 6));
    EXPECT_FALSE(find<AnalogEditor>(*main).isShowing());
    EXPECT_EQ(fieldText(find<DigitalEditor>(*main), "ON_VALUE"), "5");
    EXPECT_EQ(fieldText(find<LEDEditor>(*main), "NUMBER"), "55");

    mark = receivedSoFar();
    EXPECT_TRUE(pressCommandKey('V'));
    EXPECT_TRUE(showsCaption("The configuration was saved to your VEXLO successfully", 1.0f));
    ASSERT_TRUE(waitUntilReceived(mark + 1));
    EXPECT_EQ(bytesSince(mark), bytesOf({SysExCodec::buildMessage(SysExCommand::saveToDevice)}));

    // Restoring brings the saved records back into the model; resetting brings the factory ones.
    device.setAnalog(5, {true, 16, false, 99, 1, 2, true});
    const std::tuple<char, SysExCommand, juce::String> restores[] = {
        {'L', SysExCommand::restoreDevice, "The configuration was loaded from your VEXLO successfully"},
        {'F', SysExCommand::restoreFactory, "The configuration was restored to factory default settings"}};
    for (const auto& [key, message, caption] : restores)
    {
        mark = receivedSoFar();
        const auto sent = device.getSentCount();
        EXPECT_TRUE(pressCommandKey(key));
        EXPECT_TRUE(showsCaption(caption, 1.0f));
        ASSERT_TRUE(device.waitUntilSent(sent + 83, timeout));
        flush();
        EXPECT_EQ(firstSince(mark, 84), withRequests(message));
        EXPECT_EQ(savedConfiguration(), configurationOf(device));
    }
    EXPECT_EQ(savedConfiguration(), Model(nullptr).createXml());

    EXPECT_TRUE(pressCommandKey('D'));
    EXPECT_FALSE(main->getPingTimer().isTimerRunning());
    flush();
    EXPECT_TRUE(portsDialog().isVisible());
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
    deviceSends(juce::MidiMessage::noteOn(3, 2, (juce::uint8) 80));
    EXPECT_TRUE(monitorTexts().contains(upperName(layout.findAnalog(2))));

    // Button 2: channel 14, controllers, number 102, on value 2, off value 125.
    deviceSends(juce::MidiMessage::controllerEvent(14, 102, 2));
    const auto named = monitorTexts();
    EXPECT_TRUE(named.contains(upperName(layout.findDigital(2))));
    for (const auto& unnamed :
         {juce::MidiMessage::controllerEvent(14, 102, 125), juce::MidiMessage::noteOff(3, 2),
          juce::MidiMessage::noteOn(1, 60, (juce::uint8) 100)})
    {
        monitor().setActivity(false);
        deviceSends(unnamed);
        EXPECT_EQ(monitorTexts(), named) << unnamed.getDescription();
        EXPECT_TRUE(monitor().isActive()) << unnamed.getDescription();
    }
}

TEST_F(MainComponentTest, ReportsOutsideTheModelOrEqualToItsRecordsSendNothing)
{
    giveEveryRecordItsOwnSettings(device);
    ASSERT_TRUE(connect());
    const auto configuration = configurationOf(device);
    const auto mark = receivedSoFar();

    device.sendOutOfRangeReports();
    auto badChannel = device.getAnalog(3);
    badChannel.channel = 17;
    auto badValue = device.getDigital(2);
    badValue.on = 200;
    auto badLED = device.getLED(1);
    badLED.channel = 0;
    for (const auto& message :
         {SysExCodec::buildAnalogReport(3, badChannel), SysExCodec::buildDigitalReport(2, badValue),
          SysExCodec::buildLEDReport(1, badLED), SysExCodec::buildAnalogReport(3, device.getAnalog(3)),
          SysExCodec::buildDigitalReport(2, device.getDigital(2)),
          SysExCodec::buildLEDReport(1, device.getLED(1))})
        deviceSends(message);
    MessageLoop::pump(20);
    EXPECT_EQ(receivedSoFar(), mark);
    EXPECT_EQ(savedConfiguration(), configuration);

    // A disabled report switches the record off and keeps its settings: one echo, nothing else.
    Model expected(nullptr);
    ASSERT_TRUE(expected.loadFromFile(configuration));
    expected.getAnalog(5)->setEnabled(false);
    deviceSends(SysExCodec::buildAnalogReport(5, AnalogData{false}));
    ASSERT_TRUE(waitUntilReceived(mark + 1));
    EXPECT_EQ(bytesSince(mark), bytesOf({SysExCodec::buildAnalogReport(5, AnalogData{false})}));
    EXPECT_EQ(savedConfiguration(), expected.createXml());
}

TEST_F(MainComponentTest, WatchdogDropsASilentDeviceOnTheThirdTickAndConnectingAgainWorks)
{
    ASSERT_TRUE(connect());
    auto& ping = main->getPingTimer();
    const auto pingBytes = bytesOf({SysExCodec::buildMessage(SysExCommand::ping)}).front();

    // Each reply brings the count back to nothing, however many ticks follow.
    for (int tick = 0; tick < 4; ++tick)
    {
        const auto sent = device.getSentCount();
        ping.timerCallback();
        ASSERT_TRUE(device.waitUntilSent(sent + 1, timeout));
        flush();
    }
    EXPECT_FALSE(portsDialog().isVisible());

    device.setAnswersPings(false);
    auto mark = receivedSoFar();
    ping.timerCallback();
    ping.timerCallback();
    ASSERT_TRUE(waitUntilReceived(mark + 2));
    ping.timerCallback();
    EXPECT_FALSE(ping.isTimerRunning());
    flush();
    EXPECT_TRUE(portsDialog().isVisible());
    EXPECT_EQ(ports->countOpen(device.getInputIdentifier()), 0);
    EXPECT_EQ(find<juce::ComboBox>(portsDialog(), 0).getSelectedItemIndex(), 0);

    // Ticks while not connected do nothing.
    ping.timerCallback();
    MessageLoop::pump(20);
    EXPECT_EQ(bytesSince(mark), Bytes({pingBytes, pingBytes}));

    mark = receivedSoFar();
    ASSERT_TRUE(connect());
    EXPECT_EQ(firstSince(mark, 84), withRequests(SysExCommand::handshake));
}

TEST_F(MainComponentTest, ConnectRetriesAPairStillWaitingButLeavesAConnectedOneAlone)
{
    device.setSilent(true);
    pressConnect();
    ASSERT_TRUE(waitUntilReceived(84));
    EXPECT_TRUE(portsDialog().isVisible());

    // The ports dialog keeps the keys from the forms beneath it: nothing is edited or sent.
    descendantsOf<juce::TextEditor>(find<AnalogEditor>(*main)).front()->grabKeyboardFocus();
    flush();
    EXPECT_FALSE(window.pressKey(juce::KeyPress('7', {}, '7')));
    MessageLoop::pump(20);
    EXPECT_EQ(receivedSoFar(), 84);

    pressConnect();
    ASSERT_TRUE(waitUntilReceived(168));
    EXPECT_EQ(bytesSince(84), withRequests(SysExCommand::handshake));
    EXPECT_EQ(ports->countOpen(device.getInputIdentifier()), 1);

    device.setSilent(false);
    ASSERT_TRUE(connect());
    const auto mark = receivedSoFar();
    main->connectRequested(vexlo, vexlo);
    MessageLoop::pump(20);
    EXPECT_EQ(receivedSoFar(), mark);
    EXPECT_FALSE(portsDialog().isVisible());
}

TEST_F(MainComponentTest, DialogsHoldTheKeyboardAndCommandKeysAreNeverAFieldsOwn)
{
    auto& channel = *descendantsOf<juce::TextEditor>(find<AnalogEditor>(*main)).front();
    const auto focused = [] { return juce::Component::getCurrentlyFocusedComponent(); };
    const juce::KeyPress saveToDevice('V', juce::ModifierKeys::ctrlModifier, 0);

    // The ports dialog gives the focus to its first list, and a form given a control beneath it, as
    // Open does, takes none. Tab walks round the dialog's own widgets and never leaves it.
    EXPECT_EQ(focused(), &find<juce::ComboBox>(portsDialog(), 0));
    dialogs->opens.push_back(fileWith("a.vexlo", Model(nullptr).createXml()));
    EXPECT_TRUE(invoke(CommandIDs::open));
    EXPECT_EQ(focused(), &find<juce::ComboBox>(portsDialog(), 0));
    for (int press = 0; press < 6; ++press)
    {
        window.pressKey(juce::KeyPress(juce::KeyPress::tabKey));
        EXPECT_TRUE(portsDialog().isParentOf(focused())) << press;
    }

    // Ctrl+V in a focused field is Save to Device, not Paste. The about box then takes the focus from
    // the form beneath; the veil gives none back, and only the command keys act.
    ASSERT_TRUE(connect());
    window.click({6 + 48, 6 + 27});
    EXPECT_EQ(focused(), &channel);
    const auto shown = channel.getText();
    const auto mark = receivedSoFar();
    EXPECT_TRUE(window.pressKey(saveToDevice));
    EXPECT_EQ(focused(), &channel);
    EXPECT_TRUE(invoke(CommandIDs::about));
    EXPECT_EQ(focused(), nullptr);
    window.click({2, 2});
    EXPECT_EQ(focused(), nullptr);
    EXPECT_FALSE(window.pressKey(juce::KeyPress('7', {}, '7')));
    EXPECT_TRUE(window.pressKey(saveToDevice));
    ASSERT_TRUE(waitUntilReceived(mark + 2));
    const auto saved = bytesOf({SysExCodec::buildMessage(SysExCommand::saveToDevice)}).front();
    EXPECT_EQ(bytesSince(mark), Bytes({saved, saved}));
    EXPECT_EQ(channel.getText(), shown);

    // The window gives the focus back to the field it last held when it is active again; a ports
    // dialog shown meanwhile, while the user was in another program, takes it before a key lands.
    main->aboutClosed();
    window.click({6 + 48, 6 + 27});
    window.setActive(false);
    EXPECT_TRUE(invoke(CommandIDs::disconnect));
    flush();
    ASSERT_TRUE(portsDialog().isVisible());
    window.setActive(true);
    EXPECT_FALSE(window.pressKey(juce::KeyPress('7', {}, '7')));
    EXPECT_EQ(focused(), &find<juce::ComboBox>(portsDialog(), 0));
    EXPECT_EQ(channel.getText(), shown);
}

TEST_F(MainComponentTest, KeysTypedAheadLandWhereTypedAndCommandsActOnWhatTheFormsShow)
{
    ASSERT_TRUE(connect());
    auto& form = find<AnalogEditor>(*main);
    const auto range = descendantsOf<juce::TextEditor>(form);
    const auto knob1 = [this]
    {
        receivedSoFar();
        const auto knob = device.getAnalog(3);
        return std::vector{knob.channel, knob.number, knob.min, knob.max};
    };

    // Every key acts once the one before it has been handled completely, with Return or Tab alike.
    window.click({6 + 48, 6 + 27});
    typeAhead("12\n100\n5\n45");
    EXPECT_EQ(knob1(), (std::vector{12, 100, 5, 45}));
    window.click({6 + 48, 6 + 27});
    typeAhead("3\t60\t20\t30");
    EXPECT_EQ(knob1(), (std::vector{3, 60, 20, 30}));

    // Tab, forth and back, never leaves the settings forms for a command button.
    for (int press = 0; press < 16; ++press)
    {
        window.pressKey(
            juce::KeyPress(juce::KeyPress::tabKey, press < 8 ? 0 : juce::ModifierKeys::shiftModifier, 0));
        EXPECT_TRUE(form.isParentOf(juce::Component::getCurrentlyFocusedComponent())) << press;
    }

    // A range end held back is settled before the device's memory is committed or a file is written,
    // also when typed while a file dialog waits, and a file opened over one loads as it is.
    range[2]->grabKeyboardFocus();
    typeAhead("100");
    const auto mark = receivedSoFar();
    EXPECT_TRUE(window.pressKey(juce::KeyPress('V', juce::ModifierKeys::ctrlModifier, 0)));
    EXPECT_EQ(knob1(), (std::vector{3, 60, 100, 100}));
    EXPECT_EQ(bytesSince(mark).back(),
              bytesOf({SysExCodec::buildMessage(SysExCommand::saveToDevice)}).front());
    range[3]->grabKeyboardFocus();
    typeAhead("7");
    const auto saved = savedConfiguration();
    EXPECT_EQ(knob1(), (std::vector{3, 60, 7, 7}));
    EXPECT_EQ(saved, configurationOf(device));
    dialogs->holding = true;
    const auto held = folder.getChildFile("held.vexlo");
    EXPECT_TRUE(invoke(CommandIDs::saveAs));
    range[2]->grabKeyboardFocus();
    typeAhead("110");
    dialogs->answer(held);
    EXPECT_EQ(knob1(), (std::vector{3, 60, 110, 110}));
    EXPECT_EQ(held.loadFileAsString(), configurationOf(device));
    EXPECT_TRUE(invoke(CommandIDs::open));
    range[3]->grabKeyboardFocus();
    typeAhead("5");
    dialogs->answer(fileWith("fresh.vexlo", Model(nullptr).createXml()));
    EXPECT_EQ(knob1(), (std::vector{3, 60, 5, 5}));
    dialogs->holding = false;
    EXPECT_EQ(savedConfiguration(), Model(nullptr).createXml());

    // Taken down with an end held back, the editor sends nothing.
    range[3]->grabKeyboardFocus();
    typeAhead("50");
    range[2]->grabKeyboardFocus();
    typeAhead("90");
    const auto last = receivedSoFar();
    getCommandManager().setFirstCommandTarget(nullptr);
    main.reset();
    EXPECT_EQ(receivedSoFar(), last);
}
