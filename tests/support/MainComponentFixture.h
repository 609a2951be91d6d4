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
#include <string>
#include <vector>

// File dialogs that answer from a script: each call takes the next answer, and an empty file, or no
// answer left, stands for Cancel.
class ScriptedFileDialogs final : public FileDialogs
{
public:
    bool chooseFileToOpen(juce::File& file) override;
    bool chooseFileToSave(juce::File& file) override;

    std::deque<juce::File> opens;
    std::deque<juce::File> saves;
    int openCalls = 0;
    int saveCalls = 0;
};

// The main component as the main window holds it, headless, with its commands registered and their
// keys installed, talking through virtual ports to a simulated VEXLO. A second device is listed first,
// so that the default port selection is not the VEXLO.
class MainComponentFixture : public testing::Test
{
protected:
    // Long enough for the slowest sanitizer build; a passing test never waits this long.
    static constexpr int timeout = 60000;
    // The requests and the identity reply of one connection.
    static constexpr int repliesPerConnection = 84;

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

    // The text of the form's field of that component name.
    static juce::String fieldText(juce::Component& form, const juce::String& name);

    DialogComponent& portsDialog() const;
    DialogComponent& aboutDialog() const;
    EditorComponent& editor() const;
    juce::ComboBox& inputBox() const;
    juce::ComboBox& outputBox() const;
    juce::TextButton& portButton(const juce::String& text) const;

    int inputIndexOf(const SimulatedVEXLO& peer) const;
    int outputIndexOf(const SimulatedVEXLO& peer) const;

    // Picks the VEXLO's ports in the ports dialog and presses CONNECT.
    void pressConnect();
    // Connects and waits until every record the device sent has been applied. Both timers are left
    // running at a period no test reaches, so that only the ticks a test drives count.
    bool connect();
    // Runs the loop until everything posted before this call has been dispatched.
    void flush();
    // Waits until the device has received the given number of messages, then lets the loop settle.
    bool waitUntilReceived(int count);
    std::vector<juce::MidiMessage> receivedSince(int from) const;

    bool invoke(juce::CommandID command);

    // The caption strip of the panel view, compared pixel for pixel with a view that shows the text
    // at that opacity over the same selection; an empty text means no caption.
    bool showsCaption(const juce::String& text, float opacity) const;

    // Every record as "kind index fields...", from a configuration saved through Save As.
    std::vector<std::string> savedRecords();
    // The same lines for a device's records, as a fresh model holds them after reading them.
    static std::vector<std::string> recordsOf(const SimulatedVEXLO& peer);

    ScopedCustomLookAndFeel lookAndFeel;
    std::shared_ptr<VirtualMIDIPorts> ports = std::make_shared<VirtualMIDIPorts>();
    SimulatedVEXLO other{*ports, "Other"};
    SimulatedVEXLO device{*ports};
    juce::TemporaryFile folder;
    HeadlessWindow window{1112, 622};
    std::unique_ptr<MainComponent> main = std::make_unique<MainComponent>(ports);
    ScriptedFileDialogs* dialogs = nullptr;
};
