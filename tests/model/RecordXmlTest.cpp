// Pins the case-blind reading of element and attribute names, and that values parse exactly as
// juce::XmlElement's own getters parse them within int's range.
#include "model/RecordXml.h"

#include <gtest/gtest.h>

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

    juce::XmlElement empty("e");
    EXPECT_EQ(RecordXml::getIntAttribute(empty, "id"), -1);
    EXPECT_FALSE(RecordXml::getBoolAttribute(empty, "enabled"));
    EXPECT_EQ(RecordXml::getStringAttribute(empty, "name"), "");
}
