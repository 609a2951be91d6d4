// Entry point of every test program: JUCE is initialised once, and the test thread is JUCE's
// message thread, so tests can pump the message loop and receive posted callbacks.
#include <juce_gui_basics/juce_gui_basics.h>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);

    // The component tests run without a display, whatever the machine has: JUCE falls back to ":0"
    // when DISPLAY is unset, and a virtual display that another test started there would then catch
    // this program's windows half-made. Tests that need a display start their own.
    setenv("DISPLAY", ":65535", 1);

    juce::ScopedJuceInitialiser_GUI juce;
    return RUN_ALL_TESTS();
}
