// The process entry: hands JUCE the factory of the application object and runs its main loop.
#include "app/VEXLOApp.h"

#include <X11/Xlib.h>
#include <cstdio>
#include <cstdlib>

namespace
{
juce::JUCEApplicationBase* createApplication()
{
    return new VEXLOApp();
}

// JUCE would go on without its display and crash at the first window. The display is the one JUCE
// opens, with JUCE's second try: DISPLAY, or ":0.0" when that is unset or empty.
const char* unreachableDisplay()
{
    const auto* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == 0)
        name = ":0.0";

    for (int tries = 0; tries < 2; ++tries)
    {
        if (auto* display = XOpenDisplay(name))
        {
            XCloseDisplay(display);
            return nullptr;
        }
    }
    return name;
}
} // namespace

int main(int argc, char* argv[])
{
    if (const auto* display = unreachableDisplay())
    {
        std::fprintf(stderr, "vexlo-editor: cannot open the display \"%s\"\n", display);
        return EXIT_FAILURE;
    }

    juce::JUCEApplicationBase::createInstance = &createApplication;
    return juce::JUCEApplicationBase::main(argc, (const char**) argv);
}
