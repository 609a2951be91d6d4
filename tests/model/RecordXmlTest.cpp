// Pins the case-blind reading of element and attribute names, and that values parse exactly as
// juce::XmlElement's own getters parse them, but for integers beyond int's range.
#include "model/RecordXml.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>
#include <vector>

TEST(RecordXmlTest, NamesMatchWithoutRegardToAsciiCase)
{
    for (const auto* tag : {"Analog", "analog", "ANALOG", "aNaLoG"})
        EXPECT_TRUE(RecordXml::hasTagName(juce::XmlElement(tag), "Analog")) << tag;

    for (const auto* tag : {"Analogue", "Analo", "LED"})
        EXPECT_FALSE(RecordXml::hasTagName(juce::XmlElement(tag), "Analog")) << tag;

    // The first match in document order wins; only ASCII letters fold (a dotted capital I is no "i").
    const auto e = juce::XmlDocument::parse("<a ID=\"3\" Name=\"n\" ENABLED=\"1\" id=\"9\"/>");
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(RecordXml::getIntAttribute(*e, "id"), 3);
    EXPECT_EQ(RecordXml::getStringAttribute(*e, "name"), "n");
    EXPECT_TRUE(RecordXml::getBoolAttribute(*e, "enabled"));

    juce::XmlElement dotted("a");
    dotted.setAttribute(juce::String(juce::CharPointer_UTF8("\xc4\xb0"
                                                            "D")),
                        4);
    EXPECT_EQ(RecordXml::getIntAttribute(dotted, "id"), -1);
}

TEST(RecordXmlTest, ValuesParseLikeJuceGettersAndDefaultWhenAbsent)
{
    const std::vector<juce::String> values{
        " 12abc", "abc",  "-3",   "+5",         "",
        "12 34",  "\t7",  "0x10", "2147483647", "-2147483648",
        "1",      "true", "yes",  "0",          "no",
        " t",     "Y",    "2",    "on",         juce::CharPointer_UTF8("\xc2\xa0y"),
    };

    for (const auto& value : values)
    {
        SCOPED_TRACE(value);
        juce::XmlElement e("e");
        e.setAttribute("value", value);
        EXPECT_EQ(RecordXml::getIntAttribute(e, "VALUE"), e.getIntAttribute("value", -1));
        EXPECT_EQ(RecordXml::getBoolAttribute(e, "VALUE"), e.getBoolAttribute("value", false));
        EXPECT_EQ(RecordXml::getStringAttribute(e, "VALUE"), value);
    }

    // Where JUCE's getter wraps, the number holds at int's limits, out of every range the file uses.
    const std::vector<std::pair<const char*, int>> beyond{
        {"2147483648", std::numeric_limits<int>::max()},
        {" +99999999999x", std::numeric_limits<int>::max()},
        {"99999999999999999999999", std::numeric_limits<int>::max()},
        {"-2147483649", std::numeric_limits<int>::min()},
        {"-4294967295", std::numeric_limits<int>::min()},
    };

    for (const auto& [value, expected] : beyond)
    {
        juce::XmlElement e("e");
        e.setAttribute("value", value);
        EXPECT_EQ(RecordXml::getIntAttribute(e, "value"), expected) << value;
    }

    juce::XmlElement empty("e");
    EXPECT_EQ(RecordXml::getIntAttribute(empty, "id"), -1);
    EXPECT_FALSE(RecordXml::getBoolAttribute(empty, "enabled"));
    EXPECT_EQ(RecordXml::getStringAttribute(empty, "name"), "");
}
