#include "app/NativeFileDialogs.h"

namespace
{
const char* const filePattern = "*.vexlo";

juce::File startFolder()
{
    auto folder = juce::File::getSpecialLocation(juce::File::userDocumentsDirectory);
    if (!folder.isDirectory())
        folder = juce::File::getSpecialLocation(juce::File::userHomeDirectory);

    // JUCE offers the starting file's own name as the name to save under, which for a folder would
    // be "Documents". Written with a trailing separator, the folder has no name of its own.
    return juce::File::createFileWithoutCheckingPath(folder.getFullPathName() +
                                                     juce::File::getSeparatorString());
}
} // namespace

void NativeFileDialogs::chooseFileToOpen(Answer answer)
{
    launch("Select file to load...",
           juce::FileBrowserComponent::openMode | juce::FileBrowserComponent::canSelectFiles,
           std::move(answer));
}

void NativeFileDialogs::chooseFileToSave(Answer answer)
{
    launch("Save file as...",
           juce::FileBrowserComponent::saveMode | juce::FileBrowserComponent::canSelectFiles |
               juce::FileBrowserComponent::warnAboutOverwriting,
           std::move(answer));
}

void NativeFileDialogs::launch(const juce::String& title, int flags, Answer answer)
{
    chooser = std::make_unique<juce::FileChooser>(title, startFolder(), filePattern, true);
    chooser->launchAsync(flags, [answer = std::move(answer)](const juce::FileChooser& done)
                         { answer(done.getResult()); });
}
