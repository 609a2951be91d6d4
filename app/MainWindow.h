#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

class MainComponent;

// The one top-level window: a fixed-size document window with the native title bar, the menu bar of
// the main component and the main component below it. It wires the main component's commands to the
// command manager, the keyboard and the menu bar.
class MainWindow : public juce::DocumentWindow
{
public:
    MainWindow();
    ~MainWindow() override;

    void show();
    void hide();
    // Nothing is ever left unsaved that would need asking, so the window may always close.
    bool canClose() const;

    void resized() override;
    void closeButtonPressed() override;

private:
    std::unique_ptr<MainComponent> mainComponent;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(MainWindow)
};
