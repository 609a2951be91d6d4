#include "app/NativeFileDialogs.h"

namespace
{
const char* const filePattern = "*.vexlo";
const char* const saveTitle = "Save file as...";
// The result of the question's first button; the second gives 0.
constexpr int replaceResult = 1;

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
    launch(saveTitle,
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

void NativeFileDialogs::confirmReplace(const juce::File& file, Answer answer)
{
    question.reset(juce::LookAndFeel::getDefaultLookAndFeel().createAlertWindow(
        saveTitle, "A file named \"" + file.getFileName() + "\" already exists. Do you want to replace it?",
        "Replace", "Cancel", {}, juce::MessageBoxIconType::QuestionIcon, 2, nullptr));

    const juce::Component::SafePointer<juce::AlertWindow> asked(question.get());
    question->enterModalState(true,
                              juce::ModalCallbackFunction::create(
                                  [asked, file, answer = std::move(answer)](int result)
                                  {
                                      // A question that went with this object is not answered.
                                      if (asked == nullptr)
                                          return;
                                      asked->setVisible(false);
                                      answer(result == replaceResult ? file : juce::File());
                                  }),
                              false);
}
