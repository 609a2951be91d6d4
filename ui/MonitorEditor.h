#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// Shows the last note or controller message that matched a control (the control's name, then the
// message's channel, type, number and value) and a green light that stays on for 300 ms after each
// incoming message, however many arrive in between.
class MonitorEditor : public juce::Component
{
public:
    // Turns the light off once per start.
    class ActivityTimer : public juce::Timer
    {
    public:
        explicit ActivityTimer(MonitorEditor& owner) : monitor(owner) {}

        void timerCallback() override;

    private:
        MonitorEditor& monitor;

        JUCE_DECLARE_NON_COPYABLE(ActivityTimer)
    };

    MonitorEditor();
    ~MonitorEditor() override = default;

    // Type 1 is a note; any other type shows as a controller.
    void showMessage(const juce::String& name, int channel, int type, int number, int value);

    // On (re)starts the 300 ms countdown; off puts the light out at once.
    void setActivity(bool on);

    bool isActive() const noexcept { return active; }
    ActivityTimer& getActivityTimer() noexcept { return activityTimer; }

    void paint(juce::Graphics& g) override;
    void resized() override;

private:
    int preferredWidth = 0;
    int preferredHeight = 0;
    juce::Label nameLabel;
    juce::Label channelCaption;
    juce::Label typeCaption;
    juce::Label numberCaption;
    juce::Label valueCaption;
    juce::Label channelValue;
    juce::Label typeValue;
    juce::Label numberValue;
    juce::Label valueValue;
    ActivityTimer activityTimer{*this};
    bool active = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(MonitorEditor)
};
