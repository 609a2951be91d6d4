#pragma once

#include "app/FileDialogs.h"

// The platform's own open and save dialogs for configuration files, starting in the user's documents
// folder. They run modally: the message loop, and with it the timers and MIDI input, keeps running.
class NativeFileDialogs final : public FileDialogs
{
public:
    NativeFileDialogs() = default;

    bool chooseFileToOpen(juce::File& file) override;
    bool chooseFileToSave(juce::File& file) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(NativeFileDialogs)
};
