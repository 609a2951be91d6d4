#include "app/NativeFileDialogs.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace
{
const char* const filePattern = "*.vexlo";

juce::FileChooser makeChooser(const juce::String& title)
{
    return juce::FileChooser(title, juce::File::getSpecialLocation(juce::File::userDocumentsDirectory),
                             filePattern, true);
}
} // namespace

bool NativeFileDialogs::chooseFileToOpen(juce::File& file)
{
    auto chooser = makeChooser("Select file to load...");
    if (!chooser.browseForFileToOpen())
        return false;
    file = chooser.getResult();
    return true;
}

bool NativeFileDialogs::chooseFileToSave(juce::File& file)
{
    auto chooser = makeChooser("Save file as...");
    if (!chooser.browseForFileToSave(true))
        return false;
    file = chooser.getResult();
    return true;
}
