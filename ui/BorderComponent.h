#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// Shows one component on a rounded light-grey face with a dark outline and a dark shadow 2 pixels
// down and to the right. Sized once, from the content's size at construction; the content is not owned.
class BorderComponent : public juce::Component
{
public:
    explicit BorderComponent(juce::Component* content);

    void paint(juce::Graphics& g) override;
    void resized() override;

private:
    juce::Component* content;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(BorderComponent)
};
