#include "model/Model.h"

#include "model/RecordXml.h"
#include "model/XmlTextGuard.h"

namespace
{
constexpr int documentVersion = 1;
constexpr int lineWrapLength = 60;
} // namespace

Model::Model(ModelOwner* ownerToUse) : owner(ownerToUse)
{
    for (int i = 0; i < numAnalogs; ++i)
    {
        analogs[(size_t) i].model = this;
        analogs[(size_t) i].index = i;
    }

    static_assert(numDigitals == numLEDs, "every button carries the LED of the same index");

    for (int i = 0; i < numDigitals; ++i)
    {
        digitals[(size_t) i].model = this;
        digitals[(size_t) i].index = i;
        leds[(size_t) i].model = this;
        leds[(size_t) i].index = i;
    }
}

int Model::findAnalog(int channel, int mode, int number) const
{
    for (int i = 0; i < numAnalogs; ++i)
    {
        const auto& record = analogs[(size_t) i];

        if (record.channel == channel && record.mode == mode && record.number == number)
            return i;
    }

    return -1;
}

int Model::findDigital(int channel, int mode, int number, int value) const
{
    for (int i = 0; i < numDigitals; ++i)
    {
        const auto& record = digitals[(size_t) i];

        if (record.channel == channel && record.mode == mode && record.number == number && record.on == value)
            return i;
    }

    return -1;
}

juce::String Model::createXml() const
{
    juce::XmlElement root("VEXLO");
    root.setAttribute("version", documentVersion);

    for (int i = 0; i < numAnalogs; ++i)
    {
        auto* element = new juce::XmlElement("Analog");
        element->setAttribute("id", i);
        analogs[(size_t) i].writeToXml(element);
        root.addChildElement(element);
    }

    for (int i = 0; i < numDigitals; ++i)
    {
        auto* element = new juce::XmlElement("Digital");
        element->setAttribute("id", i);
        digitals[(size_t) i].writeToXml(element);
        root.addChildElement(element);
    }

    for (int i = 0; i < numLEDs; ++i)
    {
        auto* element = new juce::XmlElement("LED");
        element->setAttribute("id", i);
        leds[(size_t) i].writeToXml(element);
        root.addChildElement(element);
    }

    juce::XmlElement::TextFormat format;
    format.customEncoding = "UTF-8";
    format.lineWrapLength = lineWrapLength;
    return root.toString(format);
}

bool Model::loadFromFile(const juce::String& text)
{
    // JUCE's parser recurses per nesting level and is not hardened against hostile text, so it only
    // gets to see text that it is known to read in bounded depth and time.
    if (!XmlTextGuard::isSafeToParse(text))
        return false;

    // Read into a scratch model first: a document that fails a check half-way must not leave a
    // half-loaded configuration behind for the next save to write out.
    Model scratch(nullptr);
    const auto read = scratch.readDocument(text);

    // JUCE keeps every element and attribute name it parses in a sorted pool shared by the whole
    // process, and prunes it at most every 30 seconds: the names of each file opened would slow every
    // later parse. The parsed tree is gone by now, and only names that nothing else holds are dropped.
    juce::StringPool::getGlobalPool().garbageCollect();

    if (!read)
        return false;

    // Names are written escaped, which can make a value and the document grow; a configuration whose
    // saved text the guard would refuse could never be opened again.
    if (!XmlTextGuard::isSafeToParse(scratch.createXml()))
        return false;

    copyValuesFrom(scratch);
    return true;
}

bool Model::readDocument(const juce::String& text)
{
    const auto root = juce::XmlDocument::parse(text);
    return root != nullptr && readRecords(*root);
}

bool Model::readRecords(const juce::XmlElement& root)
{
    std::array<const juce::XmlElement*, numAnalogs> analogElements{};
    std::array<const juce::XmlElement*, numDigitals> digitalElements{};
    std::array<const juce::XmlElement*, numLEDs> ledElements{};

    for (const auto* child : root.getChildIterator())
    {
        const auto id = RecordXml::getIntAttribute(*child, "id");

        if (id < 0)
            return false;

        const juce::XmlElement** slot = nullptr;

        if (RecordXml::hasTagName(*child, "Analog"))
        {
            if (id >= numAnalogs)
                return false;

            slot = &analogElements[(size_t) id];
        }
        else if (RecordXml::hasTagName(*child, "Digital"))
        {
            if (id >= numDigitals)
                return false;

            slot = &digitalElements[(size_t) id];
        }
        else if (RecordXml::hasTagName(*child, "LED"))
        {
            if (id >= numLEDs)
                return false;

            slot = &ledElements[(size_t) id];
        }
        else
        {
            return false;
        }

        if (*slot != nullptr)
            return false;

        *slot = child;
    }

    for (int i = 0; i < numAnalogs; ++i)
        if (analogElements[(size_t) i] == nullptr ||
            !analogs[(size_t) i].readFromXml(analogElements[(size_t) i]))
            return false;

    // Each button is read before the LED of the same index.
    for (int i = 0; i < numDigitals; ++i)
    {
        if (digitalElements[(size_t) i] == nullptr ||
            !digitals[(size_t) i].readFromXml(digitalElements[(size_t) i]))
            return false;

        if (ledElements[(size_t) i] == nullptr || !leds[(size_t) i].readFromXml(ledElements[(size_t) i]))
            return false;
    }

    return true;
}

void Model::copyValuesFrom(const Model& other)
{
    for (size_t i = 0; i < analogs.size(); ++i)
        analogs[i].copyValuesFrom(other.analogs[i]);

    for (size_t i = 0; i < digitals.size(); ++i)
        digitals[i].copyValuesFrom(other.digitals[i]);

    for (size_t i = 0; i < leds.size(); ++i)
        leds[i].copyValuesFrom(other.leds[i]);
}
