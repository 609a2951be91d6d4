#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// Shows one component below a header: a dark line across the full width and a dark title tab at the
// right end with the title in pink. The content, which may be null, is not owned; it keeps its own
// size or, with the fill flag, is stretched over the whole area below the header.
class HeadedContainer : public juce::Component
{
public:
    // With sizeToContent the container takes the content's width and its height plus the header's.
    HeadedContainer(const juce::String& title, juce::Component* content, bool fillContent,
                    bool sizeToContent);

    void paint(juce::Graphics& g) override;
    void resized() override;

private:
    juce::String title;
    juce::Component* content;
    bool fillContent;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(HeadedContainer)
};
