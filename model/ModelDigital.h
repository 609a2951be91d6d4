#pragma once

#include <juce_core/juce_core.h>
#include <juce_events/juce_events.h>

class Model;
class ModelListener;

// The settings of one button. It carries a change broadcaster that nothing listens to: changes reach
// the model's owner and the record's listener through the setters, as with the other records.
class ModelDigital : public juce::ChangeBroadcaster
{
public:
    ModelDigital() = default;

    bool isEnabled() const noexcept { return enabled; }
    bool isToggle() const noexcept { return toggle; }
    int getMode() const noexcept { return mode; }
    int getChannel() const noexcept { return channel; }
    int getNumber() const noexcept { return number; }
    int getOn() const noexcept { return on; }
    int getOff() const noexcept { return off; }

    void setEnabled(bool newEnabled);
    void setToggle(bool newToggle);
    void setMode(int newMode);
    void setChannel(int newChannel);
    void setNumber(int newNumber);
    void setOn(int newOn);
    void setOff(int newOff);

    void setListener(ModelListener* newListener) noexcept { listener = newListener; }

    // Batches setter calls: the changes in between notify once, at endUpdate. Not counted.
    void beginUpdate() noexcept { updating = true; }
    void endUpdate();

    void writeToXml(juce::XmlElement* element) const;
    // Stores the element's values, then checks them; false when a value is missing or out of range.
    bool readFromXml(const juce::XmlElement* element);

private:
    friend class Model;

    template <typename Value> void store(Value& field, Value value);
    void notify();
    void copyValuesFrom(const ModelDigital& other);

    Model* model = nullptr;
    int index = 0;
    ModelListener* listener = nullptr;
    juce::String name;
    bool enabled = true;
    bool toggle = false;
    int mode = 0;
    int channel = 1;
    int number = 1;
    int on = 0;
    int off = 127;
    bool updating = false;
    bool changed = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ModelDigital)
};
