#include "support/ScopedCustomLookAndFeel.h"

ScopedCustomLookAndFeel::ScopedCustomLookAndFeel()
{
    juce::LookAndFeel::setDefaultLookAndFeel(&lookAndFeel);
    juce::Typeface::clearTypefaceCache();
}

ScopedCustomLookAndFeel::~ScopedCustomLookAndFeel()
{
    juce::LookAndFeel::setDefaultLookAndFeel(nullptr);
    juce::Typeface::clearTypefaceCache();
}
