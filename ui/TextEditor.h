#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The settings editors' text field: JUCE's text editor in the editor font.
class TextEditor : public juce::TextEditor
{
public:
    TextEditor();

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(TextEditor)
};
