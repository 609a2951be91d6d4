#include "app/CommandIDs.h"
#include "app/ConfigurationFile.h"
#include "app/MainComponent.h"
#include "device/ConnectionState.h"
#include "ui/CommandManager.h"

#include <utility>

namespace
{
constexpr int captionPeriodMilliseconds = 100;
// Ticks of the caption timer: held at full opacity up to heldTicks, then faded out over fadeTicks.
constexpr int heldTicks = 20;
constexpr int fadeTicks = 7;

struct CommandText
{
    juce::CommandID id;
    const char* shortName;
    const char* description;
    const char* category;
    int key;
    int modifiers;
};

constexpr int noKey = 0;
constexpr int ctrl = juce::ModifierKeys::ctrlModifier;
constexpr int ctrlShift = juce::ModifierKeys::ctrlModifier | juce::ModifierKeys::shiftModifier;

// In the order in which the commands are registered.
constexpr CommandText commandTexts[] = {
    {CommandIDs::open, "Open...", "Open a document", "File", 'O', ctrl},
    {CommandIDs::save, "Save", "Save a document", "File", 'S', ctrl},
    {CommandIDs::saveAs, "Save As...", "Save a document to a new file", "File", 'S', ctrlShift},
    {CommandIDs::about, "About", "About...", "File", noKey, 0},
    {CommandIDs::disconnect, "Disconnect", "Break connection with device", "Device", 'D', ctrl},
    {CommandIDs::saveToDevice, "Save to Device", "Commit settings to device memory", "Device", 'V', ctrl},
    // Its own key, next to the others; sharing Save to Device's would leave it unreachable.
    {CommandIDs::restoreDevice, "Restore Device", "Restore settings from device memory", "Device", 'L', ctrl},
    {CommandIDs::restoreToFactory, "Restore to Factory", "Restore all settings to factory defaults", "Device",
     'F', ctrl},
};

bool isDeviceCommand(juce::CommandID id)
{
    return id == CommandIDs::disconnect || id == CommandIDs::saveToDevice ||
           id == CommandIDs::restoreDevice || id == CommandIDs::restoreToFactory;
}
} // namespace

juce::StringArray MainComponent::getMenuBarNames()
{
    return {"File", "Device"};
}

juce::PopupMenu MainComponent::getMenuForIndex(int topLevelMenuIndex, const juce::String&)
{
    static constexpr juce::CommandID fileMenu[] = {CommandIDs::open, CommandIDs::save, CommandIDs::saveAs};
    static constexpr juce::CommandID deviceMenu[] = {CommandIDs::disconnect, CommandIDs::saveToDevice,
                                                     CommandIDs::restoreDevice, CommandIDs::restoreToFactory};
    juce::PopupMenu menu;

    if (topLevelMenuIndex == 0)
        for (const auto id : fileMenu)
            menu.addCommandItem(&getCommandManager(), id);
    else if (topLevelMenuIndex == 1)
        for (const auto id : deviceMenu)
            menu.addCommandItem(&getCommandManager(), id);

    return menu;
}

void MainComponent::menuItemSelected(int, int) {}

juce::ApplicationCommandTarget* MainComponent::getNextCommandTarget()
{
    return findFirstTargetParentComponent();
}

void MainComponent::getAllCommands(juce::Array<juce::CommandID>& commands)
{
    for (const auto& command : commandTexts)
        commands.add(command.id);
}

void MainComponent::getCommandInfo(juce::CommandID commandID, juce::ApplicationCommandInfo& result)
{
    for (const auto& command : commandTexts)
    {
        if (command.id != commandID)
            continue;

        result.setInfo(command.shortName, command.description, command.category, 0);
        result.setTicked(false);
        if (command.key != noKey)
            result.addDefaultKeypress(command.key, juce::ModifierKeys(command.modifiers));
        // Asked afresh each time, so menus, keys and buttons follow the connection without being told.
        if (isDeviceCommand(commandID))
            result.setActive(midi->getState() == ConnectionState::connected);
        return;
    }
}

bool MainComponent::perform(const InvocationInfo& info)
{
    // Every command acts on what the forms show: what is being typed is settled first, as leaving the
    // field would, and so reaches the device before a device command does.
    panel->settleEditors();

    switch (info.commandID)
    {
    case CommandIDs::open:
        openFile();
        return true;
    case CommandIDs::save:
        saveFile(false);
        return true;
    case CommandIDs::saveAs:
        saveFile(true);
        return true;
    case CommandIDs::disconnect:
        disconnect();
        return true;
    case CommandIDs::saveToDevice:
        saveToDevice();
        return true;
    case CommandIDs::restoreDevice:
        restoreDevice();
        return true;
    case CommandIDs::restoreToFactory:
        restoreToFactory();
        return true;
    case CommandIDs::about:
        showAbout();
        return true;
    default:
        return false;
    }
}

void MainComponent::openFile()
{
    if (!fileDialogShown)
        fileDialogs->chooseFileToOpen(answerTo(&MainComponent::openChosenFile));
}

FileDialogs::Answer MainComponent::answerTo(void (MainComponent::*use)(const juce::File&))
{
    fileDialogShown = true;
    // The dialogs belong to this component and go with it, answer and all.
    return [this, use](const juce::File& file)
    {
        // One answer per dialog; one that comes once the application is quitting is not acted on.
        if (!std::exchange(fileDialogShown, false) || file == juce::File() ||
            juce::MessageManager::getInstance()->hasStopMessageBeenSent())
            return;

        // The window stays in the user's hands while the dialog is up: what was typed meanwhile is
        // settled before the answer is acted on, as at the start of every command.
        panel->settleEditors();
        (this->*use)(file);
    };
}

void MainComponent::openChosenFile(const juce::File& file)
{
    juce::String text;
    if (!ConfigurationFile(file).read(text) || !model->loadFromFile(text))
        return;

    currentFile = file;
    fileKnown = true;
    // Loading notifies no one, so nothing goes to the device; the forms on screen would still show
    // the old values and act on them with the next edit.
    reloadShownSettings();
    showCaption("The configuration file was loaded successfully");
}

void MainComponent::reloadShownSettings()
{
    const auto* control = editor->getSelectedControl();
    if (control == nullptr)
        return;

    if (control->getType() == ControlInfo::button)
        digitalSelected(control->getId());
    else
        analogSelected(control->getId());
}

void MainComponent::saveFile(bool saveAs)
{
    if (fileDialogShown)
        return;

    if (!saveAs && fileKnown)
    {
        saveTo(currentFile);
        return;
    }

    fileDialogs->chooseFileToSave(answerTo(&MainComponent::saveTo));
}

void MainComponent::saveTo(const juce::File& file)
{
    if (!ConfigurationFile(file).write(model->createXml()))
        return;

    currentFile = file;
    fileKnown = true;
    showCaption("The configuration file was saved successfully");
}

void MainComponent::disconnect()
{
    // The ports dialog comes back when the link reports the disconnection.
    pingTimer.stopTimer();
    midi->disconnect();
}

void MainComponent::saveToDevice()
{
    // No command waits for the device: the caption says the message went out.
    midi->sendSaveToDevice();
    showCaption("The configuration was saved to your VEXLO successfully");
}

void MainComponent::restoreDevice()
{
    midi->sendRestoreDevice();
    midi->requestAll();
    showCaption("The configuration was loaded from your VEXLO successfully");
}

void MainComponent::restoreToFactory()
{
    midi->sendRestoreFactory();
    midi->requestAll();
    showCaption("The configuration was restored to factory default settings");
}

void MainComponent::showAbout()
{
    aboutComponent->setDeviceIdentity(midi->getDeviceIdentity());
    aboutDialog->setVisible(true);
}

void MainComponent::showCaption(const juce::String& text)
{
    caption = text;
    captionTicks = 0;
    editor->setCaption(caption, 1.0f);
    captionTimer.startTimer(captionPeriodMilliseconds);
}

void MainComponent::captionTick()
{
    const auto tick = ++captionTicks;

    if (tick <= heldTicks)
        return;

    if (tick <= heldTicks + fadeTicks)
    {
        editor->setCaption(caption, (float) (1.0 - (tick - heldTicks) / (double) fadeTicks));
        return;
    }

    editor->setCaption({}, 0.0f);
    captionTimer.stopTimer();
}
