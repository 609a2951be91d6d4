#pragma once

#include "ui/CustomLookAndFeel.h"

// Installs the editor's look and feel as JUCE's default for as long as it lives, as the application
// does at start-up. JUCE caches a font's typeface by name from the default look and feel of the time,
// so the cache is emptied on the way in and on the way out. Create it before the components it draws.
class ScopedCustomLookAndFeel
{
public:
    ScopedCustomLookAndFeel();
    ~ScopedCustomLookAndFeel();

    CustomLookAndFeel& get() noexcept { return lookAndFeel; }

private:
    CustomLookAndFeel lookAndFeel;

    JUCE_DECLARE_NON_COPYABLE(ScopedCustomLookAndFeel)
};
