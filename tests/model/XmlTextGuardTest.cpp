// Pins which texts may reach JUCE's XML parser: the exact depth, count, length and size limits, closing
// tags hidden where the parser does not see them, and every complaint or endless path it is kept from.
#include "model/XmlTextGuard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
juce::String nested(int levels, const juce::String& open = "<a>", const juce::String& inner = {})
{
    return juce::String::repeatedString(open, levels) + inner + juce::String::repeatedString("</a>", levels);
}
} // namespace

TEST(XmlTextGuardTest, DepthLimitIsExact)
{
    EXPECT_TRUE(XmlTextGuard::isSafeToParse(nested(XmlTextGuard::maxDepth)));
    EXPECT_FALSE(XmlTextGuard::isSafeToParse(nested(XmlTextGuard::maxDepth + 1)));

    // An element that closes itself opens no level.
    EXPECT_TRUE(XmlTextGuard::isSafeToParse(nested(XmlTextGuard::maxDepth, "<a>", "<b/>")));

    // The parser stops at the end of the root element, so what follows does not count.
    EXPECT_TRUE(XmlTextGuard::isSafeToParse("<r/>" + juce::String::repeatedString("<a>", 100)));
}

TEST(XmlTextGuardTest, ClosingTagsTheParserDoesNotSeeDoNotLowerTheCount)
{
    // Each variant hides a "</a>" inside one level; a scan that took it for a real end tag would see
    // a shallow document.
    const std::vector<std::pair<std::string, juce::String>> levels{
        {"comment", "<a><!--</a>-->"},
        {"CDATA", "<a><![CDATA[</a>]]>"},
        {"instruction", "<a><?p </a>?>"},
        {"double-quoted value", "<a x=\"</a>\">"},
        {"single-quoted value", "<a x='</a>/>'>"},
        {"instruction between attributes", "<a <?p </a>?> x=\"1\">"},
    };

    for (const auto& [label, level] : levels)
    {
        SCOPED_TRACE(label);
        EXPECT_TRUE(XmlTextGuard::isSafeToParse(nested(XmlTextGuard::maxDepth, level)));
        EXPECT_FALSE(XmlTextGuard::isSafeToParse(nested(XmlTextGuard::maxDepth + 1, level)));
    }
}

TEST(XmlTextGuardTest, TextTheParserReadsWithoutComplaintPasses)
{
    const std::vector<juce::String> accepted{
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n<VEXLO version=\"1\">\r\n</VEXLO>\r\n",
        "<!-- before --><?p?>\n<r a='1' b=\"2\"/>",
        "<r>&amp;&LT;&Gt;&quot;&apos;&#65;&#x41;&#X4a;&#0065;&#x000041;&#x1F39B;</r>",
        "<r a=\"&amp;&#233;&#x1F3B9;\"/>",
        "<r><![CDATA[</r> <a> ]]></r>",
        "<r>text<!-- c --> more <?p?><a/>tail</r>",
        "< r/>",
        "<r <!--c--> x=\"1\"/>",
        "<r><a b=c>text</r>",
        juce::CharPointer_UTF8("<r>\xc3\xa9t\xc3\xa9</r>"),
        "<r a=\"&#9;&#10;&#13;&#xD7FF;&#xE000;&#xFFFD;&#x10000;&#x10FFFF;\">\t\r\n</r>",
    };

    for (const auto& text : accepted)
    {
        SCOPED_TRACE(text);
        EXPECT_TRUE(XmlTextGuard::isSafeToParse(text));
    }
}

TEST(XmlTextGuardTest, ComplaintsEndlessPathsAndUnclosedMarkupAreRefused)
{
    const std::vector<std::pair<std::string, juce::String>> refused{
        {"empty", ""},
        {"blanks", " \r\n "},
        {"no element", "text"},
        {"document type", "<!DOCTYPE r [<!ENTITY e \"<a>&e;</a>\">]><r>&e;</r>"},
        {"unknown entity", "<r>&e;</r>"},
        {"unknown entity in a value", "<r a=\"&e;\"/>"},
        {"bare ampersand", "<r>a & b</r>"},
        {"bad hex digit", "<r>&#xZ;</r>"},
        {"nine hex digits", "<r>&#x123456789;</r>"},
        {"thirteen decimal digits", "<r>&#1234567890123;</r>"},
        {"reference without digits", "<r>&#a;</r>"},
        {"hex reference at the end of the text", "<r>&#x4142"},
        {"unclosed comment", "<r><!-- x</r>"},
        {"unclosed instruction", "<r><? x</r>"},
        {"unclosed CDATA", "<r><![CDATA[ x</r>"},
        {"unclosed value", "<r a=\"x/>"},
        {"end inside a start tag", "<r a=\"1\""},
        {"end inside content", "<r>text"},
        {"end tag without its '>'", "<r><a><b></"},
        {"instruction followed by text", "<r><?p?>text</r>"},
        {"attribute without value", "<r a/>"},
        {"quote in a tag", "<r \"x\"/>"},
        {"tag without name", "<r><></r>"},
        {"other declaration", "<r><!ELEMENT r></r>"},
        {"document type after a comment", "<!-- x --><!DOCTYPE r><r/>"},
        // Characters that XML does not allow, which other readers refuse in what the editor saves.
        {"raw control character", "<r a=\"\x01\"/>"},
        {"raw escape after the root", "<r/>\x1b"},
        {"control character as a reference", "<r a=\"&#1;\"/>"},
        {"escape as a reference in text", "<r>&#x1B;</r>"},
        {"surrogate as a reference", "<r a=\"&#xD800;\"/>"},
        {"U+FFFE as a reference", "<r a=\"&#65534;\"/>"},
        {"reference beyond Unicode", "<r a=\"&#x110000;\"/>"},
        {"reference beyond 31 bits", "<r a=\"a&#x80000000;b\"/>"},
        // References whose value the parser would cut or take from characters that are not digits.
        {"reference beyond 32 bits", "<r>&#4294967361;</r>"},
        {"letter among decimal digits", "<r>&#1a;</r>"},
        {"blank before the ';'", "<r>&#65 ;</r>"},
        {"sign among digits", "<r>&#6-;</r>"},
        {"hexadecimal reference without digits", "<r>&#x;</r>"},
        {"reference to character 0", "<r a=\"&#0;\"/>"},
        {"hexadecimal reference to character 0", "<r>&#x0;</r>"},
    };

    for (const auto& [label, text] : refused)
    {
        SCOPED_TRACE(label);
        EXPECT_FALSE(XmlTextGuard::isSafeToParse(text));
    }
}

TEST(XmlTextGuardTest, CountLengthSizeAndEncodingLimits)
{
    const auto withAttributes = [](int count)
    {
        juce::String text("<r");
        for (int i = 0; i < count; ++i)
            text << " a" << i << "=\"\"";
        return text + "/>";
    };

    EXPECT_TRUE(XmlTextGuard::isSafeToParse(withAttributes(XmlTextGuard::maxAttributes)));
    EXPECT_FALSE(XmlTextGuard::isSafeToParse(withAttributes(XmlTextGuard::maxAttributes + 1)));

    // Siblings open no level, but elements and attributes count over the whole document, the root's
    // included.
    const auto children = [](const juce::String& root, const juce::String& child, int count)
    { return "<" + root + ">" + juce::String::repeatedString(child, count) + "</r>"; };
    EXPECT_TRUE(XmlTextGuard::isSafeToParse(children("r", "<a/>", XmlTextGuard::maxElements - 1)));
    EXPECT_FALSE(XmlTextGuard::isSafeToParse(children("r", "<a/>", XmlTextGuard::maxElements)));

    const auto full = withAttributes(XmlTextGuard::maxAttributes);
    const auto fullChildren = XmlTextGuard::maxDocumentAttributes / XmlTextGuard::maxAttributes;
    EXPECT_TRUE(XmlTextGuard::isSafeToParse(children("r", full, fullChildren)));
    EXPECT_FALSE(XmlTextGuard::isSafeToParse(children("r b=''", full, fullChildren)));

    // A value's length counts its references as written.
    const auto withValue = [](int bytes)
    {
        return "<r a='" + juce::String::repeatedString("&lt;", bytes / 4) +
               juce::String::repeatedString("x", bytes % 4) + "'/>";
    };
    EXPECT_TRUE(XmlTextGuard::isSafeToParse(withValue(XmlTextGuard::maxValueBytes)));
    EXPECT_FALSE(XmlTextGuard::isSafeToParse(withValue(XmlTextGuard::maxValueBytes + 1)));

    const auto ofSize = [](int bytes)
    { return "<r>" + juce::String::repeatedString(" ", bytes - 7) + "</r>"; };
    EXPECT_TRUE(XmlTextGuard::isSafeToParse(ofSize(XmlTextGuard::maxBytes)));
    EXPECT_FALSE(XmlTextGuard::isSafeToParse(ofSize(XmlTextGuard::maxBytes + 1)));

    // A character beyond Unicode's range: the parser would step over bytes by their lead byte alone.
    const char beyond[] = "<r>\xf7\xbf\xbf\xbf</r>";
    const juce::String invalid(juce::CharPointer_UTF8(beyond),
                               juce::CharPointer_UTF8(beyond + sizeof(beyond) - 1));
    EXPECT_FALSE(XmlTextGuard::isSafeToParse(invalid));
}
