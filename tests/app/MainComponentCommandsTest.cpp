// Pins the command table, the menus and keys, which commands act while connected, the file commands
// through scripted dialogs, and the caption's hold, fade and clearing, tick by tick.
#include "app/CommandIDs.h"
#include "device/SysExCodec.h"
#include "support/MainComponentFixture.h"
#include "support/MessageLoop.h"
#include "support/Pixels.h"
#include "ui/AnalogEditor.h"
#include "ui/CommandManager.h"
#include "ui/ControlLayout.h"
#include "ui/DigitalEditor.h"
#include "ui/LEDEditor.h"

#include <gmock/gmock.h>

namespace
{
using testing::ElementsAre;

const juce::String loaded = "The configuration file was loaded successfully";
const juce::String saved = "The configuration file was saved successfully";

struct Item
{
    juce::String text;
    juce::String key;
    bool enabled;

    bool operator==(const Item& other) const
    {
        return text == other.text && key == other.key && enabled == other.enabled;
    }
};

void PrintTo(const Item& item, std::ostream* os)
{
    *os << item.text << " [" << item.key << "] " << (item.enabled ? "enabled" : "greyed");
}

// Each item with the keys its menu shows beside it, which come from the item's command manager.
std::vector<Item> itemsOf(const juce::PopupMenu& menu)
{
    std::vector<Item> items;
    for (juce::PopupMenu::MenuItemIterator it(menu); it.next();)
    {
        const auto& item = it.getItem();
        juce::StringArray keys;
        if (item.commandManager != nullptr)
            for (const auto& key :
                 item.commandManager->getKeyMappings()->getKeyPressesAssignedToCommand(item.itemID))
                keys.add(key.getTextDescriptionWithIcons());
        items.push_back({item.text, keys.joinIntoString(", "), item.isEnabled});
    }
    return items;
}

juce::String keyText(int key, int modifiers)
{
    return juce::KeyPress(key, juce::ModifierKeys(modifiers), 0).getTextDescriptionWithIcons();
}

juce::KeyPress ctrlKey(char letter, int more = 0)
{
    return juce::KeyPress(letter, juce::ModifierKeys(juce::ModifierKeys::ctrlModifier | more), 0);
}

std::vector<std::vector<juce::uint8>> bytesOf(const std::vector<juce::MidiMessage>& messages)
{
    std::vector<std::vector<juce::uint8>> all;
    for (const auto& message : messages)
        all.emplace_back(message.getRawData(), message.getRawData() + message.getRawDataSize());
    return all;
}

constexpr int ctrl = juce::ModifierKeys::ctrlModifier;
constexpr int shift = juce::ModifierKeys::shiftModifier;
} // namespace

class MainComponentCommandsTest : public MainComponentFixture
{
protected:
    bool isActive(juce::CommandID id)
    {
        juce::ApplicationCommandInfo info(id);
        main->getCommandInfo(id, info);
        return (info.flags & juce::ApplicationCommandInfo::isDisabled) == 0;
    }

    juce::File fileWith(const juce::String& name, const juce::String& text)
    {
        const auto file = folder.getFile().getChildFile(name);
        EXPECT_TRUE(file.replaceWithText(text));
        return file;
    }

    // A valid configuration whose analog record 0 has the given channel.
    juce::String configurationWithChannel(int channel)
    {
        Model model(nullptr);
        model.getAnalog(0)->setChannel(channel);
        return model.createXml();
    }

    void clearCaption()
    {
        for (int tick = 0; tick < 28; ++tick)
            main->getCaptionTimer().timerCallback();
    }
};

TEST_F(MainComponentCommandsTest, RegistersEightCommandsWithTheirTextsAndKeys)
{
    juce::Array<juce::CommandID> ids;
    main->getAllCommands(ids);
    EXPECT_EQ(
        ids, juce::Array<juce::CommandID>(0x10000, 0x10001, 0x10002, 0x2005, 0x2001, 0x2002, 0x2003, 0x2004));

    struct Expected
    {
        const char* name;
        const char* description;
        const char* category;
        juce::Array<juce::KeyPress> keys;
    };
    const std::vector<Expected> expected{
        {"Open...", "Open a document", "File", {ctrlKey('O')}},
        {"Save", "Save a document", "File", {ctrlKey('S')}},
        {"Save As...", "Save a document to a new file", "File", {ctrlKey('S', shift)}},
        {"About", "About...", "File", {}},
        {"Disconnect", "Break connection with device", "Device", {ctrlKey('D')}},
        {"Save to Device", "Commit settings to device memory", "Device", {ctrlKey('V')}},
        {"Restore Device", "Restore settings from device memory", "Device", {ctrlKey('L')}},
        {"Restore to Factory", "Restore all settings to factory defaults", "Device", {ctrlKey('F')}},
    };
    auto* mappings = getCommandManager().getKeyMappings();
    for (int i = 0; i < ids.size(); ++i)
    {
        juce::ApplicationCommandInfo info(ids[i]);
        main->getCommandInfo(ids[i], info);
        SCOPED_TRACE(expected[(size_t) i].name);
        EXPECT_EQ(info.shortName, expected[(size_t) i].name);
        EXPECT_EQ(info.description, expected[(size_t) i].description);
        EXPECT_EQ(info.categoryName, expected[(size_t) i].category);
        EXPECT_EQ(info.defaultKeypresses, expected[(size_t) i].keys);
        EXPECT_EQ(mappings->getKeyPressesAssignedToCommand(ids[i]), expected[(size_t) i].keys);
        EXPECT_EQ(info.flags & juce::ApplicationCommandInfo::isTicked, 0);
    }

    juce::ApplicationCommandInfo untouched(0x2006);
    main->getCommandInfo(0x2006, untouched);
    EXPECT_TRUE(untouched.shortName.isEmpty());
    EXPECT_FALSE(main->perform(juce::ApplicationCommandTarget::InvocationInfo(0x2006)));
}

TEST_F(MainComponentCommandsTest, MenusHoldTheFileAndDeviceCommandsGreyedWhileNotConnected)
{
    EXPECT_EQ(main->getMenuBarNames(), juce::StringArray("File", "Device"));
    EXPECT_THAT(itemsOf(main->getMenuForIndex(0, "File")),
                ElementsAre(Item{"Open...", keyText('O', ctrl), true}, Item{"Save", keyText('S', ctrl), true},
                            Item{"Save As...", keyText('S', ctrl | shift), true}));
    EXPECT_THAT(itemsOf(main->getMenuForIndex(1, "Device")),
                ElementsAre(Item{"Disconnect", keyText('D', ctrl), false},
                            Item{"Save to Device", keyText('V', ctrl), false},
                            Item{"Restore Device", keyText('L', ctrl), false},
                            Item{"Restore to Factory", keyText('F', ctrl), false}));
    EXPECT_TRUE(itemsOf(main->getMenuForIndex(2, "")).empty());

    const auto mark = device.getReceivedCount();
    juce::Component::unfocusAllComponents();
    for (const auto key : {ctrlKey('D'), ctrlKey('V'), ctrlKey('L'), ctrlKey('F')})
        window.pressKey(key);
    for (const auto id : {CommandIDs::disconnect, CommandIDs::saveToDevice, CommandIDs::restoreDevice,
                          CommandIDs::restoreToFactory})
        EXPECT_FALSE(invoke(id));
    flush();
    EXPECT_EQ(device.getReceivedCount(), mark);
    EXPECT_TRUE(showsCaption({}, 0.0f));

    ASSERT_TRUE(connect());
    for (const auto& item : itemsOf(main->getMenuForIndex(1, "Device")))
        EXPECT_TRUE(item.enabled) << item.text;
    for (const auto id : {CommandIDs::open, CommandIDs::save, CommandIDs::saveAs, CommandIDs::about})
        EXPECT_TRUE(isActive(id));
}

TEST_F(MainComponentCommandsTest, DeviceKeysSendTheirMessagesWhileConnected)
{
    ASSERT_TRUE(connect());
    juce::Component::unfocusAllComponents();
    const auto requests = SysExCodec::buildAllRequests();

    auto mark = device.getReceivedCount();
    EXPECT_TRUE(window.pressKey(ctrlKey('V')));
    ASSERT_TRUE(waitUntilReceived(mark + 1));
    EXPECT_EQ(bytesOf(receivedSince(mark)), bytesOf({SysExCodec::buildMessage(SysExCommand::saveToDevice)}));
    EXPECT_TRUE(showsCaption("The configuration was saved to your VEXLO successfully", 1.0f));

    for (const auto& [key, command, text] :
         {std::tuple{'L', SysExCommand::restoreDevice,
                     "The configuration was loaded from your VEXLO successfully"},
          std::tuple{'F', SysExCommand::restoreFactory,
                     "The configuration was restored to factory default settings"}})
    {
        mark = device.getReceivedCount();
        const auto sent = device.getSentCount();
        EXPECT_TRUE(window.pressKey(ctrlKey(key)));
        EXPECT_TRUE(showsCaption(text, 1.0f));
        ASSERT_TRUE(device.waitUntilSent(sent + (int) requests.size(), timeout));
        ASSERT_TRUE(waitUntilReceived(mark + 1 + (int) requests.size()));
        auto expected = requests;
        expected.insert(expected.begin(), SysExCodec::buildMessage(command));
        EXPECT_EQ(bytesOf(receivedSince(mark)), bytesOf(expected));
    }

    EXPECT_TRUE(window.pressKey(ctrlKey('D')));
    EXPECT_FALSE(main->getPingTimer().isTimerRunning());
    flush();
    EXPECT_TRUE(portsDialog().isVisible());
    EXPECT_FALSE(isActive(CommandIDs::saveToDevice));
}

TEST_F(MainComponentCommandsTest, CaptionHoldsTwoSecondsFadesInSevenStepsAndClears)
{
    const auto file = folder.getFile().getChildFile("a.vexlo");
    dialogs->saves.push_back(file);
    ASSERT_TRUE(invoke(CommandIDs::save));
    auto& timer = main->getCaptionTimer();
    EXPECT_TRUE(timer.isTimerRunning());
    EXPECT_EQ(timer.getTimerInterval(), 100);
    EXPECT_TRUE(showsCaption(saved, 1.0f));

    // A second caption 1.5 s later starts its own two seconds.
    for (int tick = 1; tick <= 15; ++tick)
        timer.timerCallback();
    ASSERT_TRUE(invoke(CommandIDs::save));
    for (int tick = 1; tick <= 20; ++tick)
    {
        timer.timerCallback();
        ASSERT_TRUE(showsCaption(saved, 1.0f)) << "tick " << tick;
    }
    for (int step = 6; step >= 0; --step)
    {
        timer.timerCallback();
        EXPECT_TRUE(showsCaption(saved, (float) (step / 7.0))) << step << "/7";
        EXPECT_TRUE(timer.isTimerRunning());
    }
    timer.timerCallback();
    EXPECT_TRUE(showsCaption({}, 0.0f));
    EXPECT_FALSE(timer.isTimerRunning());
}

TEST_F(MainComponentCommandsTest, SaveAsksUntilAFileIsKnownThenWritesToIt)
{
    const auto a = folder.getFile().getChildFile("a.vexlo");
    const auto b = fileWith("b.vexlo", configurationWithChannel(9));

    // Cancelled: nothing written, nothing shown, and the next Save asks again.
    dialogs->saves.push_back({});
    EXPECT_TRUE(invoke(CommandIDs::save));
    EXPECT_EQ(dialogs->saveCalls, 1);
    EXPECT_TRUE(showsCaption({}, 0.0f));
    dialogs->saves.push_back(a);
    EXPECT_TRUE(invoke(CommandIDs::save));
    EXPECT_EQ(dialogs->saveCalls, 2);
    EXPECT_EQ(a.loadFileAsString(), Model(nullptr).createXml());
    EXPECT_TRUE(showsCaption(saved, 1.0f));

    ASSERT_TRUE(a.replaceWithText("stale"));
    EXPECT_TRUE(invoke(CommandIDs::save));
    EXPECT_EQ(dialogs->saveCalls, 2);
    EXPECT_EQ(a.loadFileAsString(), Model(nullptr).createXml());

    // Open makes its file the known one.
    dialogs->opens.push_back(b);
    clearCaption();
    EXPECT_TRUE(invoke(CommandIDs::open));
    EXPECT_TRUE(showsCaption(loaded, 1.0f));
    ASSERT_TRUE(b.replaceWithText("stale"));
    EXPECT_TRUE(invoke(CommandIDs::save));
    EXPECT_EQ(dialogs->saveCalls, 2);
    EXPECT_EQ(b.loadFileAsString(), configurationWithChannel(9));

    // Save As always asks; a cancelled or failed one keeps the known file and shows nothing.
    clearCaption();
    dialogs->saves = {juce::File(), folder.getFile().getChildFile("missing/c.vexlo")};
    EXPECT_TRUE(invoke(CommandIDs::saveAs));
    EXPECT_TRUE(invoke(CommandIDs::saveAs));
    EXPECT_EQ(dialogs->saveCalls, 4);
    EXPECT_TRUE(showsCaption({}, 0.0f));
    ASSERT_TRUE(b.replaceWithText("stale"));
    EXPECT_TRUE(invoke(CommandIDs::save));
    EXPECT_EQ(b.loadFileAsString(), configurationWithChannel(9));
}

TEST_F(MainComponentCommandsTest, ARejectedOpenChangesNothingAndKeepsTheKnownFile)
{
    const auto known = folder.getFile().getChildFile("known.vexlo");
    dialogs->saves.push_back(known);
    ASSERT_TRUE(invoke(CommandIDs::saveAs));
    clearCaption();

    // Valid apart from one channel; far too large; missing; and a cancelled dialog.
    auto invalid = configurationWithChannel(5).replace("channel=\"1\"", "channel=\"17\"");
    auto large = configurationWithChannel(5) + juce::String::repeatedString(" ", 1 << 20);
    dialogs->opens = {fileWith("invalid.vexlo", invalid), fileWith("large.vexlo", large),
                      folder.getFile().getChildFile("missing.vexlo"), juce::File()};
    for (int attempt = 0; attempt < 4; ++attempt)
        EXPECT_TRUE(invoke(CommandIDs::open));
    EXPECT_EQ(dialogs->openCalls, 4);
    EXPECT_TRUE(showsCaption({}, 0.0f));
    EXPECT_FALSE(main->getCaptionTimer().isTimerRunning());

    ASSERT_TRUE(known.replaceWithText("stale"));
    EXPECT_TRUE(invoke(CommandIDs::save));
    EXPECT_EQ(dialogs->saveCalls, 1);
    EXPECT_EQ(known.loadFileAsString(), Model(nullptr).createXml());
}

TEST_F(MainComponentCommandsTest, OpenReloadsTheFormsOnScreenAndSendsNothing)
{
    ASSERT_TRUE(connect());
    Model model(nullptr);
    model.getAnalog(0)->setChannel(9);
    model.getDigital(0)->setOn(33);
    model.getLED(0)->setNumber(44);
    dialogs->opens = {fileWith("a.vexlo", model.createXml()),
                      fileWith("b.vexlo", Model(nullptr).createXml())};
    auto& analog = find<AnalogEditor>(*main);
    const auto mark = device.getReceivedCount();

    EXPECT_EQ(fieldText(analog, "MIDI_CHANNEL"), "1");
    EXPECT_TRUE(invoke(CommandIDs::open));
    EXPECT_TRUE(showsCaption(loaded, 1.0f));
    EXPECT_EQ(fieldText(analog, "MIDI_CHANNEL"), "9");
    flush();

    const auto key = ControlLayout::getInstance().findDigital(0)->getImageRegion().getCentre();
    window.click(key + juce::Point<int>(6, 6));
    EXPECT_EQ(fieldText(find<DigitalEditor>(*main), "ON_VALUE"), "33");
    EXPECT_TRUE(invoke(CommandIDs::open));
    flush();
    EXPECT_EQ(fieldText(find<DigitalEditor>(*main), "ON_VALUE"), "0");
    EXPECT_EQ(fieldText(find<LEDEditor>(*main), "NUMBER"), "1");

    MessageLoop::pump(20);
    EXPECT_EQ(device.getReceivedCount(), mark);
}

TEST_F(MainComponentCommandsTest, AboutShowsTheDeviceIdentityUntilClicked)
{
    device.setIdentity("VEXLO 2.1");
    ASSERT_TRUE(connect());
    EXPECT_FALSE(aboutDialog().isVisible());
    EXPECT_TRUE(invoke(CommandIDs::about));
    EXPECT_TRUE(aboutDialog().isVisible());
    EXPECT_TRUE(showsCaption("Connected!", 1.0f));

    auto& about = *dynamic_cast<AboutComponent*>(aboutDialog().getChildComponent(0));
    AboutComponent expected(nullptr);
    expected.setDeviceIdentity("VEXLO 2.1");
    EXPECT_TRUE(Pixels::same(Pixels::snapshot(about), Pixels::snapshot(expected)));

    window.click(about.getScreenPosition() - window.getScreenPosition() + juce::Point<int>(10, 10));
    EXPECT_FALSE(aboutDialog().isVisible());
}
