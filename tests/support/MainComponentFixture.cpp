#include "support/MainComponentFixture.h"

#include "app/CommandIDs.h"
#include "device/SysExCodec.h"
#include "support/MessageLoop.h"
#include "support/Mouse.h"
#include "ui/CommandManager.h"

namespace
{
// A period that no test reaches, so that the timer counts as running but never fires by itself.
constexpr int idlePeriod = 1 << 30;
const juce::Rectangle<int> captionArea{0, 395, 1100, 30};

void applyOwn(ModelAnalog& record, const AnalogData& data)
{
    record.setInverted(data.inverted);
    record.setMin(data.min);
    record.setMax(data.max);
}

void applyOwn(ModelDigital& record, const DigitalData& data)
{
    record.setToggle(data.toggle);
    record.setOn(data.on);
    record.setOff(data.off);
}

void applyOwn(ModelLED& record, const LEDData& data)
{
    record.setAbleton(data.ableton);
}

// A disabled record keeps its other settings, in a fresh model the initial ones.
template <typename Record, typename Data> void apply(Record& record, const Data& data)
{
    record.setEnabled(data.enabled);
    if (!data.enabled)
        return;
    record.setChannel(data.channel);
    record.setMode(data.controllerMode ? 0 : 1);
    record.setNumber(data.number);
    applyOwn(record, data);
}
} // namespace

MainComponentFixture::MainComponentFixture()
{
    folder.createDirectory();
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
    window.removeKeyListener(getCommandManager().getKeyMappings());
    getCommandManager().setFirstCommandTarget(nullptr);
    main.reset();
    // As the application does at its end: a manager left to the end of the process would bring
    // JUCE's desktop back after JUCE has shut down.
    releaseCommandManager();
    folder.deleteRecursively();
}

juce::String MainComponentFixture::fieldText(juce::Component& form, const juce::String& name)
{
    for (auto* field : descendantsOf<juce::TextEditor>(form))
        if (field->getName() == name)
            return field->getText();
    return "no field " + name;
}

MainComponentFixture::Bytes MainComponentFixture::bytesOf(const std::vector<juce::MidiMessage>& messages)
{
    Bytes all;
    for (const auto& message : messages)
        all.emplace_back(message.getRawData(), message.getRawData() + message.getRawDataSize());
    return all;
}

MainComponentFixture::Bytes MainComponentFixture::withRequests(SysExCommand first)
{
    auto messages = SysExCodec::buildAllRequests();
    messages.insert(messages.begin(), SysExCodec::buildMessage(first));
    return bytesOf(messages);
}

juce::String MainComponentFixture::configurationOf(const SimulatedVEXLO& peer)
{
    Model model(nullptr);
    for (int i = 0; i < Model::numAnalogs; ++i)
        apply(*model.getAnalog(i), peer.getAnalog(i));
    for (int i = 0; i < Model::numDigitals; ++i)
        apply(*model.getDigital(i), peer.getDigital(i));
    for (int i = 0; i < Model::numLEDs; ++i)
        apply(*model.getLED(i), peer.getLED(i));
    return model.createXml();
}

void MainComponentFixture::pressConnect()
{
    find<juce::ComboBox>(portsDialog(), 0).setSelectedItemIndex(vexlo);
    find<juce::ComboBox>(portsDialog(), 1).setSelectedItemIndex(vexlo);
    for (auto* button : descendantsOf<juce::TextButton>(portsDialog()))
        if (button->getButtonText() == "CONNECT")
            button->triggerClick();
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
    // The identity reply and one report per request.
    if (!device.waitUntilSent(sent + 84, timeout))
        return false;
    flush();
    return device.waitUntilTakenIn(timeout);
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
    return arrived && device.waitUntilTakenIn(timeout);
}

int MainComponentFixture::receivedSoFar()
{
    flush();
    EXPECT_TRUE(device.waitUntilTakenIn(timeout));
    return device.getReceivedCount();
}

MainComponentFixture::Bytes MainComponentFixture::bytesSince(int from) const
{
    const auto received = device.getReceived();
    return bytesOf({received.begin() + juce::jmin(from, (int) received.size()), received.end()});
}

bool MainComponentFixture::invoke(juce::CommandID command)
{
    return getCommandManager().invokeDirectly(command, false);
}

bool MainComponentFixture::pressCommandKey(int key, int modifiers)
{
    juce::Component::unfocusAllComponents();
    return window.pressKey(juce::KeyPress(key, juce::ModifierKeys(modifiers), 0));
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

juce::String MainComponentFixture::savedConfiguration()
{
    const auto file = folder.getChildFile("saved.vexlo");
    dialogs->saves.push_back(file);
    return invoke(CommandIDs::saveAs) ? file.loadFileAsString() : juce::String();
}

juce::File MainComponentFixture::fileWith(const juce::String& name, const juce::String& text)
{
    const auto file = folder.getChildFile(name);
    EXPECT_TRUE(file.replaceWithText(text));
    return file;
}
