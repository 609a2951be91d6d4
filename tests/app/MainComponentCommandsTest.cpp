// Pins the command table with its keys, the menus, which commands act while connected, the file
// commands through scripted dialogs, Open reloading the forms, About, and the caption tick by tick.
#include "app/CommandIDs.h"
#include "support/MainComponentFixture.h"
#include "support/MessageLoop.h"
#include "support/Pixels.h"
#include "ui/AnalogEditor.h"
#include "ui/CommandManager.h"
#include "ui/ControlLayout.h"
#include "ui/DigitalEditor.h"
#include "ui/LEDEditor.h"

namespace
{
const juce::String loaded = "The configuration file was loaded successfully";
const juce::String saved = "The configuration file was saved successfully";

juce::StringArray itemsOf(const juce::PopupMenu& menu)
{
    juce::StringArray items;
    for (juce::PopupMenu::MenuItemIterator it(menu); it.next();)
        items.add(it.getItem().text + (it.getItem().isEnabled ? "" : " (greyed)"));
    return items;
}

// A configuration that differs from a new model's in analog record 0's channel.
juce::String configurationWithChannel(int channel)
{
    Model model(nullptr);
    model.getAnalog(0)->setChannel(channel);
    return model.createXml();
}
} // namespace

class MainComponentCommandsTest : public MainComponentFixture
{
protected:
    juce::StringArray commandTable()
    {
        juce::Array<juce::CommandID> ids;
        main->getAllCommands(ids);
        juce::StringArray lines;
        for (const auto id : ids)
        {
            juce::ApplicationCommandInfo info(id);
            main->getCommandInfo(id, info);
            juce::StringArray keys;
            for (const auto& key : getCommandManager().getKeyMappings()->getKeyPressesAssignedToCommand(id))
                keys.add(key.getTextDescription());
            lines.add(juce::String::toHexString(id) + "|" + info.shortName + "|" + info.description + "|" +
                      info.categoryName + "|" + keys.joinIntoString(",") +
                      ((info.flags & juce::ApplicationCommandInfo::isDisabled) != 0 ? "|inactive" : "") +
                      ((info.flags & juce::ApplicationCommandInfo::isTicked) != 0 ? "|ticked" : ""));
        }
        return lines;
    }

    void clearCaption()
    {
        for (int tick = 0; tick < 28; ++tick)
            main->getCaptionTimer().timerCallback();
    }
};

TEST_F(MainComponentCommandsTest, CommandsMenusAndKeysFollowTheConnection)
{
    EXPECT_EQ(commandTable(),
              juce::StringArray(
                  {"10000|Open...|Open a document|File|ctrl + O", "10001|Save|Save a document|File|ctrl + S",
                   "10002|Save As...|Save a document to a new file|File|ctrl + shift + S",
                   "2005|About|About...|File|",
                   "2001|Disconnect|Break connection with device|Device|ctrl + D|inactive",
                   "2002|Save to Device|Commit settings to device memory|Device|ctrl + V|inactive",
                   "2003|Restore Device|Restore settings from device memory|Device|ctrl + L|inactive",
                   "2004|Restore to Factory|Restore all settings to factory defaults|Device|ctrl + "
                   "F|inactive"}));
    EXPECT_EQ(main->getMenuBarNames(), juce::StringArray("File", "Device"));
    EXPECT_EQ(itemsOf(main->getMenuForIndex(0, "File")), juce::StringArray("Open...", "Save", "Save As..."));
    EXPECT_EQ(itemsOf(main->getMenuForIndex(1, "Device")),
              juce::StringArray("Disconnect (greyed)", "Save to Device (greyed)", "Restore Device (greyed)",
                                "Restore to Factory (greyed)"));
    EXPECT_EQ(main->getMenuForIndex(2, {}).getNumItems(), 0);
    EXPECT_FALSE(main->perform(juce::ApplicationCommandTarget::InvocationInfo(0x2006)));

    for (const auto key : {'D', 'V', 'L', 'F'})
        pressCommandKey(key);
    EXPECT_FALSE(invoke(CommandIDs::saveToDevice));
    flush();
    EXPECT_EQ(receivedSoFar(), 0);
    EXPECT_TRUE(showsCaption({}, 0.0f));

    ASSERT_TRUE(connect());
    EXPECT_FALSE(commandTable().joinIntoString("\n").contains("inactive"));
    EXPECT_EQ(itemsOf(main->getMenuForIndex(1, "Device")),
              juce::StringArray("Disconnect", "Save to Device", "Restore Device", "Restore to Factory"));
}

TEST_F(MainComponentCommandsTest, CaptionHoldsTwoSecondsFadesInSevenStepsAndClears)
{
    dialogs->saves.push_back(folder.getChildFile("a.vexlo"));
    ASSERT_TRUE(invoke(CommandIDs::save));
    auto& timer = main->getCaptionTimer();
    EXPECT_EQ(timer.getTimerInterval(), 100);

    // A second caption 1.5 s later stands for two seconds of its own.
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

TEST_F(MainComponentCommandsTest, SaveAsksUntilAFileIsKnownAndRejectedFilesChangeNothing)
{
    const auto a = folder.getChildFile("a.vexlo");
    const auto b = fileWith("b.vexlo", configurationWithChannel(9));
    const auto fresh = Model(nullptr).createXml();

    // A cancelled Save asks again next time; then Save writes to the chosen file without asking.
    dialogs->saves = {juce::File(), a};
    EXPECT_TRUE(invoke(CommandIDs::save));
    EXPECT_TRUE(showsCaption({}, 0.0f));
    EXPECT_TRUE(invoke(CommandIDs::save));
    EXPECT_TRUE(showsCaption(saved, 1.0f));
    ASSERT_TRUE(a.replaceWithText("stale"));
    EXPECT_TRUE(invoke(CommandIDs::save));
    EXPECT_EQ(a.loadFileAsString(), fresh);

    // Open makes its file the known one.
    dialogs->opens.push_back(b);
    EXPECT_TRUE(invoke(CommandIDs::open));
    EXPECT_TRUE(showsCaption(loaded, 1.0f));
    ASSERT_TRUE(b.replaceWithText("stale"));
    EXPECT_TRUE(invoke(CommandIDs::save));
    EXPECT_EQ(b.loadFileAsString(), configurationWithChannel(9));

    // Refused files (one bad channel, far too large, missing), a cancelled Open, and a cancelled or
    // failing Save As: no caption, the model and the known file as they were.
    clearCaption();
    dialogs->opens = {fileWith("bad.vexlo", fresh.replace("channel=\"1\"", "channel=\"17\"")),
                      fileWith("large.vexlo", fresh + juce::String::repeatedString(" ", 1 << 20)),
                      folder.getChildFile("missing.vexlo"), juce::File()};
    dialogs->saves = {juce::File(), folder.getChildFile("missing/c.vexlo")};
    for (const auto command : {CommandIDs::open, CommandIDs::open, CommandIDs::open, CommandIDs::open,
                               CommandIDs::saveAs, CommandIDs::saveAs})
        EXPECT_TRUE(invoke(command));
    EXPECT_TRUE(dialogs->opens.empty() && dialogs->saves.empty());
    EXPECT_TRUE(showsCaption({}, 0.0f));
    ASSERT_TRUE(b.replaceWithText("stale"));
    EXPECT_TRUE(invoke(CommandIDs::save));
    EXPECT_EQ(b.loadFileAsString(), configurationWithChannel(9));
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
    const auto mark = receivedSoFar();

    EXPECT_TRUE(invoke(CommandIDs::open));
    flush();
    EXPECT_EQ(fieldText(find<AnalogEditor>(*main), "MIDI_CHANNEL"), "9");

    const auto key = ControlLayout::getInstance().findDigital(0)->getImageRegion().getCentre();
    window.click(key + juce::Point<int>(6, 6));
    EXPECT_EQ(fieldText(find<DigitalEditor>(*main), "ON_VALUE"), "33");
    EXPECT_TRUE(invoke(CommandIDs::open));
    flush();
    EXPECT_EQ(fieldText(find<DigitalEditor>(*main), "ON_VALUE"), "0");
    EXPECT_EQ(fieldText(find<LEDEditor>(*main), "NUMBER"), "1");

    MessageLoop::pump(20);
    EXPECT_EQ(receivedSoFar(), mark);
}

TEST_F(MainComponentCommandsTest, AboutShowsTheDeviceIdentityUntilClicked)
{
    device.setIdentity("VEXLO 2.1");
    ASSERT_TRUE(connect());
    EXPECT_FALSE(aboutDialog().isVisible());
    EXPECT_TRUE(invoke(CommandIDs::about));
    EXPECT_TRUE(aboutDialog().isVisible());
    EXPECT_TRUE(showsCaption("Connected!", 1.0f));

    auto& about = find<AboutComponent>(aboutDialog());
    AboutComponent expected(nullptr);
    expected.setDeviceIdentity("VEXLO 2.1");
    EXPECT_TRUE(Pixels::same(Pixels::snapshot(about), Pixels::snapshot(expected)));

    window.click(about.getScreenPosition() - window.getScreenPosition() + juce::Point<int>(10, 10));
    EXPECT_FALSE(aboutDialog().isVisible());
}

TEST_F(MainComponentCommandsTest, AFileDialogAnswersOnceAndHoldsTheOtherFileCommandsUntilThen)
{
    const auto a = folder.getChildFile("a.vexlo");
    dialogs->holding = true;
    for (const auto command : {CommandIDs::open, CommandIDs::save, CommandIDs::saveAs, CommandIDs::open})
        EXPECT_TRUE(invoke(command));
    EXPECT_EQ(dialogs->shown, 1);

    ASSERT_TRUE(a.replaceWithText(configurationWithChannel(9)));
    const auto answer = dialogs->answer;
    answer(a);
    answer(folder.getChildFile("missing.vexlo"));
    EXPECT_TRUE(showsCaption(loaded, 1.0f));
    dialogs->holding = false;
    EXPECT_EQ(savedConfiguration(), configurationWithChannel(9));

    // A cancelled dialog changes nothing, and the file commands act again once it has answered.
    dialogs->holding = true;
    EXPECT_TRUE(invoke(CommandIDs::saveAs));
    dialogs->answer(juce::File());
    clearCaption();
    EXPECT_TRUE(invoke(CommandIDs::save));
    EXPECT_TRUE(showsCaption(saved, 1.0f));
    EXPECT_EQ(dialogs->shown, 3);
}
