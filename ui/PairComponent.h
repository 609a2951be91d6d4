#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// Shows two components side by side, top-aligned and 2 pixels apart, and paints nothing of its own.
// Sized once, from the two at construction; neither is owned.
class PairComponent : public juce::Component
{
public:
    PairComponent(juce::Component* first, juce::Component* second);

    void resized() override;

private:
    juce::Component* first;
    juce::Component* second;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(PairComponent)
};
