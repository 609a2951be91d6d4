#include "ui/PanelComponent.h"

#include "ui/AnalogEditor.h"
#include "ui/BorderComponent.h"
#include "ui/ComputerButtons.h"
#include "ui/DigitalEditor.h"
#include "ui/HeadedContainer.h"
#include "ui/LEDEditor.h"
#include "ui/MachineButtons.h"
#include "ui/MonitorEditor.h"
#include "ui/PairComponent.h"
#include "ui/Palette.h"

namespace
{
constexpr int margin = 6;
} // namespace

// Each object is complete before the next is built: the borders and the pair size themselves from
// their content at construction.
PanelComponent::PanelComponent()
    : analogEditor(std::make_unique<AnalogEditor>()), digitalEditor(std::make_unique<DigitalEditor>()),
      ledEditor(std::make_unique<LEDEditor>()), monitor(std::make_unique<MonitorEditor>()),
      machineButtons(std::make_unique<MachineButtons>()),
      computerButtons(std::make_unique<ComputerButtons>()),
      analogBorder(std::make_unique<BorderComponent>(analogEditor.get())),
      digitalBorder(std::make_unique<BorderComponent>(digitalEditor.get())),
      ledBorder(std::make_unique<BorderComponent>(ledEditor.get())),
      monitorBorder(std::make_unique<BorderComponent>(monitor.get())),
      digitalPair(std::make_unique<PairComponent>(digitalBorder.get(), ledBorder.get())),
      analogColumn(std::make_unique<HeadedContainer>("CONTROLS", analogBorder.get(), false, false)),
      digitalColumn(std::make_unique<HeadedContainer>("CONTROLS", digitalPair.get(), false, false)),
      monitorColumn(std::make_unique<HeadedContainer>("MONITOR", monitorBorder.get(), false, false)),
      machineColumn(std::make_unique<HeadedContainer>("MACHINE", machineButtons.get(), true, false)),
      computerColumn(std::make_unique<HeadedContainer>("COMPUTER", computerButtons.get(), true, false))
{
    addAndMakeVisible(analogColumn.get());
    addChildComponent(digitalColumn.get());
    addAndMakeVisible(monitorColumn.get());
    addAndMakeVisible(machineColumn.get());
    addAndMakeVisible(computerColumn.get());
}

// The members go in the reverse order of their creation: the columns first, the analog editor last.
PanelComponent::~PanelComponent() = default;

void PanelComponent::showAnalog(int index, ModelAnalog* record)
{
    digitalColumn->setVisible(false);
    analogColumn->setVisible(true);
    analogEditor->setControl(index, record);
}

void PanelComponent::showDigital(int index, ModelDigital* button, ModelLED* led)
{
    analogColumn->setVisible(false);
    digitalColumn->setVisible(true);
    digitalEditor->setControl(index, button);
    ledEditor->setControl(index, led);
}

void PanelComponent::settleEditors()
{
    analogEditor->settle();
    digitalEditor->settle();
    ledEditor->settle();
}

void PanelComponent::showMonitor(const juce::String& name, int channel, int type, int number, int value)
{
    monitor->showMessage(name, channel, type, number, value);
}

void PanelComponent::flashActivity(bool on)
{
    monitor->setActivity(on);
}

void PanelComponent::paint(juce::Graphics& g)
{
    g.fillAll(Palette::lightGrey);
}

void PanelComponent::resized()
{
    const auto width = getWidth();
    const auto x1 = (int) (width * 3.15 / 11.0);
    const auto x2 = width * 6 / 11;
    const auto x3 = width * 9 / 11;
    const auto height = getHeight() - 2 * margin;

    // Neighbouring columns stand two margins apart.
    analogColumn->setBounds(margin, margin, x1 - 2 * margin, height);
    digitalColumn->setBounds(margin, margin, x1 - 2 * margin, height);
    monitorColumn->setBounds(x1 + margin, margin, x2 - x1 - 2 * margin, height);
    machineColumn->setBounds(x2 + margin, margin, x3 - x2 - 2 * margin, height);
    computerColumn->setBounds(x3 + margin, margin, width - x3 - 2 * margin, height);
}
