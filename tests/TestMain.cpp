// Entry point of every test program: JUCE is initialised once, and the test thread is JUCE's
// message thread, so tests can pump the message loop and receive posted callbacks.
#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    juce::ScopedJuceInitialiser_GUI juce;
    return RUN_ALL_TESTS();
}
