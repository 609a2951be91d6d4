#pragma once

#include "app/FileDialogs.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

// The platform's own open and save dialogs for configuration files, starting in the user's documents
// folder. They run beside the message loop, so the window goes on painting and the timers and MIDI
// input keep running; one dialog at a time. A dialog still open when this object goes is closed
// without an answer.
class NativeFileDialogs final : public FileDialogs
{
public:
    NativeFileDialogs() = default;

    void chooseFileToOpen(Answer answer) override;
    void chooseFileToSave(Answer answer) override;

private:
    void launch(const juce::String& title, int flags, Answer answer);

    std::unique_ptr<juce::FileChooser> chooser;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(NativeFileDialogs)
};
