#include "support/RepaintCounter.h"

RepaintCounter& RepaintCounter::attachTo(juce::Component& component)
{
    component.setVisible(true);
    auto* counter = new RepaintCounter();
    component.setCachedComponentImage(counter);

    // Installing a cached image repaints the component once.
    counter->count = 0;
    return *counter;
}

bool RepaintCounter::invalidateAll()
{
    ++count;
    return true;
}

bool RepaintCounter::invalidate(const juce::Rectangle<int>&)
{
    ++count;
    return true;
}
