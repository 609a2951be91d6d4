#include "model/ModelLED.h"

#include "model/ModelOwner.h"
#include "model/RecordUpdate.h"
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
    RecordUpdate::end(updating, changed, [this] { notify(); });
}

template <typename Value> void ModelLED::store(Value& field, Value value)
{
    RecordUpdate::store(field, value, updating, changed, [this] { notify(); });
}

void ModelLED::notify()
{
    RecordUpdate::notify(model, &ModelOwner::ledChanged, index, listener);
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
