// Entry point of every test program: JUCE is initialised once, and the test thread is JUCE's
// message thread, so tests can pump the message loop and receive posted callbacks.
#include "app/ConfigurationFile.h"

#ifdef VEXLO_TESTS_ON_A_DESKTOP
#include "support/XvfbServer.h"

#include <iostream>
#endif

#include <juce_gui_basics/juce_gui_basics.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <grp.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    // "--save-as-nobody <file> <text>": a save by a user without root's powers (to write through
    // permissions, to keep set-id bits), in a fresh process, since a fork of the threaded test
    // process may inherit a lock that no thread will release. Exits with 0 when the save succeeded.
    if (argc == 4 && std::strcmp(argv[1], "--save-as-nobody") == 0)
    {
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
            return 2;
        return ConfigurationFile(juce::File(argv[2])).write(argv[3]) ? 0 : 1;
    }

    testing::InitGoogleTest(&argc, argv);

#ifdef VEXLO_TESTS_ON_A_DESKTOP
    // Native windows on a desktop of their own, started before JUCE, which opens the display as it starts.
    XvfbServer desktop;
    if (!desktop.startWindowManager())
    {
        std::cerr << "no virtual desktop: Xvfb and openbox are needed" << std::endl;
        return 1;
    }
    setenv("DISPLAY", desktop.getDisplayName().toRawUTF8(), 1);
#else
    // The component tests run without a display, whatever the machine has: JUCE falls back to ":0"
    // when DISPLAY is unset, and a virtual display that another test started there would then catch
    // this program's windows half-made. Tests that need a display start their own.
    setenv("DISPLAY", ":65535", 1);
#endif

    juce::ScopedJuceInitialiser_GUI juce;
    return RUN_ALL_TESTS();
}
