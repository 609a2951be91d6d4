#pragma once

#include "app/FileDialogs.h"
#include "app/MainComponent.h"
#include "support/HeadlessWindow.h"
#include "support/ScopedCustomLookAndFeel.h"
#include "support/SimulatedVEXLO.h"
#include "support/VirtualMIDIPorts.h"

#include <gtest/gtest.h>

#include <deque>
#include <stdexcept>
#include <vector>

// File dialogs that answer from a script, one answer per dialog, at once; an empty file, or none left,
// is Cancel. While `holding`, a dialog stays open until the test calls `answer`.
class ScriptedFileDialogs final : public FileDialogs
{
public:
    void chooseFileToOpen(Answer answer) override { ask(opens, std::move(answer)); }
    void chooseFileToSave(Answer answer) override { ask(saves, std::move(answer)); }

    std::deque<juce::File> opens;
    std::deque<juce::File> saves;
    bool holding = false;
    Answer answer;
    int shown = 0;

private:
    void ask(std::deque<juce::File>& answers, Answer given)
    {
        ++shown;
        if (holding)
        {
            answer = std::move(given);
            return;
        }
        const auto file = answers.empty() ? juce::File() : answers.front();
        if (!answers.empty())
            answers.pop_front();
        given(file);
    }
};

// The main component as the main window holds it, headless, with its commands registered and their
// keys installed, talking through virtual ports to a simulated VEXLO. Another device is listed first,
// so that the default port selection is not the VEXLO.
class MainComponentFixture : public testing::Test
{
protected:
    using Bytes = std::vector<std::vector<juce::uint8>>;

    // Long enough for the slowest sanitizer build; a passing test never waits this long.
    static constexpr int timeout = 60000;
    // The VEXLO's position in both port lists.
    static constexpr int vexlo = 1;

    MainComponentFixture();
    ~MainComponentFixture() override;

    // Every component of the type below the parent, depth first in child order.
    template <typename Type> static std::vector<Type*> descendantsOf(juce::Component& parent)
    {
        std::vector<Type*> found;
        for (auto* child : parent.getChildren())
        {
            if (auto* typed = dynamic_cast<Type*>(child))
                found.push_back(typed);
            for (auto* deeper : descendantsOf<Type>(*child))
                found.push_back(deeper);
        }
        return found;
    }

    template <typename Type> static Type& find(juce::Component& parent, size_t n = 0)
    {
        const auto found = descendantsOf<Type>(parent);
        if (n >= found.size())
            throw std::runtime_error("component not found");
        return *found[n];
    }

    static juce::String fieldText(juce::Component& form, const juce::String& name);
    static Bytes bytesOf(const std::vector<juce::MidiMessage>& messages);
    // The handshake or a memory command, then the requests for all 83 records.
    static Bytes withRequests(SysExCommand first);
    // The configuration that a fresh model holds once it has applied the device's records.
    static juce::String configurationOf(const SimulatedVEXLO& peer);

    DialogComponent& portsDialog() const { return find<DialogComponent>(*main, 0); }
    DialogComponent& aboutDialog() const { return find<DialogComponent>(*main, 1); }
    EditorComponent& editor() const { return find<EditorComponent>(*main); }

    // Picks the VEXLO's ports in the ports dialog and presses CONNECT.
    void pressConnect();
    // Connects and waits until every record the device sent has been applied and every echo taken in. Both
    // timers are left running at a period no test reaches, so that only the ticks a test drives count.
    bool connect();
    // Runs the loop until everything posted before this call has been dispatched.
    void flush();
    // Waits until the device has received that many messages in all, then lets the loop settle and
    // the device take in whatever that sent.
    bool waitUntilReceived(int count);
    // How many messages the device has received once it has taken in everything sent until now.
    int receivedSoFar();
    Bytes bytesSince(int from) const;
    bool invoke(juce::CommandID command);
    // Offers the key to the window with no field focused, so that it reaches the command keys.
    bool pressCommandKey(int key, int modifiers = juce::ModifierKeys::ctrlModifier);

    // The caption strip of the panel view, pixel for pixel as a view with the same selection draws
    // the text at that opacity; an empty text stands for no caption.
    bool showsCaption(const juce::String& text, float opacity) const;
    // The model's configuration, through Save As.
    juce::String savedConfiguration();
    // A file of the test's folder with that text.
    juce::File fileWith(const juce::String& name, const juce::String& text);

    ScopedCustomLookAndFeel lookAndFeel;
    std::shared_ptr<VirtualMIDIPorts> ports = std::make_shared<VirtualMIDIPorts>();
    SimulatedVEXLO other{*ports, "Other"};
    SimulatedVEXLO device{*ports};
    juce::File folder = juce::File::createTempFile("main");
    HeadlessWindow window{1112, 622};
    std::unique_ptr<MainComponent> main = std::make_unique<MainComponent>(ports);
    ScriptedFileDialogs* dialogs = nullptr;
};
