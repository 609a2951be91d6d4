#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

class CustomLookAndFeel;
class MainWindow;

// The application object: installs the look and feel before anything is drawn, builds the main
// window, shows it when JUCE starts the message loop and hides it when the loop ends.
class VEXLOApp : public juce::JUCEApplication
{
public:
    VEXLOApp();
    ~VEXLOApp() override;

    const juce::String getApplicationName() override;
    const juce::String getApplicationVersion() override;
    void initialise(const juce::String& commandLine) override;
    void shutdown() override;
    void systemRequestedQuit() override;

private:
    std::unique_ptr<CustomLookAndFeel> lookAndFeel;
    std::unique_ptr<MainWindow> mainWindow;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(VEXLOApp)
};
