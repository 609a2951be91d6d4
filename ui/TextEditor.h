#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The settings editors' text field: JUCE's text editor in the editor font. It leaves the command keys
// to the window, and a key that its input filter refuses changes nothing.
class TextEditor : public juce::TextEditor
{
public:
    TextEditor();

    bool keyPressed(const juce::KeyPress& key) override;
    void insertTextAtCaret(const juce::String& text) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(TextEditor)
};
