#pragma once

#include <juce_core/juce_core.h>

// Where the file commands ask the user for a file: the platform's dialogs in the program, scripted
// answers in tests.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;

    // False when the user cancels; the file is set only on true.
    virtual bool chooseFileToOpen(juce::File& file) = 0;

    // Asks before an existing file is chosen for overwriting; false when the user cancels.
    virtual bool chooseFileToSave(juce::File& file) = 0;
};
