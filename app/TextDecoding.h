#pragma once

#include <juce_core/juce_core.h>

#include <cstddef>

// Turns the bytes of a configuration file into its text, or refuses them whole: a file is never read
// with characters that nobody wrote.
namespace TextDecoding
{
// UTF-16 in either byte order after its byte-order mark, where a half of a surrogate pair without its
// partner becomes U+FFFD; Latin-1 or Windows-1252 where the XML declaration names it; UTF-8 otherwise,
// after a byte-order mark or without one. False, with the text untouched, for bytes that are not UTF-8
// where UTF-8 is read, and for a NUL character.
bool decode(const void* data, size_t size, juce::String& text);
} // namespace TextDecoding
