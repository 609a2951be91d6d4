#pragma once

#include <juce_core/juce_core.h>

class Model;
class ModelListener;

// The settings of one analog control (a knob or a slider). The setters store whatever they are given
// and tell the model's owner, then the record's listener, when a value really changes; keeping values
// within their ranges is up to the callers, and the file reader checks what it reads.
class ModelAnalog
{
public:
    ModelAnalog() = default;

    bool isEnabled() const noexcept { return enabled; }
    int getMode() const noexcept { return mode; }
    int getChannel() const noexcept { return channel; }
    int getNumber() const noexcept { return number; }
    int getMin() const noexcept { return min; }
    int getMax() const noexcept { return max; }
    bool isInverted() const noexcept { return invert; }

    void setEnabled(bool newEnabled);
    void setMode(int newMode);
    void setChannel(int newChannel);
    void setNumber(int newNumber);
    void setMin(int newMin);
    void setMax(int newMax);
    void setInverted(bool newInvert);

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
    void copyValuesFrom(const ModelAnalog& other);

    Model* model = nullptr;
    int index = 0;
    ModelListener* listener = nullptr;
    juce::String name;
    bool enabled = true;
    int mode = 0;
    int channel = 1;
    int number = 1;
    int min = 0;
    int max = 127;
    bool invert = false;
    bool updating = false;
    bool changed = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ModelAnalog)
};
