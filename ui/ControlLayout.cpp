#include "ui/ControlLayout.h"

#include "VexloResources.h"

namespace
{
// Tag and attribute names are matched without regard to case, as the toolkit's XML classes did
// before their attribute lookups became case-sensitive.
const juce::XmlElement* findChild(const juce::XmlElement& parent, const juce::String& tagName)
{
    for (auto* child : parent.getChildIterator())
        if (child->getTagName().equalsIgnoreCase(tagName))
            return child;

    return nullptr;
}

int getInt(const juce::XmlElement& element, const juce::String& attributeName, int defaultValue)
{
    for (int i = 0; i < element.getNumAttributes(); ++i)
        if (element.getAttributeName(i).equalsIgnoreCase(attributeName))
            return element.getAttributeValue(i).getIntValue();

    return defaultValue;
}

juce::String getString(const juce::XmlElement& element, const juce::String& attributeName)
{
    for (int i = 0; i < element.getNumAttributes(); ++i)
        if (element.getAttributeName(i).equalsIgnoreCase(attributeName))
            return element.getAttributeValue(i);

    return {};
}

int kindOf(const juce::XmlElement& element)
{
    static const char* const tagNames[] = {"Knob", "Slider", "Button", "LED"};

    for (int kind = 0; kind < (int) std::size(tagNames); ++kind)
        if (element.getTagName().equalsIgnoreCase(tagNames[kind]))
            return kind;

    return -1;
}

const ControlInfo* findById(const juce::OwnedArray<ControlInfo>& list, int id)
{
    for (auto* info : list)
        if (info->getId() == id)
            return info;

    return nullptr;
}
} // namespace

const ControlLayout& ControlLayout::getInstance()
{
    static const ControlLayout instance(juce::String::fromUTF8(Resources::layout_xml));
    return instance;
}

ControlLayout::ControlLayout(const juce::String& document)
{
    parse(document);
}

const ControlInfo* ControlLayout::findAnalog(int id) const
{
    return findById(analog, id);
}

const ControlInfo* ControlLayout::findDigital(int id) const
{
    return findById(digital, id);
}

const ControlInfo* ControlLayout::findLED(int id) const
{
    return findById(leds, id);
}

const ControlInfo* ControlLayout::hitTest(juce::Point<int> p) const
{
    for (auto* info : analog)
        if (info->contains(p))
            return info;

    for (auto* info : digital)
        if (info->contains(p))
            return info;

    return nullptr;
}

bool ControlLayout::parse(const juce::String& text)
{
    const auto document = juce::XmlDocument::parse(text);

    if (document == nullptr)
        return false;

    for (auto* element : document->getChildIterator())
    {
        const int kind = kindOf(*element);
        const int id = getInt(*element, "id", -1);

        if (kind < 0 || id < 0)
            return false;

        const int next = getInt(*element, "next", -1);
        const auto name = getString(*element, "name");

        juce::Rectangle<int> region;

        if (!parseImageRegion(findChild(*element, "ImageRegion"), region))
            return false;

        if (kind == ControlInfo::button || kind == ControlInfo::led)
        {
            auto& list = kind == ControlInfo::button ? digital : leds;
            list.add(new ControlInfo(id, next, kind, name, region));
            continue;
        }

        juce::Rectangle<int> position;

        if (!parsePosition(findChild(*element, "Position"), position))
            return false;

        analog.add(new ControlInfo(id, next, kind, name, region, position));
    }

    return true;
}

bool ControlLayout::parseImageRegion(const juce::XmlElement* element, juce::Rectangle<int>& region)
{
    if (element == nullptr)
        return false;

    const int xmin = getInt(*element, "xmin", -1);
    const int ymin = getInt(*element, "ymin", -1);
    const int xmax = getInt(*element, "xmax", -1);
    const int ymax = getInt(*element, "ymax", -1);

    if (xmin < 0 || ymin < 0 || xmax < 0 || ymax < 0)
        return false;

    region = {xmin, ymin, xmax - xmin, ymax - ymin};
    return true;
}

bool ControlLayout::parsePosition(const juce::XmlElement* element, juce::Rectangle<int>& position)
{
    if (element == nullptr)
        return false;

    // A knob gives only its centre; a slider gives the fixed coordinate and the two ends of its
    // travel, and the missing ends fall back to the fixed coordinate.
    const int x = getInt(*element, "x", -1);
    const int y = getInt(*element, "y", -1);
    const int xmin = getInt(*element, "xmin", x);
    const int xmax = getInt(*element, "xmax", x);
    const int ymin = getInt(*element, "ymin", y);
    const int ymax = getInt(*element, "ymax", y);

    if (xmin < 0 || ymin < 0 || xmax < 0 || ymax < 0)
        return false;

    position = {xmin, ymin, xmax - xmin, ymax - ymin};
    return true;
}
