#pragma once

#include <juce_core/juce_core.h>

#include <functional>

// Where the file commands ask the user for a file: the platform's dialogs in the program, scripted
// answers in tests. A dialog runs while the message loop goes on and answers once, later.
class FileDialogs
{
public:
    // The chosen file, or no file (juce::File()) when the user cancels.
    using Answer = std::function<void(const juce::File&)>;

    virtual ~FileDialogs() = default;

    virtual void chooseFileToOpen(Answer answer) = 0;

    // Asks before an existing file is chosen for overwriting.
    virtual void chooseFileToSave(Answer answer) = 0;
};
