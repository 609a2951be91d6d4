// Pins the case-blind reading of element and attribute names, and that values parse exactly as
// juce::XmlElement's own getters parse them.
#include "model/RecordXml.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{
std::unique_ptr<juce::XmlElement> element(const juce::String& text)
{
    auto parsed = juce::XmlDocument::parse(text);
    EXPECT_NE(parsed, nullptr) << text;
    return parsed != nullptr ? std::move(parsed) : std::make_unique<juce::XmlElement>("unreadable");
}
} // namespace

TEST(RecordXmlTest, NamesMatchWithoutRegardToAsciiCase)
{
    for (const auto* tag : {"Analog", "analog", "ANALOG", "aNaLoG"})
        EXPECT_TRUE(RecordXml::hasTagName(*element(juce::String("<") + tag + "/>"), "Analog")) << tag;

    for (const auto* tag : {"Analogue", "Analo", "Digital", "LED"})
        EXPECT_FALSE(RecordXml::hasTagName(*element(juce::String("<") + tag + "/>"), "Analog")) << tag;

    const auto e = element("<a ID=\"3\" Name=\"n\" ENABLED=\"1\" Channel=\"5\" id=\"9\"/>");
    EXPECT_EQ(RecordXml::getIntAttribute(*e, "id"), 3);
    EXPECT_EQ(RecordXml::getIntAttribute(*e, "channel"), 5);
    EXPECT_EQ(RecordXml::getStringAttribute(*e, "name"), "n");
    EXPECT_TRUE(RecordXml::getBoolAttribute(*e, "enabled"));

    // Only ASCII letters fold: a dotted capital I is not an "i".
    juce::XmlElement dotted("a");
    dotted.setAttribute(juce::String(juce::CharPointer_UTF8("\xc4\xb0"
                                                            "D")),
                        4);
    EXPECT_EQ(RecordXml::getIntAttribute(dotted, "id"), -1);
    EXPECT_FALSE(RecordXml::hasTagName(*element("<Analogs/>"), "Analog"));
}

TEST(RecordXmlTest, ValuesParseLikeJuceGettersAndDefaultWhenAbsent)
{
    const std::vector<juce::String> values{
        " 12abc", "abc",  "-3",   "+5",          "",
        "12 34",  "\t7",  "0x10", "99999999999", "-2147483648",
        "1",      "true", "yes",  "0",           "no",
        " t",     "Y",    "2",    "on",          juce::CharPointer_UTF8("\xc2\xa0y"),
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
    const std::unique_ptr<juce::XmlElement> text(juce::XmlElement::createTextElement("12"));
    EXPECT_EQ(RecordXml::getIntAttribute(*text, "id"), -1);
}

TEST(RecordXmlTest, ModeTextIsExact)
{
    EXPECT_EQ(RecordXml::modeText(0), "cc");
    EXPECT_EQ(RecordXml::modeText(1), "note");
    EXPECT_EQ(RecordXml::modeText(5), "note");
    EXPECT_EQ(RecordXml::modeText(-1), "note");

    int mode = 7;
    EXPECT_TRUE(RecordXml::readMode(*element("<a mode=\"note\"/>"), mode));
    EXPECT_EQ(mode, 1);
    EXPECT_TRUE(RecordXml::readMode(*element("<a MODE=\"cc\"/>"), mode));
    EXPECT_EQ(mode, 0);

    mode = 7;
    for (const auto* text :
         {"<a mode=\"CC\"/>", "<a mode=\"Note\"/>", "<a mode=\" cc\"/>", "<a mode=\"\"/>", "<a/>"})
    {
        EXPECT_FALSE(RecordXml::readMode(*element(text), mode)) << text;
        EXPECT_EQ(mode, 7);
    }

    EXPECT_TRUE(RecordXml::isChannel(1));
    EXPECT_TRUE(RecordXml::isChannel(16));
    EXPECT_FALSE(RecordXml::isChannel(0));
    EXPECT_FALSE(RecordXml::isChannel(17));
    EXPECT_TRUE(RecordXml::isDataByte(0));
    EXPECT_TRUE(RecordXml::isDataByte(127));
    EXPECT_FALSE(RecordXml::isDataByte(-1));
    EXPECT_FALSE(RecordXml::isDataByte(128));
}
