#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// Counts a component's repaint requests without a display. Installed as the component's cached
// image, it is told of every repaint while the component is visible; the component owns it.
class RepaintCounter : public juce::CachedComponentImage
{
public:
    // Makes the component visible, since hidden components drop their repaints, and counts from
    // then on.
    static RepaintCounter& attachTo(juce::Component& component);

    int getCount() const { return count; }

    void paint(juce::Graphics&) override {}
    bool invalidateAll() override;
    bool invalidate(const juce::Rectangle<int>& area) override;
    void releaseResources() override {}

private:
    int count = 0;
};
