#include "ui/EditorFont.h"

juce::Font getEditorFont()
{
    return juce::Font(11.0f, juce::Font::plain);
}
