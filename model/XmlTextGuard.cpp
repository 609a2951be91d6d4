#include "model/XmlTextGuard.h"

#include <cstdint>
#include <cstring>

namespace
{
using CharPointer = juce::String::CharPointerType;

// The parser's limits on character references, beyond which it complains.
constexpr int maxHexDigits = 8;
constexpr int maxDecimalDigits = 12;

// The characters that the parser takes into element and attribute names.
bool isNameCharacter(juce::juce_wchar c) noexcept
{
    constexpr juce::juce_wchar firstNonLatin = 160;

    if (c < firstNonLatin)
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
               c == '-' || c == ':' || c == '.';

    return juce::CharacterFunctions::isLetterOrDigit(c);
}

// The characters XML allows in a document; JUCE's parser takes others, raw or as references, and the
// document it then writes is one that other XML readers refuse.
bool isXmlCharacter(std::int64_t c) noexcept
{
    return c == '\t' || c == '\n' || c == '\r' || (c >= 0x20 && c <= 0xd7ff) ||
           (c >= 0xe000 && c <= 0xfffd) || (c >= 0x10000 && c <= 0x10ffff);
}

CharPointer endOfName(CharPointer p) noexcept
{
    while (isNameCharacter(*p))
        ++p;

    return p;
}

// Follows juce::XmlDocument step by step (the same character tests on the same positions), keeping
// count of the open elements instead of recursing, and of the elements, attributes and value bytes
// whose cost grows faster than the text. Any step at which the parser would complain, run out of text
// or stop making progress, or a count beyond its limit, ends the scan with a refusal.
class Scanner
{
public:
    explicit Scanner(CharPointer start) noexcept : p(start) {}

    bool readDocument()
    {
        if (!skipBlanksAndMarkup())
            return false;

        if (at("<!DOCTYPE"))
            return false;

        if (*p != '<')
            return false;

        for (int depth = 0;;)
        {
            const auto tag = readStartTag();

            if (tag == Tag::refused)
                return false;

            if (tag == Tag::opened && ++depth > XmlTextGuard::maxDepth)
                return false;

            for (;;)
            {
                // The parser stops reading once the root element is complete.
                if (depth == 0)
                    return true;

                const auto item = readContent();

                if (item == Content::refused)
                    return false;

                if (item == Content::startTag)
                    break;

                --depth;
            }
        }
    }

private:
    enum class Tag
    {
        refused,
        closed,
        opened
    };

    enum class Content
    {
        refused,
        startTag,
        endTag
    };

    bool at(const char* marker) const noexcept
    {
        return juce::CharacterFunctions::compareUpTo(p, juce::CharPointer_ASCII(marker),
                                                     (int) std::strlen(marker)) == 0;
    }

    bool skipOver(const char* marker) noexcept
    {
        if (!at(marker))
            return false;

        p += (int) std::strlen(marker);
        return true;
    }

    bool skipPast(const char* marker) noexcept
    {
        const auto index = p.indexOf(juce::CharPointer_ASCII(marker));

        if (index < 0)
            return false;

        p += index + (int) std::strlen(marker);
        return true;
    }

    // Blanks, comments and processing instructions, which the parser passes over between tokens;
    // false at the end of the text or in an unclosed comment or instruction.
    bool skipBlanksAndMarkup()
    {
        for (;;)
        {
            p.incrementToEndOfWhitespace();

            if (p.isEmpty())
                return false;

            if (skipOver("<!--"))
            {
                if (!skipPast("-->"))
                    return false;
            }
            else if (skipOver("<?"))
            {
                if (!skipPast("?>"))
                    return false;
            }
            else
            {
                return true;
            }
        }
    }

    // At the '<' of a start tag; reads the name and the attributes.
    Tag readStartTag()
    {
        if (++elements > XmlTextGuard::maxElements)
            return Tag::refused;

        ++p;
        auto end = endOfName(p);

        if (end == p)
        {
            // The parser allows a gap between '<' and the name.
            if (!skipBlanksAndMarkup())
                return Tag::refused;

            end = endOfName(p);

            if (end == p)
                return Tag::refused;
        }

        p = end;

        for (int attributes = 0;;)
        {
            if (!skipBlanksAndMarkup())
                return Tag::refused;

            if (skipOver("/>"))
                return Tag::closed;

            const auto c = *p;

            if (c == '>')
            {
                ++p;
                return Tag::opened;
            }

            if (!isNameCharacter(c))
                return Tag::refused;

            p = endOfName(p);

            if (!skipBlanksAndMarkup() || *p != '=')
                return Tag::refused;

            ++p;

            if (!skipBlanksAndMarkup())
                return Tag::refused;

            // An unquoted value ends the element right there, without a complaint: what follows is
            // read as the parent's content.
            if (*p != '"' && *p != '\'')
                return Tag::closed;

            if (++attributes > XmlTextGuard::maxAttributes ||
                ++documentAttributes > XmlTextGuard::maxDocumentAttributes || !readQuotedValue())
                return Tag::refused;
        }
    }

    bool readQuotedValue()
    {
        const auto quote = *p;
        const auto start = ++p;

        for (;;)
        {
            const auto c = *p;

            if (c == quote)
            {
                const auto bytes = p.getAddress() - start.getAddress();
                ++p;
                return bytes <= XmlTextGuard::maxValueBytes;
            }

            if (c == 0)
                return false;

            if (c == '&')
            {
                if (!readReference())
                    return false;
            }
            else
            {
                ++p;
            }
        }
    }

    // At a '&'. Named entities other than the five predefined ones would need a document type
    // declaration, so they are refused along with every reference the parser complains about.
    bool readReference()
    {
        ++p;

        for (const char* entity : {"amp;", "quot;", "apos;", "lt;", "gt;"})
        {
            const auto length = (int) std::strlen(entity);

            if (p.compareIgnoreCaseUpTo(juce::CharPointer_ASCII(entity), length) == 0)
            {
                p += length;
                return true;
            }
        }

        if (*p != '#')
            return false;

        ++p;

        // Digits and the ';', the value read whole: the parser takes any character before the ';' as a
        // digit and cuts the value to 32 bits, so anything else would load as a character that nobody
        // wrote. No digits spell character 0, which XML does not allow either.
        const auto hexadecimal = *p == 'x' || *p == 'X';
        if (hexadecimal)
            ++p;

        const auto maxDigits = hexadecimal ? maxHexDigits : maxDecimalDigits;
        std::int64_t code = 0;
        int digits = 0;

        for (; *p != ';'; ++p)
        {
            const auto digit = hexadecimal ? juce::CharacterFunctions::getHexDigitValue(*p)
                                           : (*p >= '0' && *p <= '9' ? (int) (*p - '0') : -1);

            if (digit < 0 || ++digits > maxDigits)
                return false;

            code = code * (hexadecimal ? 16 : 10) + digit;
        }

        ++p;
        return isXmlCharacter(code);
    }

    // Inside an open element: reads up to its next child start tag or its end tag.
    Content readContent()
    {
        for (;;)
        {
            const auto start = p;

            if (!skipBlanksAndMarkup())
                return Content::refused;

            if (*p == '<')
            {
                if (at("</"))
                {
                    // Without its '>', the parser would search the rest of the text for it once for
                    // every open element, and then close them all.
                    const auto close = p.indexOf((juce::juce_wchar) '>');

                    if (close < 0)
                        return Content::refused;

                    p += close + 1;
                    return Content::endTag;
                }

                if (skipOver("<![CDATA["))
                {
                    if (!skipPast("]]>"))
                        return Content::refused;

                    continue;
                }

                return Content::startTag;
            }

            // Text: the parser steps back over the blanks and markup it skipped and reads on up to
            // the next tag, passing over comments but not over processing instructions.
            p = start;

            for (;;)
            {
                const auto c = *p;

                if (c == '<')
                {
                    if (!skipOver("<!--"))
                        break;

                    if (!skipPast("-->"))
                        return Content::refused;
                }
                else if (c == 0)
                {
                    return Content::refused;
                }
                else if (c == '&')
                {
                    if (!readReference())
                        return Content::refused;
                }
                else
                {
                    ++p;
                }
            }

            // Text behind a processing instruction sends the parser back to the same place for ever.
            if (p == start)
                return Content::refused;
        }
    }

    CharPointer p;
    int elements = 0;
    int documentAttributes = 0;
};
} // namespace

namespace XmlTextGuard
{
bool isSafeToParse(const juce::String& text)
{
    const auto bytes = text.getNumBytesAsUTF8();

    if (bytes > (size_t) maxBytes)
        return false;

    // The parser steps over a multi-byte character by its lead byte alone, which is safe only in
    // valid UTF-8.
    if (!juce::CharPointer_UTF8::isValidString(text.toRawUTF8(), (int) bytes))
        return false;

    for (auto p = text.getCharPointer(); !p.isEmpty();)
        if (!isXmlCharacter(p.getAndAdvance()))
            return false;

    return Scanner(text.getCharPointer()).readDocument();
}
} // namespace XmlTextGuard
