#include "model/ModelDigital.h"

#include "model/ModelOwner.h"
#include "model/RecordUpdate.h"
#include "model/RecordXml.h"

void ModelDigital::setEnabled(bool newEnabled)
{
    store(enabled, newEnabled);
}

void ModelDigital::setToggle(bool newToggle)
{
    store(toggle, newToggle);
}

void ModelDigital::setMode(int newMode)
{
    store(mode, newMode);
}

void ModelDigital::setChannel(int newChannel)
{
    store(channel, newChannel);
}

void ModelDigital::setNumber(int newNumber)
{
    store(number, newNumber);
}

void ModelDigital::setOn(int newOn)
{
    store(on, newOn);
}

void ModelDigital::setOff(int newOff)
{
    store(off, newOff);
}

void ModelDigital::endUpdate()
{
    RecordUpdate::end(updating, changed, [this] { notify(); });
}

template <typename Value> void ModelDigital::store(Value& field, Value value)
{
    RecordUpdate::store(field, value, updating, changed, [this] { notify(); });
}

void ModelDigital::notify()
{
    RecordUpdate::notify(model, &ModelOwner::digitalChanged, index, listener);
}

void ModelDigital::copyValuesFrom(const ModelDigital& other)
{
    name = other.name;
    enabled = other.enabled;
    toggle = other.toggle;
    mode = other.mode;
    channel = other.channel;
    number = other.number;
    on = other.on;
    off = other.off;
}

void ModelDigital::writeToXml(juce::XmlElement* element) const
{
    element->setAttribute("name", name);
    element->setAttribute("enabled", enabled ? 1 : 0);
    element->setAttribute("mode", RecordXml::modeText(mode));
    element->setAttribute("channel", channel);
    element->setAttribute("number", number);
    element->setAttribute("on", on);
    element->setAttribute("off", off);
    element->setAttribute("toggle", toggle ? 1 : 0);
}

bool ModelDigital::readFromXml(const juce::XmlElement* element)
{
    name = RecordXml::getStringAttribute(*element, "name");
    enabled = RecordXml::getBoolAttribute(*element, "enabled");

    if (!RecordXml::readMode(*element, mode))
        return false;

    channel = RecordXml::getIntAttribute(*element, "channel");
    number = RecordXml::getIntAttribute(*element, "number");
    on = RecordXml::getIntAttribute(*element, "on");
    off = RecordXml::getIntAttribute(*element, "off");
    toggle = RecordXml::getBoolAttribute(*element, "toggle");

    return RecordXml::isChannel(channel) && RecordXml::isDataByte(number) && RecordXml::isDataByte(on) &&
           RecordXml::isDataByte(off);
}
