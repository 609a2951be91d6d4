#pragma once

#include <juce_core/juce_core.h>

#include <cstddef>

// Turns the bytes of a configuration file into its text, or refuses them whole: a file is never read
// with characters that nobody wrote.
namespace TextDecoding
{
// UTF-16 in either byte order after its byte-order mark; Latin-1 or Windows-1252 where the XML
// declaration names it; UTF-8 where it names UTF-8 or no encoding, after a byte-order mark or without
// one; and where it names any other encoding, ASCII alone. False, with the text untouched, for bytes
// that spell no character in the encoding read (a half of a UTF-16 surrogate pair without its partner,
// an odd byte at the end of UTF-16, bytes that are not UTF-8 where UTF-8 is read), and for a NUL.
bool decode(const void* data, size_t size, juce::String& text);
} // namespace TextDecoding
