#include "model/ModelLED.h"

#include "model/Model.h"
#include "model/ModelListener.h"
#include "model/ModelOwner.h"
#include "model/RecordXml.h"

void ModelLED::setEnabled(bool newEnabled)
{
    store(enabled, newEnabled);
}

void ModelLED::setAbleton(bool newAbleton)
{
    store(ableton, newAbleton);
}

void ModelLED::setMode(int newMode)
{
    store(mode, newMode);
}

void ModelLED::setChannel(int newChannel)
{
    store(channel, newChannel);
}

void ModelLED::setNumber(int newNumber)
{
    store(number, newNumber);
}

void ModelLED::endUpdate()
{
    // Cleared first, so that a setter called from within the notification notifies at once.
    updating = false;

    if (changed)
    {
        notify();
        changed = false;
    }
}

template <typename Value> void ModelLED::store(Value& field, Value value)
{
    if (field == value)
        return;

    field = value;

    if (updating)
        changed = true;
    else
        notify();
}

void ModelLED::notify()
{
    if (model != nullptr && model->getOwner() != nullptr)
        model->getOwner()->ledChanged(index);

    if (listener != nullptr)
        listener->modelChanged();
}

void ModelLED::copyValuesFrom(const ModelLED& other)
{
    name = other.name;
    enabled = other.enabled;
    ableton = other.ableton;
    mode = other.mode;
    channel = other.channel;
    number = other.number;
}

void ModelLED::writeToXml(juce::XmlElement* element) const
{
    element->setAttribute("name", name);
    element->setAttribute("enabled", enabled ? 1 : 0);
    element->setAttribute("mode", RecordXml::modeText(mode));
    element->setAttribute("channel", channel);
    element->setAttribute("ableton", ableton ? 1 : 0);
    element->setAttribute("number", number);
}

bool ModelLED::readFromXml(const juce::XmlElement* element)
{
    name = RecordXml::getStringAttribute(*element, "name");
    enabled = RecordXml::getBoolAttribute(*element, "enabled");

    if (!RecordXml::readMode(*element, mode))
        return false;

    channel = RecordXml::getIntAttribute(*element, "channel");
    number = RecordXml::getIntAttribute(*element, "number");
    ableton = RecordXml::getBoolAttribute(*element, "ableton");

    return RecordXml::isChannel(channel) && RecordXml::isDataByte(number);
}
