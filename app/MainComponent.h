#pragma once

#include "app/FileDialogs.h"
#include "device/MIDI.h"
#include "device/MIDIComponent.h"
#include "device/MIDIComponentListener.h"
#include "device/MIDIListener.h"
#include "device/MIDIPortProvider.h"
#include "model/Model.h"
#include "model/ModelOwner.h"
#include "ui/AboutComponent.h"
#include "ui/AboutComponentListener.h"
#include "ui/DialogComponent.h"
#include "ui/EditorComponent.h"
#include "ui/EditorListener.h"
#include "ui/HeadedContainer.h"
#include "ui/PanelComponent.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

// The content of the main window and the one object that ties the editor together: it owns the
// device link, the configuration and every view, hears all of them, performs the commands of the
// menus, keys and buttons, shows the status caption and watches the connection with a ping.
class MainComponent : public juce::Component,
                      public juce::MenuBarModel,
                      public juce::ApplicationCommandTarget,
                      public EditorListener,
                      public MIDIListener,
                      public MIDIComponentListener,
                      public AboutComponentListener,
                      public ModelOwner
{
public:
    // Every second while connected: pings the device and drops it after three ticks without a reply.
    class PingTimer : public juce::Timer
    {
    public:
        explicit PingTimer(MainComponent* owner);
        void timerCallback() override;

    private:
        MainComponent* owner;
    };

    // Every 100 ms while a caption is up: holds it, fades it out and clears it.
    class CaptionTimer : public juce::Timer
    {
    public:
        explicit CaptionTimer(MainComponent* owner);
        void timerCallback() override;

    private:
        MainComponent* owner;
    };

    // Uses the system's MIDI ports.
    MainComponent();
    explicit MainComponent(std::shared_ptr<MIDIPortProvider> ports);
    ~MainComponent() override;

    int getPreferredWidth() const;
    int getPreferredHeight() const;

    // Open, Save and Save As ask these for their files; the platform's own dialogs until replaced. A
    // dialog still open is closed without an answer.
    void setFileDialogs(std::unique_ptr<FileDialogs> dialogs);

    // The timers run on the message loop; their ticks may also be driven directly.
    PingTimer& getPingTimer() noexcept { return pingTimer; }
    CaptionTimer& getCaptionTimer() noexcept { return captionTimer; }

    void paint(juce::Graphics& g) override;
    void resized() override;

    juce::StringArray getMenuBarNames() override;
    juce::PopupMenu getMenuForIndex(int topLevelMenuIndex, const juce::String& menuName) override;
    void menuItemSelected(int menuItemID, int topLevelMenuIndex) override;

    juce::ApplicationCommandTarget* getNextCommandTarget() override;
    void getAllCommands(juce::Array<juce::CommandID>& commands) override;
    void getCommandInfo(juce::CommandID commandID, juce::ApplicationCommandInfo& result) override;
    bool perform(const InvocationInfo& info) override;

    void analogSelected(int index) override;
    void digitalSelected(int index) override;

    void connectionStateChanged(int state) override;
    void analogReceived(int index, const AnalogData& data) override;
    void digitalReceived(int index, const DigitalData& data) override;
    void ledReceived(int index, const LEDData& data) override;
    void controllerReceived(int channel, int number, int value) override;
    void noteOnReceived(int channel, int note, int velocity) override;
    void noteOffReceived(int channel, int note, int velocity) override;
    void pingReplyReceived() override;

    void refreshRequested() override;
    void connectRequested(int inputIndex, int outputIndex) override;

    void aboutClosed() override;

    void analogChanged(int index) override;
    void digitalChanged(int index) override;
    void ledChanged(int index) override;

private:
    void refreshPorts();
    bool sendsChanges() const;
    void pingTick();
    void showInMonitor(int channel, int mode, int number, int value);

    void openFile();
    void saveFile(bool saveAs);
    // The answer for a dialog about to be shown: it hands the file, unless cancelled, to the given
    // operation. The file commands wait until then.
    FileDialogs::Answer answerTo(void (MainComponent::*use)(const juce::File&));
    void openChosenFile(const juce::File& file);
    void saveTo(const juce::File& file);
    void disconnect();
    void saveToDevice();
    void restoreDevice();
    void restoreToFactory();
    void showAbout();
    void showCaption(const juce::String& text);
    void captionTick();
    void reloadShownSettings();

    std::unique_ptr<MIDI> midi;
    std::unique_ptr<Model> model;
    std::unique_ptr<EditorComponent> editor;
    std::unique_ptr<PanelComponent> panel;
    std::unique_ptr<MIDIComponent> midiComponent;
    std::unique_ptr<AboutComponent> aboutComponent;
    std::unique_ptr<HeadedContainer> portsContainer;
    std::unique_ptr<DialogComponent> portsDialog;
    std::unique_ptr<DialogComponent> aboutDialog;
    PingTimer pingTimer{this};
    juce::File currentFile;
    bool fileKnown = false;
    int pingMisses = 0;
    CaptionTimer captionTimer{this};
    int captionTicks = 0;
    juce::String caption;
    std::unique_ptr<FileDialogs> fileDialogs;
    // A file dialog is open: the file commands wait for its answer.
    bool fileDialogShown = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(MainComponent)
};
