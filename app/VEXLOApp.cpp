#include "app/VEXLOApp.h"

#include "app/MainWindow.h"
#include "ui/ApplicationVersion.h"
#include "ui/CommandManager.h"
#include "ui/CustomLookAndFeel.h"

VEXLOApp::VEXLOApp()
{
    // Installed first: JUCE keeps the typeface of every font it has looked up, so any text measured
    // before this would stay in the system's typeface.
    lookAndFeel = std::make_unique<CustomLookAndFeel>();
    juce::LookAndFeel::setDefaultLookAndFeel(lookAndFeel.get());
    mainWindow = std::make_unique<MainWindow>();
}

VEXLOApp::~VEXLOApp()
{
    // The look and feel and the command manager stay until the window has gone, and go before JUCE
    // shuts down: the command manager would otherwise bring JUCE's desktop back at exit.
    mainWindow.reset();
    juce::LookAndFeel::setDefaultLookAndFeel(nullptr);
    lookAndFeel.reset();
    releaseCommandManager();
}

const juce::String VEXLOApp::getApplicationName()
{
    return "VEXLO Editor";
}

const juce::String VEXLOApp::getApplicationVersion()
{
    return applicationVersion;
}

void VEXLOApp::initialise(const juce::String&)
{
    mainWindow->show();
}

void VEXLOApp::shutdown()
{
    mainWindow->hide();
}

void VEXLOApp::systemRequestedQuit()
{
    if (mainWindow->canClose())
        quit();
}
