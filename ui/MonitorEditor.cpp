#include "ui/MonitorEditor.h"

#include "ui/EditorFont.h"
#include "ui/Palette.h"

namespace
{
constexpr int activityMilliseconds = 300;
constexpr int captionX = 6;
constexpr int captionWidth = 100;
constexpr int valueX = 106;
constexpr int valueWidth = 40;
constexpr int monitorWidth = valueX + valueWidth;

int fontHeight()
{
    return (int) getEditorFont().getHeight();
}
} // namespace

void MonitorEditor::ActivityTimer::timerCallback()
{
    monitor.active = false;
    stopTimer();
    monitor.repaint();
}

MonitorEditor::MonitorEditor()
{
    for (auto* label : {&nameLabel, &channelCaption, &channelValue, &typeCaption, &typeValue, &numberCaption,
                        &numberValue, &valueCaption, &valueValue})
        addAndMakeVisible(label);

    nameLabel.setColour(juce::Label::textColourId, Palette::pink);

    channelCaption.setText("MIDI CHANNEL", juce::dontSendNotification);
    typeCaption.setText("MESSAGE TYPE", juce::dontSendNotification);
    numberCaption.setText("CONTROL ID", juce::dontSendNotification);
    valueCaption.setText("VALUE", juce::dontSendNotification);

    for (auto* label : {&channelCaption, &typeCaption, &numberCaption, &valueCaption, &channelValue,
                        &typeValue, &numberValue, &valueValue})
        label->setJustificationType(juce::Justification::centredLeft);

    resized();
    setSize(preferredWidth, preferredHeight);
}

void MonitorEditor::showMessage(const juce::String& name, int channel, int type, int number, int value)
{
    nameLabel.setText(name, juce::dontSendNotification);
    channelValue.setText(juce::String(channel), juce::dontSendNotification);
    typeValue.setText(type == 1 ? "NOTE" : "CC", juce::dontSendNotification);
    numberValue.setText(juce::String(number), juce::dontSendNotification);
    valueValue.setText(juce::String(value), juce::dontSendNotification);
}

void MonitorEditor::setActivity(bool on)
{
    active = on;

    if (on)
        activityTimer.startTimer(activityMilliseconds);
    else
        activityTimer.stopTimer();

    repaint();
}

void MonitorEditor::paint(juce::Graphics& g)
{
    if (!active)
        return;

    const auto diameter = getEditorFont().getHeight() - 2.0f;
    g.setColour(Palette::green);
    g.fillEllipse((float) (int) ((float) getWidth() - diameter), 0.0f, diameter, diameter);
}

void MonitorEditor::resized()
{
    const auto h = fontHeight();
    const auto rowStep = h + 3;

    nameLabel.setBounds(0, 0, getWidth(), h);

    const std::pair<juce::Label*, juce::Label*> rows[] = {{&channelCaption, &channelValue},
                                                          {&typeCaption, &typeValue},
                                                          {&numberCaption, &numberValue},
                                                          {&valueCaption, &valueValue}};
    // The first row keeps a wider gap below the name than the rows keep between them.
    auto top = h + 12;
    for (const auto& [caption, value] : rows)
    {
        caption->setBounds(captionX, top, captionWidth, h);
        value->setBounds(valueX, top, valueWidth, h + 2);
        top += rowStep;
    }

    preferredWidth = monitorWidth;
    preferredHeight = top;
}
