#include "model/ModelAnalog.h"

#include "model/Model.h"
#include "model/ModelListener.h"
#include "model/ModelOwner.h"
#include "model/RecordXml.h"

void ModelAnalog::setEnabled(bool newEnabled)
{
    store(enabled, newEnabled);
}

void ModelAnalog::setMode(int newMode)
{
    store(mode, newMode);
}

void ModelAnalog::setChannel(int newChannel)
{
    store(channel, newChannel);
}

void ModelAnalog::setNumber(int newNumber)
{
    store(number, newNumber);
}

void ModelAnalog::setMin(int newMin)
{
    store(min, newMin);
}

void ModelAnalog::setMax(int newMax)
{
    store(max, newMax);
}

void ModelAnalog::setInverted(bool newInvert)
{
    store(invert, newInvert);
}

void ModelAnalog::endUpdate()
{
    // Cleared first, so that a setter called from within the notification notifies at once.
    updating = false;

    if (changed)
    {
        notify();
        changed = false;
    }
}

template <typename Value> void ModelAnalog::store(Value& field, Value value)
{
    if (field == value)
        return;

    field = value;

    if (updating)
        changed = true;
    else
        notify();
}

void ModelAnalog::notify()
{
    if (model != nullptr && model->getOwner() != nullptr)
        model->getOwner()->analogChanged(index);

    if (listener != nullptr)
        listener->modelChanged();
}

void ModelAnalog::copyValuesFrom(const ModelAnalog& other)
{
    name = other.name;
    enabled = other.enabled;
    mode = other.mode;
    channel = other.channel;
    number = other.number;
    min = other.min;
    max = other.max;
    invert = other.invert;
}

void ModelAnalog::writeToXml(juce::XmlElement* element) const
{
    element->setAttribute("name", name);
    element->setAttribute("enabled", enabled ? 1 : 0);
    element->setAttribute("mode", RecordXml::modeText(mode));
    element->setAttribute("channel", channel);
    element->setAttribute("number", number);
    element->setAttribute("min", min);
    element->setAttribute("max", max);
    element->setAttribute("invert", invert ? 1 : 0);
}

bool ModelAnalog::readFromXml(const juce::XmlElement* element)
{
    name = RecordXml::getStringAttribute(*element, "name");
    enabled = RecordXml::getBoolAttribute(*element, "enabled");
    invert = RecordXml::getBoolAttribute(*element, "invert");

    if (!RecordXml::readMode(*element, mode))
        return false;

    channel = RecordXml::getIntAttribute(*element, "channel");
    number = RecordXml::getIntAttribute(*element, "number");
    min = RecordXml::getIntAttribute(*element, "min");
    max = RecordXml::getIntAttribute(*element, "max");

    return RecordXml::isChannel(channel) && RecordXml::isDataByte(number) && RecordXml::isDataByte(min) &&
           RecordXml::isDataByte(max);
}
