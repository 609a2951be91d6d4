#include "support/MainComponentFixture.h"

#include "app/CommandIDs.h"
#include "device/SysExCodec.h"
#include "support/MessageLoop.h"
#include "support/Mouse.h"
#include "support/RecordingMIDIListener.h"
#include "ui/CommandManager.h"

namespace
{
// A period that no test reaches, so that the timer counts as running but never fires by itself.
constexpr int idlePeriod = 1 << 30;
const juce::Rectangle<int> captionArea{0, 395, 1100, 30};

int indexOf(const juce::Array<juce::MidiDeviceInfo>& devices, const juce::String& identifier)
{
    for (int i = 0; i < devices.size(); ++i)
        if (devices[i].identifier == identifier)
            return i;
    return -1;
}

bool take(std::deque<juce::File>& answers, juce::File& file)
{
    if (answers.empty())
        return false;
    const auto answer = answers.front();
    answers.pop_front();
    if (answer == juce::File())
        return false;
    file = answer;
    return true;
}

std::vector<std::string> linesOf(Model& model)
{
    std::vector<std::string> lines;
    for (int i = 0; i < Model::numAnalogs; ++i)
    {
        const auto& r = *model.getAnalog(i);
        lines.push_back(RecordingMIDIListener::describe(
            i, AnalogData{r.isEnabled(), r.getChannel(), r.getMode() == 0, r.getNumber(), r.getMin(),
                          r.getMax(), r.isInverted()}));
    }
    for (int i = 0; i < Model::numDigitals; ++i)
    {
        const auto& r = *model.getDigital(i);
        lines.push_back(RecordingMIDIListener::describe(
            i, DigitalData{r.isEnabled(), r.getChannel(), r.getMode() == 0, r.isToggle(), r.getNumber(),
                           r.getOn(), r.getOff()}));
    }
    for (int i = 0; i < Model::numLEDs; ++i)
    {
        const auto& r = *model.getLED(i);
        lines.push_back(RecordingMIDIListener::describe(
            i, LEDData{r.isEnabled(), r.getChannel(), r.getMode() == 0, r.isAbleton(), r.getNumber()}));
    }
    return lines;
}
} // namespace

bool ScriptedFileDialogs::chooseFileToOpen(juce::File& file)
{
    ++openCalls;
    return take(opens, file);
}

bool ScriptedFileDialogs::chooseFileToSave(juce::File& file)
{
    ++saveCalls;
    return take(saves, file);
}

MainComponentFixture::MainComponentFixture()
{
    folder.getFile().createDirectory();
    auto scripted = std::make_unique<ScriptedFileDialogs>();
    dialogs = scripted.get();
    main->setFileDialogs(std::move(scripted));
    window.addAndMakeVisible(*main);
    main->setBounds(window.getLocalBounds());

    auto& manager = getCommandManager();
    manager.registerAllCommandsForTarget(main.get());
    manager.setFirstCommandTarget(main.get());
    window.addKeyListener(manager.getKeyMappings());
}

MainComponentFixture::~MainComponentFixture()
{
    auto& manager = getCommandManager();
    window.removeKeyListener(manager.getKeyMappings());
    manager.setFirstCommandTarget(nullptr);
    main.reset();
    // As the application does at its end: a manager left to the end of the process would bring
    // JUCE's desktop back after JUCE has shut down.
    releaseCommandManager();
    folder.getFile().deleteRecursively();
}

juce::String MainComponentFixture::fieldText(juce::Component& form, const juce::String& name)
{
    for (auto* field : descendantsOf<juce::TextEditor>(form))
        if (field->getName() == name)
            return field->getText();
    return "no field " + name;
}

DialogComponent& MainComponentFixture::portsDialog() const
{
    return find<DialogComponent>(*main, 0);
}

DialogComponent& MainComponentFixture::aboutDialog() const
{
    return find<DialogComponent>(*main, 1);
}

EditorComponent& MainComponentFixture::editor() const
{
    return find<EditorComponent>(*main, 0);
}

juce::ComboBox& MainComponentFixture::inputBox() const
{
    return find<juce::ComboBox>(portsDialog(), 0);
}

juce::ComboBox& MainComponentFixture::outputBox() const
{
    return find<juce::ComboBox>(portsDialog(), 1);
}

juce::TextButton& MainComponentFixture::portButton(const juce::String& text) const
{
    for (auto* button : descendantsOf<juce::TextButton>(portsDialog()))
        if (button->getButtonText() == text)
            return *button;
    throw std::runtime_error("button not found");
}

int MainComponentFixture::inputIndexOf(const SimulatedVEXLO& peer) const
{
    return indexOf(ports->getInputDevices(), peer.getInputIdentifier());
}

int MainComponentFixture::outputIndexOf(const SimulatedVEXLO& peer) const
{
    return indexOf(ports->getOutputDevices(), peer.getOutputIdentifier());
}

void MainComponentFixture::pressConnect()
{
    inputBox().setSelectedItemIndex(inputIndexOf(device));
    outputBox().setSelectedItemIndex(outputIndexOf(device));
    portButton("CONNECT").triggerClick();
    flush();
}

bool MainComponentFixture::connect()
{
    const auto sent = device.getSentCount();
    pressConnect();
    if (!MessageLoop::pumpUntil([this] { return !portsDialog().isVisible(); }, timeout))
        return false;
    main->getPingTimer().startTimer(idlePeriod);
    main->getCaptionTimer().startTimer(idlePeriod);
    if (!device.waitUntilSent(sent + repliesPerConnection, timeout))
        return false;
    flush();
    return true;
}

void MainComponentFixture::flush()
{
    auto done = std::make_shared<bool>(false);
    juce::MessageManager::callAsync([done] { *done = true; });
    ASSERT_TRUE(MessageLoop::pumpUntil([done] { return *done; }, timeout));
}

bool MainComponentFixture::waitUntilReceived(int count)
{
    const auto arrived = MessageLoop::pumpUntil([&] { return device.getReceivedCount() >= count; }, timeout);
    flush();
    return arrived;
}

std::vector<juce::MidiMessage> MainComponentFixture::receivedSince(int from) const
{
    const auto received = device.getReceived();
    return std::vector<juce::MidiMessage>(received.begin() + juce::jmin(from, (int) received.size()),
                                          received.end());
}

bool MainComponentFixture::invoke(juce::CommandID command)
{
    return getCommandManager().invokeDirectly(command, false);
}

bool MainComponentFixture::showsCaption(const juce::String& text, float opacity) const
{
    EditorComponent reference(nullptr);
    reference.setSize(editor().getWidth(), editor().getHeight());
    if (const auto* selected = editor().getSelectedControl())
        reference.mouseDown(Mouse::pressAt(reference, selected->getImageRegion().getCentre()));
    reference.setCaption(text, opacity);

    const auto expected = reference.createComponentSnapshot(captionArea);
    const auto actual = editor().createComponentSnapshot(captionArea);
    for (int y = 0; y < captionArea.getHeight(); ++y)
        for (int x = 0; x < captionArea.getWidth(); ++x)
            if (expected.getPixelAt(x, y) != actual.getPixelAt(x, y))
                return false;
    return true;
}

std::vector<std::string> MainComponentFixture::savedRecords()
{
    const auto file = folder.getFile().getChildFile("records.vexlo");
    dialogs->saves.push_back(file);
    Model saved(nullptr);
    if (!invoke(CommandIDs::saveAs) || !saved.loadFromFile(file.loadFileAsString()))
        return {};
    return linesOf(saved);
}

std::vector<std::string> MainComponentFixture::recordsOf(const SimulatedVEXLO& peer)
{
    std::vector<std::string> lines;
    for (int i = 0; i < SysExCodec::analogControls; ++i)
    {
        const auto data = peer.getAnalog(i);
        lines.push_back(RecordingMIDIListener::describe(i, data.enabled ? data : AnalogData{false}));
    }
    for (int i = 0; i < SysExCodec::digitalControls; ++i)
    {
        const auto data = peer.getDigital(i);
        lines.push_back(RecordingMIDIListener::describe(i, data.enabled ? data : DigitalData{false}));
    }
    for (int i = 0; i < SysExCodec::ledControls; ++i)
    {
        const auto data = peer.getLED(i);
        lines.push_back(RecordingMIDIListener::describe(i, data.enabled ? data : LEDData{false}));
    }
    return lines;
}
