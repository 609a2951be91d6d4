#include "app/MainComponent.h"

#include "VexloResources.h"
#include "app/NativeFileDialogs.h"
#include "device/ConnectionState.h"
#include "device/JUCEMIDIPorts.h"
#include "ui/ControlLayout.h"
#include "ui/Palette.h"

namespace
{
constexpr int margin = 6;
// Below the panel picture: the lower panel and the margins around it and between the two.
constexpr int lowerPanelHeight = 188;
constexpr int pingPeriodMilliseconds = 1000;
// The third tick without a reply drops the connection; the two before it still ping.
constexpr int pingMissesAllowed = 2;

constexpr int controllerMode = 0;
constexpr int noteMode = 1;

constexpr int lowestChannel = 1;
constexpr int highestChannel = 16;
constexpr int lowestValue = 0;
constexpr int highestValue = 127;

bool isChannel(int channel)
{
    return channel >= lowestChannel && channel <= highestChannel;
}

bool isValue(int value)
{
    return value >= lowestValue && value <= highestValue;
}

// The device link passes any byte: a report outside the model's ranges would be echoed back and saved
// into a file that cannot be opened again. A disabled report carries nothing but its flag.
bool fitsModel(const AnalogData& data)
{
    return !data.enabled ||
           (isChannel(data.channel) && isValue(data.number) && isValue(data.min) && isValue(data.max));
}

bool fitsModel(const DigitalData& data)
{
    return !data.enabled ||
           (isChannel(data.channel) && isValue(data.number) && isValue(data.on) && isValue(data.off));
}

bool fitsModel(const LEDData& data)
{
    return !data.enabled || (isChannel(data.channel) && isValue(data.number));
}

int modeOf(bool controllerMessages)
{
    return controllerMessages ? controllerMode : noteMode;
}

AnalogData dataOf(const ModelAnalog& record)
{
    AnalogData data;
    data.enabled = record.isEnabled();
    data.channel = record.getChannel();
    data.controllerMode = record.getMode() == controllerMode;
    data.inverted = record.isInverted();
    data.number = record.getNumber();
    data.min = record.getMin();
    data.max = record.getMax();
    return data;
}

DigitalData dataOf(const ModelDigital& record)
{
    DigitalData data;
    data.enabled = record.isEnabled();
    data.toggle = record.isToggle();
    data.channel = record.getChannel();
    data.controllerMode = record.getMode() == controllerMode;
    data.number = record.getNumber();
    data.on = record.getOn();
    data.off = record.getOff();
    return data;
}

LEDData dataOf(const ModelLED& record)
{
    LEDData data;
    data.enabled = record.isEnabled();
    data.ableton = record.isAbleton();
    data.channel = record.getChannel();
    data.controllerMode = record.getMode() == controllerMode;
    data.number = record.getNumber();
    return data;
}

// The settings to apply: a disabled report switches the record off and leaves its settings alone.
template <typename Data, typename Record> Data settingsToApply(const Data& report, const Record& record)
{
    if (report.enabled)
        return report;
    auto kept = dataOf(record);
    kept.enabled = false;
    return kept;
}

void setAll(ModelAnalog& record, const AnalogData& data)
{
    record.setEnabled(data.enabled);
    record.setChannel(data.channel);
    record.setMode(modeOf(data.controllerMode));
    record.setInverted(data.inverted);
    record.setNumber(data.number);
    record.setMin(data.min);
    record.setMax(data.max);
}

void setAll(ModelDigital& record, const DigitalData& data)
{
    record.setEnabled(data.enabled);
    record.setToggle(data.toggle);
    record.setChannel(data.channel);
    record.setMode(modeOf(data.controllerMode));
    record.setNumber(data.number);
    record.setOn(data.on);
    record.setOff(data.off);
}

void setAll(ModelLED& record, const LEDData& data)
{
    record.setEnabled(data.enabled);
    record.setAbleton(data.ableton);
    record.setChannel(data.channel);
    record.setMode(modeOf(data.controllerMode));
    record.setNumber(data.number);
}

// Inside one update the record notifies at most once, and only when the report changed it.
template <typename Record, typename Data> void applyReport(Record& record, const Data& report)
{
    if (!fitsModel(report))
        return;

    const auto data = settingsToApply(report, record);
    record.beginUpdate();
    setAll(record, data);
    record.endUpdate();
}
} // namespace

MainComponent::PingTimer::PingTimer(MainComponent* ownerToUse) : owner(ownerToUse) {}

void MainComponent::PingTimer::timerCallback()
{
    owner->pingTick();
}

MainComponent::CaptionTimer::CaptionTimer(MainComponent* ownerToUse) : owner(ownerToUse) {}

void MainComponent::CaptionTimer::timerCallback()
{
    owner->captionTick();
}

MainComponent::MainComponent() : MainComponent(std::make_shared<JUCEMIDIPorts>()) {}

MainComponent::MainComponent(std::shared_ptr<MIDIPortProvider> ports)
    : midi(std::make_unique<MIDI>(this, std::move(ports))), model(std::make_unique<Model>(this)),
      editor(std::make_unique<EditorComponent>(this)), panel(std::make_unique<PanelComponent>()),
      midiComponent(std::make_unique<MIDIComponent>(this)),
      aboutComponent(std::make_unique<AboutComponent>(this)),
      portsContainer(std::make_unique<HeadedContainer>("MIDI PORTS", midiComponent.get(), false, true)),
      portsDialog(std::make_unique<DialogComponent>(
          juce::ImageCache::getFromMemory(Resources::ports_png, Resources::ports_pngSize),
          portsContainer.get())),
      aboutDialog(std::make_unique<DialogComponent>(aboutComponent.get())),
      fileDialogs(std::make_unique<NativeFileDialogs>())
{
    editor->selectAnalog(0);

    addAndMakeVisible(*editor);
    addAndMakeVisible(*panel);
    // The about dialog above the ports dialog, both above everything else.
    addChildComponent(*portsDialog);
    addChildComponent(*aboutDialog);

    refreshPorts();
}

MainComponent::~MainComponent()
{
    // As the members go, a focused field loses the focus and settles what is typed in it: the record
    // changes, but nothing of it reaches this component, its device link or a member already gone.
    model->setOwner(nullptr);
}

int MainComponent::getPreferredWidth() const
{
    return editor->getPanelWidth() + 2 * margin;
}

int MainComponent::getPreferredHeight() const
{
    return editor->getPanelHeight() + lowerPanelHeight;
}

void MainComponent::setFileDialogs(std::unique_ptr<FileDialogs> dialogs)
{
    fileDialogs = std::move(dialogs);
    fileDialogShown = false;
}

void MainComponent::paint(juce::Graphics& g)
{
    g.fillAll(Palette::darkGrey);
}

void MainComponent::resized()
{
    const auto pictureWidth = editor->getPanelWidth();
    const auto pictureHeight = editor->getPanelHeight();

    editor->setBounds(margin, margin, pictureWidth, pictureHeight);
    panel->setBounds(margin, pictureHeight + 2 * margin, pictureWidth,
                     getHeight() - pictureHeight - 3 * margin);
    portsDialog->setBounds(getLocalBounds());
    aboutDialog->setBounds(getLocalBounds());
}

void MainComponent::analogSelected(int index)
{
    panel->showAnalog(index, model->getAnalog(index));
}

void MainComponent::digitalSelected(int index)
{
    panel->showDigital(index, model->getDigital(index), model->getLED(index));
}

void MainComponent::refreshPorts()
{
    portsDialog->setVisible(true);
    pingMisses = 0;

    const auto inputs = midi->getInputDevices();
    const auto outputs = midi->getOutputDevices();
    auto in = midi->getCurrentInputIndex();
    auto out = midi->getCurrentOutputIndex();

    if (in < 0 || out < 0)
    {
        in = midi->getDefaultInputIndex();
        out = midi->getDefaultOutputIndex();
    }

    midiComponent->setPorts(inputs, outputs, in, out);
}

void MainComponent::refreshRequested()
{
    refreshPorts();
}

void MainComponent::connectRequested(int inputIndex, int outputIndex)
{
    // Only a pair that has answered the handshake is left as it is: one that is still waiting may
    // have missed it, and connecting again is the user's only way to retry.
    if (midi->getState() == ConnectionState::connected && inputIndex == midi->getCurrentInputIndex() &&
        outputIndex == midi->getCurrentOutputIndex())
        return;

    // The requests follow the handshake at once; the device answers them once it has replied.
    if (midi->connect(inputIndex, outputIndex))
        midi->requestAll();
}

void MainComponent::connectionStateChanged(int state)
{
    if (state == ConnectionState::disconnected)
    {
        refreshPorts();
    }
    else if (state == ConnectionState::connected)
    {
        pingTimer.startTimer(pingPeriodMilliseconds);
        portsDialog->setVisible(false);
        showCaption("Connected!");
    }
}

void MainComponent::analogReceived(int index, const AnalogData& report)
{
    if (index >= 0 && index < Model::numAnalogs)
        applyReport(*model->getAnalog(index), report);
}

void MainComponent::digitalReceived(int index, const DigitalData& report)
{
    if (index >= 0 && index < Model::numDigitals)
        applyReport(*model->getDigital(index), report);
}

void MainComponent::ledReceived(int index, const LEDData& report)
{
    if (index >= 0 && index < Model::numLEDs)
        applyReport(*model->getLED(index), report);
}

bool MainComponent::sendsChanges() const
{
    // Changes made while not connected stay in the model; they are not sent later. Nor is anything
    // sent at exit, where hiding the window settles what is being typed in a form.
    return midi->getState() == ConnectionState::connected &&
           !juce::MessageManager::getInstance()->hasStopMessageBeenSent();
}

void MainComponent::analogChanged(int index)
{
    if (sendsChanges())
        midi->sendAnalog(index, dataOf(*model->getAnalog(index)));
}

void MainComponent::digitalChanged(int index)
{
    if (sendsChanges())
        midi->sendDigital(index, dataOf(*model->getDigital(index)));
}

void MainComponent::ledChanged(int index)
{
    if (sendsChanges())
        midi->sendLED(index, dataOf(*model->getLED(index)));
}

void MainComponent::controllerReceived(int channel, int number, int value)
{
    showInMonitor(channel, controllerMode, number, value);
}

void MainComponent::noteOnReceived(int channel, int note, int velocity)
{
    showInMonitor(channel, noteMode, note, velocity);
}

void MainComponent::noteOffReceived(int, int, int)
{
    panel->flashActivity(true);
}

void MainComponent::showInMonitor(int channel, int mode, int number, int value)
{
    const auto& layout = ControlLayout::getInstance();
    const ControlInfo* control = nullptr;

    // A knob or slider wins over a button with the same channel, mode and number.
    const auto analog = model->findAnalog(channel, mode, number);
    if (analog >= 0)
    {
        control = layout.findAnalog(analog);
    }
    else
    {
        const auto digital = model->findDigital(channel, mode, number, value);
        if (digital >= 0)
            control = layout.findDigital(digital);
    }

    if (control != nullptr)
        panel->showMonitor(control->getName().toUpperCase(), channel, mode, number, value);

    panel->flashActivity(true);
}

void MainComponent::pingReplyReceived()
{
    pingMisses = 0;
}

void MainComponent::aboutClosed()
{
    aboutDialog->setVisible(false);
}

void MainComponent::pingTick()
{
    if (midi->getState() != ConnectionState::connected)
        return;

    if (++pingMisses <= pingMissesAllowed)
    {
        midi->sendPing();
        return;
    }

    // The ports dialog comes back when the link reports the disconnection.
    pingTimer.stopTimer();
    midi->disconnect();
}
