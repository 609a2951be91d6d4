#pragma once

#include "model/ModelAnalog.h"
#include "model/ModelDigital.h"
#include "model/ModelLED.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

class AnalogEditor;
class BorderComponent;
class ComputerButtons;
class DigitalEditor;
class HeadedContainer;
class LEDEditor;
class MachineButtons;
class MonitorEditor;
class PairComponent;

// The strip below the panel picture: four headed columns side by side. CONTROLS shows the selected
// control's form (the analog editor alone, or the button and LED editors side by side, in one shared
// place), then MONITOR, MACHINE and COMPUTER with the two command bars.
class PanelComponent : public juce::Component
{
public:
    PanelComponent();
    ~PanelComponent() override;

    // The index is the analog control's id, 0 to 34.
    void showAnalog(int index, ModelAnalog* record);

    // One index, 0 to 23, selects a button's settings and its LED's together.
    void showDigital(int index, ModelDigital* button, ModelLED* led);

    // Settles what is being typed in the settings forms, as leaving the field would.
    void settleEditors();

    // Type 1 is a note-on, 0 a controller.
    void showMonitor(const juce::String& name, int channel, int type, int number, int value);
    void flashActivity(bool on);

    void paint(juce::Graphics& g) override;
    void resized() override;

private:
    std::unique_ptr<AnalogEditor> analogEditor;
    std::unique_ptr<DigitalEditor> digitalEditor;
    std::unique_ptr<LEDEditor> ledEditor;
    std::unique_ptr<MonitorEditor> monitor;
    std::unique_ptr<MachineButtons> machineButtons;
    std::unique_ptr<ComputerButtons> computerButtons;
    std::unique_ptr<BorderComponent> analogBorder;
    std::unique_ptr<BorderComponent> digitalBorder;
    std::unique_ptr<BorderComponent> ledBorder;
    std::unique_ptr<BorderComponent> monitorBorder;
    std::unique_ptr<PairComponent> digitalPair;
    std::unique_ptr<HeadedContainer> analogColumn;
    std::unique_ptr<HeadedContainer> digitalColumn;
    std::unique_ptr<HeadedContainer> monitorColumn;
    std::unique_ptr<HeadedContainer> machineColumn;
    std::unique_ptr<HeadedContainer> computerColumn;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(PanelComponent)
};
