#include "app/TextDecoding.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <vector>

namespace
{
// Decoders of a file's bytes into its text. Each refuses a NUL, which a string cannot hold: what
// follows it would be lost without a word.

// JUCE decodes UTF-16 unit by unit, which splits every character beyond the basic plane in two. A half
// of a surrogate pair without its partner, or an odd byte at the end, spells no character: the file is
// refused, as a broken UTF-8 file is, rather than read with one that nobody wrote.
bool decodeUTF16(const juce::uint8* bytes, size_t size, bool bigEndian, juce::String& text)
{
    const auto unitAt = [&](size_t i) -> juce::juce_wchar
    { return bigEndian ? (bytes[i] << 8) | bytes[i + 1] : (bytes[i + 1] << 8) | bytes[i]; };
    const auto isHigh = [](juce::juce_wchar unit) { return unit >= 0xd800 && unit < 0xdc00; };
    const auto isLow = [](juce::juce_wchar unit) { return unit >= 0xdc00 && unit < 0xe000; };
    if (size % 2 != 0)
        return false;

    std::vector<juce::juce_wchar> characters;
    characters.reserve(size / 2 + 1);
    for (size_t i = 0; i < size; i += 2)
    {
        const auto unit = unitAt(i);
        if (unit == 0 || isLow(unit))
            return false;
        if (isHigh(unit))
        {
            if (i + 2 == size || !isLow(unitAt(i + 2)))
                return false;
            characters.push_back(0x10000 + ((unit - 0xd800) << 10) + (unitAt(i + 2) - 0xdc00));
            i += 2;
        }
        else
        {
            characters.push_back(unit);
        }
    }
    characters.push_back(0);
    text = juce::String(juce::CharPointer_UTF32(characters.data()));
    return true;
}

// Strict UTF-8. JUCE reads text that is not valid UTF-8 as Windows-1252 instead, so one stray byte,
// even in a comment, would change every other non-ASCII character of the file; nor does it refuse
// overlong forms or encoded surrogates.
bool decodeUTF8(const juce::uint8* bytes, size_t size, juce::String& text)
{
    // The lowest character that a lead byte with so many continuation bytes may spell.
    constexpr juce::juce_wchar lowest[] = {0, 0x80, 0x800, 0x10000};
    for (size_t i = 0; i < size;)
    {
        const auto lead = bytes[i];
        const size_t extra = lead >= 0xf0 ? 3 : lead >= 0xe0 ? 2 : lead >= 0xc0 ? 1 : 0;
        if (lead == 0 || (extra == 0 && lead >= 0x80) || size - i <= extra)
            return false;

        // Of a lead byte of F8 or above the mask keeps a bit that puts the character beyond U+10FFFF.
        auto character = (juce::juce_wchar)(lead & (0x7f >> extra));
        for (size_t k = 1; k <= extra; ++k)
        {
            if ((bytes[i + k] & 0xc0) != 0x80)
                return false;
            character = (character << 6) | (bytes[i + k] & 0x3f);
        }
        if (character < lowest[extra] || character > 0x10ffff || (character >= 0xd800 && character < 0xe000))
            return false;
        i += extra + 1;
    }
    text = juce::String::fromUTF8(reinterpret_cast<const char*>(bytes), (int) size);
    return true;
}

// One byte a character. JUCE's Windows-1252 table gives U+0007 for the five bytes that code page
// leaves undefined; they keep their Latin-1 code points, as browsers read them.
bool decodeSingleBytes(const juce::uint8* bytes, size_t size, bool windows1252, juce::String& text)
{
    constexpr juce::juce_wchar undefined = 7;
    std::vector<juce::juce_wchar> characters;
    characters.reserve(size + 1);
    for (size_t i = 0; i < size; ++i)
    {
        if (bytes[i] == 0)
            return false;
        const auto mapped = juce::CharacterFunctions::getUnicodeCharFromWindows1252Codepage(bytes[i]);
        characters.push_back(windows1252 && (mapped != undefined || bytes[i] == undefined) ? mapped
                                                                                           : bytes[i]);
    }
    characters.push_back(0);
    text = juce::String(juce::CharPointer_UTF32(characters.data()));
    return true;
}

// The encoding that the XML declaration names: the value of its pseudo-attribute "encoding". Only
// "<?xml" and a blank at the very start open the declaration; other processing instructions, and other
// pseudo-attributes whose names hold the word, name none.
std::optional<std::string_view> declaredEncoding(const juce::uint8* bytes, size_t size)
{
    constexpr auto none = std::string_view::npos;
    constexpr std::string_view opening = "<?xml", blanks = " \t\r\n";
    const std::string_view start(reinterpret_cast<const char*>(bytes), size);
    const auto end = start.find("?>");
    if (end == none || start.rfind(opening, 0) != 0 || blanks.find(start[opening.size()]) == none)
        return {};

    // Each pseudo-attribute is a name, an "=" with blanks around it, and a value in either quote.
    const auto declaration = start.substr(0, end);
    for (auto at = declaration.find_first_not_of(blanks, opening.size()); at != none;
         at = declaration.find_first_not_of(blanks, at))
    {
        const auto nameEnd = declaration.find_first_of(" \t\r\n=", at);
        const auto equals = declaration.find_first_not_of(blanks, nameEnd);
        const auto open = equals == none || declaration[equals] != '='
                              ? none
                              : declaration.find_first_not_of(blanks, equals + 1);
        if (open == none || (declaration[open] != '"' && declaration[open] != '\''))
            return {};
        const auto close = declaration.find(declaration[open], open + 1);
        if (close == none)
            return {};
        if (declaration.substr(at, nameEnd - at) == "encoding")
            return declaration.substr(open + 1, close - open - 1);
        at = close + 1;
    }
    return {};
}

bool namesOneOf(std::string_view value, std::initializer_list<std::string_view> names)
{
    const auto sameLetters = [](char a, char b)
    { return std::tolower((unsigned char) a) == std::tolower((unsigned char) b); };
    return std::any_of(
        names.begin(), names.end(),
        [&](std::string_view name)
        { return std::equal(value.begin(), value.end(), name.begin(), name.end(), sameLetters); });
}
} // namespace

namespace TextDecoding
{
bool decode(const void* data, size_t size, juce::String& text)
{
    const auto* bytes = static_cast<const juce::uint8*>(data);
    const auto bigEndian = size >= 2 && bytes[0] == 0xfe && bytes[1] == 0xff;
    if (bigEndian || (size >= 2 && bytes[0] == 0xff && bytes[1] == 0xfe))
        return decodeUTF16(bytes + 2, size - 2, bigEndian, text);
    if (size >= 3 && bytes[0] == 0xef && bytes[1] == 0xbb && bytes[2] == 0xbf)
        return decodeUTF8(bytes + 3, size - 3, text);

    const auto encoding = declaredEncoding(bytes, size);
    if (!encoding || namesOneOf(*encoding, {"UTF-8", "UTF8"}))
        return decodeUTF8(bytes, size, text);
    if (namesOneOf(*encoding, {"ISO-8859-1", "ISO_8859-1", "ISO_8859-1:1987", "latin1", "l1", "iso-ir-100",
                               "IBM819", "CP819", "csISOLatin1"}))
        return decodeSingleBytes(bytes, size, false, text);
    if (namesOneOf(*encoding, {"windows-1252", "cp1252"}))
        return decodeSingleBytes(bytes, size, true, text);

    // Where the file names an encoding this reader does not read, only ASCII is sure to mean the same in
    // it as in UTF-8.
    return std::all_of(bytes, bytes + size, [](juce::uint8 byte) { return byte < 0x80; }) &&
           decodeUTF8(bytes, size, text);
}
} // namespace TextDecoding
