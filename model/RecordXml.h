#pragma once

#include <juce_core/juce_core.h>

// How the configuration file's record elements are read and written. Element and attribute names are
// matched without regard to the case of ASCII letters, as the file has always been read; the values
// parse as juce::XmlElement's own attribute getters parse them, but for integers beyond int's range.
namespace RecordXml
{
bool hasTagName(const juce::XmlElement& element, const char* name);

// The decimal integer at the start of the value, after blanks and an optional sign (0 when there is
// none), held at int's smallest or largest value when it lies beyond them; -1 when the attribute is
// absent.
int getIntAttribute(const juce::XmlElement& element, const char* name);

// True when the value's first non-blank character is one of "1tTyY"; false when absent.
bool getBoolAttribute(const juce::XmlElement& element, const char* name);

// The value; empty when absent.
juce::String getStringAttribute(const juce::XmlElement& element, const char* name);

// The file names mode 0 "cc" (controller messages) and every other mode "note".
juce::String modeText(int mode);

// Stores 0 for "cc" and 1 for "note", matched exactly; false, storing nothing, for anything else.
bool readMode(const juce::XmlElement& element, int& mode);

bool isChannel(int value) noexcept;
bool isDataByte(int value) noexcept;
} // namespace RecordXml
