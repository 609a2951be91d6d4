// The process entry: hands JUCE the factory of the application object and runs its main loop.
#include "app/VEXLOApp.h"

namespace
{
juce::JUCEApplicationBase* createApplication()
{
    return new VEXLOApp();
}
} // namespace

int main(int argc, char* argv[])
{
    juce::JUCEApplicationBase::createInstance = &createApplication;
    return juce::JUCEApplicationBase::main(argc, (const char**) argv);
}
