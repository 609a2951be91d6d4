#include "model/RecordXml.h"

#include <cstdlib>
#include <limits>

namespace
{
constexpr int firstChannel = 1;
constexpr int lastChannel = 16;
constexpr int largestDataByte = 127;

juce::juce_wchar foldAsciiCase(juce::juce_wchar c) noexcept
{
    return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

bool namesMatch(const juce::String& candidate, const char* name)
{
    auto text = candidate.getCharPointer();

    for (; *name != 0; ++name)
        if (foldAsciiCase(text.getAndAdvance()) != foldAsciiCase((juce::juce_wchar)(unsigned char) *name))
            return false;

    return text.isEmpty();
}

// JUCE 7 matches attribute names case-sensitively, so the attributes are walked here instead. The
// walk is quadratic in the number of attributes; the loader lets no element carry many.
const juce::String* findAttribute(const juce::XmlElement& element, const char* name)
{
    for (int i = 0; i < element.getNumAttributes(); ++i)
        if (namesMatch(element.getAttributeName(i), name))
            return &element.getAttributeValue(i);

    return nullptr;
}
} // namespace

namespace RecordXml
{
bool hasTagName(const juce::XmlElement& element, const char* name)
{
    return namesMatch(element.getTagName(), name);
}

int getIntAttribute(const juce::XmlElement& element, const char* name)
{
    const auto* value = findAttribute(element, name);

    if (value == nullptr)
        return -1;

    // JUCE reads with atoi, which wraps a number beyond int into one that a range check may accept.
    const auto number = std::strtol(value->toRawUTF8(), nullptr, 10);
    return (int) juce::jlimit<long>(std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), number);
}

bool getBoolAttribute(const juce::XmlElement& element, const char* name)
{
    const auto* value = findAttribute(element, name);

    if (value == nullptr)
        return false;

    const auto first = *value->getCharPointer().findEndOfWhitespace();
    return first == '1' || first == 't' || first == 'T' || first == 'y' || first == 'Y';
}

juce::String getStringAttribute(const juce::XmlElement& element, const char* name)
{
    const auto* value = findAttribute(element, name);
    return value != nullptr ? *value : juce::String();
}

juce::String modeText(int mode)
{
    return mode == 0 ? "cc" : "note";
}

bool readMode(const juce::XmlElement& element, int& mode)
{
    const auto text = getStringAttribute(element, "mode");

    if (text == "cc")
        mode = 0;
    else if (text == "note")
        mode = 1;
    else
        return false;

    return true;
}

bool isChannel(int value) noexcept
{
    return value >= firstChannel && value <= lastChannel;
}

bool isDataByte(int value) noexcept
{
    return value >= 0 && value <= largestDataByte;
}
} // namespace RecordXml
