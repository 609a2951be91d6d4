#include "model/ModelAnalog.h"

#include "model/ModelOwner.h"
#include "model/RecordUpdate.h"
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
    RecordUpdate::end(updating, changed, [this] { notify(); });
}

template <typename Value> void ModelAnalog::store(Value& field, Value value)
{
    RecordUpdate::store(field, value, updating, changed, [this] { notify(); });
}

void ModelAnalog::notify()
{
    RecordUpdate::notify(model, &ModelOwner::analogChanged, index, listener);
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
