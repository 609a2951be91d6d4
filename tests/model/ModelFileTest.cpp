// Pins the configuration document byte for byte, its round trips, every reading rule and rejection,
// and that a load is all or nothing and notifies nobody.
#include "model/Model.h"
#include "model/XmlTextGuard.h"
#include "support/LoggingListener.h"
#include "support/ModelEventLog.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace
{
using Edit = std::function<void(juce::XmlElement&)>;

// What a new model writes, parsed, so that a test can change it with JUCE's own element calls.
std::unique_ptr<juce::XmlElement> newDocument()
{
    return juce::XmlDocument::parse(Model(nullptr).createXml());
}

juce::String edited(const Edit& edit)
{
    auto root = newDocument();
    edit(*root);
    return root->toString();
}

juce::XmlElement& record(juce::XmlElement& root, const juce::String& kind, int id)
{
    for (auto* child : root.getChildIterator())
        if (child->getTagName() == kind && child->getIntAttribute("id") == id)
            return *child;

    ADD_FAILURE() << "no " << kind << " " << id;
    return root;
}

// Every record's fields take values away from the initial ones, and names are given, so that a
// load that changed anything at all shows in the written text.
void makeDistinct(juce::XmlElement& root)
{
    for (auto* child : root.getChildIterator())
    {
        const auto id = child->getIntAttribute("id");
        child->setAttribute("name", child->getTagName() + " " + juce::String(id));
        child->setAttribute("mode", id % 2 == 0 ? "note" : "cc");
        child->setAttribute("channel", 1 + (id + 3) % 16);
        child->setAttribute("number", 100 - id);
    }
}

std::string kindText(const juce::String& tag, int id)
{
    // Attribute lines wrap once they pass 60 characters; a two-digit id moves the wrap one attribute
    // earlier.
    const auto i = std::to_string(id);
    const bool wide = id >= 10;

    if (tag == "Analog")
        return wide ? "  <Analog id=\"" + i +
                          "\" name=\"\" enabled=\"1\" mode=\"cc\" channel=\"1\" number=\"1\"\r\n"
                          "          min=\"0\" max=\"127\" invert=\"0\"/>\r\n"
                    : "  <Analog id=\"" + i +
                          "\" name=\"\" enabled=\"1\" mode=\"cc\" channel=\"1\" number=\"1\" min=\"0\"\r\n"
                          "          max=\"127\" invert=\"0\"/>\r\n";

    if (tag == "Digital")
        return wide ? "  <Digital id=\"" + i +
                          "\" name=\"\" enabled=\"1\" mode=\"cc\" channel=\"1\" number=\"1\"\r\n"
                          "           on=\"0\" off=\"127\" toggle=\"0\"/>\r\n"
                    : "  <Digital id=\"" + i +
                          "\" name=\"\" enabled=\"1\" mode=\"cc\" channel=\"1\" number=\"1\" on=\"0\"\r\n"
                          "           off=\"127\" toggle=\"0\"/>\r\n";

    return "  <LED id=\"" + i +
           "\" name=\"\" enabled=\"1\" mode=\"cc\" channel=\"1\" ableton=\"0\"\r\n"
           "       number=\"1\"/>\r\n";
}
} // namespace

TEST(ModelFileTest, NewModelWritesTheExactDocument)
{
    std::string expected = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n<VEXLO version=\"1\">\r\n";

    for (int i = 0; i < Model::numAnalogs; ++i)
        expected += kindText("Analog", i);

    for (int i = 0; i < Model::numDigitals; ++i)
        expected += kindText("Digital", i);

    for (int i = 0; i < Model::numLEDs; ++i)
        expected += kindText("LED", i);

    expected += "</VEXLO>\r\n";

    EXPECT_EQ(Model(nullptr).createXml().toStdString(), expected);
}

TEST(ModelFileTest, EditedRecordsWriteTheirValues)
{
    Model model(nullptr);
    auto* analog = model.getAnalog(2);
    analog->setEnabled(false);
    analog->setMode(1);
    analog->setChannel(16);
    analog->setNumber(127);
    analog->setMin(100);
    analog->setMax(20);
    analog->setInverted(true);

    auto* digital = model.getDigital(23);
    digital->setMode(7);
    digital->setOn(127);
    digital->setOff(0);
    digital->setToggle(true);

    auto* led = model.getLED(4);
    led->setChannel(12);
    led->setAbleton(true);
    led->setNumber(64);

    const auto text = model.createXml().toStdString();

    EXPECT_NE(
        text.find("  <Analog id=\"2\" name=\"\" enabled=\"0\" mode=\"note\" channel=\"16\" number=\"127\"\r\n"
                  "          min=\"100\" max=\"20\" invert=\"1\"/>\r\n"),
        std::string::npos);
    // Any mode other than 0 is written as notes.
    EXPECT_NE(
        text.find("  <Digital id=\"23\" name=\"\" enabled=\"1\" mode=\"note\" channel=\"1\" number=\"1\"\r\n"
                  "           on=\"127\" off=\"0\" toggle=\"1\"/>\r\n"),
        std::string::npos);
    EXPECT_NE(text.find("  <LED id=\"4\" name=\"\" enabled=\"1\" mode=\"cc\" channel=\"12\" ableton=\"1\"\r\n"
                        "       number=\"64\"/>\r\n"),
              std::string::npos);
}

TEST(ModelFileTest, DocumentsRoundTripWithEveryValueAndAwkwardNames)
{
    // A new model, and one with every field changed, come back exactly as written.
    Model fresh(nullptr);
    Model copy(nullptr);
    ASSERT_TRUE(copy.loadFromFile(fresh.createXml()));
    EXPECT_EQ(copy.createXml(), fresh.createXml());

    const juce::String ampersandQuotes("Bass & \"Drums\" <1> 'x'");
    const auto nonAscii = juce::String(juce::CharPointer_UTF8("Gr\xc3\xbc\xc3\x9f"
                                                              "e \xe2\x9c\x93 \xf0\x9f\x8e\xb9"));
    const juce::String controls("tab\there\r\nline");

    const auto text = edited(
        [&](juce::XmlElement& root)
        {
            makeDistinct(root);
            record(root, "Analog", 0).setAttribute("name", ampersandQuotes);
            record(root, "Digital", 5).setAttribute("name", nonAscii);
            record(root, "LED", 23).setAttribute("name", controls);
            record(root, "Analog", 9).setAttribute("invert", 1);
            record(root, "Analog", 9).setAttribute("enabled", 0);
            record(root, "Analog", 9).setAttribute("min", 127);
            record(root, "Analog", 9).setAttribute("max", 0);
            record(root, "Digital", 0).setAttribute("toggle", 1);
            record(root, "Digital", 0).setAttribute("on", 127);
            record(root, "Digital", 0).setAttribute("off", 0);
            record(root, "LED", 0).setAttribute("ableton", 1);
        });

    Model loaded(nullptr);
    ASSERT_TRUE(loaded.loadFromFile(text));
    EXPECT_FALSE(loaded.getAnalog(9)->isEnabled());
    EXPECT_TRUE(loaded.getAnalog(9)->isInverted());
    EXPECT_EQ(loaded.getAnalog(9)->getMin(), 127);
    EXPECT_EQ(loaded.getAnalog(9)->getMax(), 0);
    EXPECT_TRUE(loaded.getDigital(0)->isToggle());
    EXPECT_EQ(loaded.getDigital(0)->getOn(), 127);
    EXPECT_EQ(loaded.getDigital(0)->getOff(), 0);
    EXPECT_TRUE(loaded.getLED(0)->isAbleton());
    EXPECT_EQ(loaded.getLED(0)->getMode(), 1);
    EXPECT_EQ(loaded.getLED(1)->getMode(), 0);
    EXPECT_EQ(loaded.getLED(1)->getChannel(), 5);
    EXPECT_EQ(loaded.getLED(1)->getNumber(), 99);

    const auto written = loaded.createXml();
    EXPECT_TRUE(written.contains("name=\"Bass &amp; &quot;Drums&quot; &lt;1&gt; 'x'\""));
    EXPECT_TRUE(written.contains("name=\"Gr&#252;&#223;e &#10003; &#127929;\""));
    EXPECT_TRUE(written.contains("name=\"tab&#9;here&#13;&#10;line\""));

    Model again(nullptr);
    ASSERT_TRUE(again.loadFromFile(written));
    EXPECT_EQ(again.createXml(), written);

    // A name typed into the file as raw UTF-8 is read the same as its escaped form.
    auto raw = written.replace("Gr&#252;&#223;e &#10003; &#127929;", nonAscii);
    ASSERT_NE(raw, written);
    Model fromRaw(nullptr);
    ASSERT_TRUE(fromRaw.loadFromFile(raw));
    EXPECT_EQ(fromRaw.createXml(), written);
}

TEST(ModelFileTest, ReadingIgnoresLayoutOrderCaseAndUnknownParts)
{
    const auto distinct = edited(makeDistinct);
    Model reference(nullptr);
    ASSERT_TRUE(reference.loadFromFile(distinct));
    const auto expected = reference.createXml();

    const std::vector<std::pair<std::string, Edit>> variants{
        {"root of another name without version",
         [](juce::XmlElement& root)
         {
             makeDistinct(root);
             root.setTagName("Something");
             root.removeAttribute("version");
         }},
        {"LEDs first, ids descending",
         [](juce::XmlElement& root)
         {
             makeDistinct(root);
             std::vector<juce::XmlElement*> children;
             for (auto* child : root.getChildIterator())
                 children.push_back(child);
             for (auto* child : children)
                 root.removeChildElement(child, false);
             for (auto* child : children)
                 root.insertChildElement(child, 0);
         }},
        {"names in any letter case",
         [](juce::XmlElement& root)
         {
             makeDistinct(root);
             for (auto* child : root.getChildIterator())
             {
                 juce::StringPairArray attributes;
                 for (int i = 0; i < child->getNumAttributes(); ++i)
                     attributes.set(child->getAttributeName(i).toUpperCase(), child->getAttributeValue(i));
                 child->removeAllAttributes();
                 for (const auto& key : attributes.getAllKeys())
                     child->setAttribute(key == "ID" ? "iD" : key, attributes[key]);
                 child->setTagName(child->getTagName().toLowerCase());
             }
         }},
        {"unknown attributes, child elements, comments and instructions",
         [](juce::XmlElement& root)
         {
             makeDistinct(root);
             for (auto* child : root.getChildIterator())
             {
                 child->setAttribute("colour", "red");
                 child->createNewChildElement("Extra")->setAttribute("id", 99);
             }
         }},
    };

    for (const auto& [label, edit] : variants)
    {
        SCOPED_TRACE(label);
        Model model(nullptr);
        EXPECT_TRUE(model.loadFromFile(edited(edit)));
        EXPECT_EQ(model.createXml(), expected);
    }

    // One line, comments and processing instructions between the elements, single quotes.
    auto oneLine = newDocument();
    makeDistinct(*oneLine);
    auto text = oneLine->toString(juce::XmlElement::TextFormat().singleLine());
    text = text.replace("/><", "/><!-- note --><?tool x?>\n\t<").replace("\"", "'");
    Model model(nullptr);
    EXPECT_TRUE(model.loadFromFile(text));
    EXPECT_EQ(model.createXml(), expected);
}

TEST(ModelFileTest, AttributeValuesParseLikeJuceGetters)
{
    const auto load = [](const Edit& edit, Model& model) { return model.loadFromFile(edited(edit)); };

    // Missing flags read as false, although a new record starts enabled; a missing name is empty.
    Model missing(nullptr);
    ASSERT_TRUE(load(
        [](juce::XmlElement& root)
        {
            for (auto* child : root.getChildIterator())
                for (const auto* flag : {"enabled", "invert", "toggle", "ableton", "name"})
                    child->removeAttribute(flag);
        },
        missing));
    EXPECT_FALSE(missing.getAnalog(0)->isEnabled());
    EXPECT_FALSE(missing.getAnalog(0)->isInverted());
    EXPECT_FALSE(missing.getDigital(0)->isEnabled());
    EXPECT_FALSE(missing.getLED(23)->isEnabled());
    EXPECT_TRUE(missing.createXml().contains("<Analog id=\"0\" name=\"\" enabled=\"0\""));

    // Integers: the number at the start, after blanks and a sign; no number reads as 0.
    Model numbers(nullptr);
    ASSERT_TRUE(load(
        [](juce::XmlElement& root)
        {
            record(root, "Analog", 0).setAttribute("number", "abc");
            record(root, "Analog", 0).setAttribute("min", " 12abc");
            record(root, "Analog", 0).setAttribute("max", "+5");
            record(root, "Analog", 1).setAttribute("channel", "16 34");
            record(root, "Analog", 1).setAttribute("min", "100");
            record(root, "Analog", 1).setAttribute("max", "20");
            record(root, "Digital", 0).setAttribute("on", "\t7");
            record(root, "LED", 0).setAttribute("number", "00127");
        },
        numbers));
    EXPECT_EQ(numbers.getAnalog(0)->getNumber(), 0);
    EXPECT_EQ(numbers.getAnalog(0)->getMin(), 12);
    EXPECT_EQ(numbers.getAnalog(0)->getMax(), 5);
    EXPECT_EQ(numbers.getAnalog(1)->getChannel(), 16);
    EXPECT_EQ(numbers.getAnalog(1)->getMin(), 100);
    EXPECT_EQ(numbers.getAnalog(1)->getMax(), 20);
    EXPECT_EQ(numbers.getDigital(0)->getOn(), 7);
    EXPECT_EQ(numbers.getLED(0)->getNumber(), 127);

    // Flags: true when the first non-blank character is one of 1 t T y Y.
    const std::vector<std::pair<const char*, bool>> flags{
        {"1", true},      {"true", true}, {"yes", true}, {" t", true}, {"Y", true},
        {"TRUE", true},   {"0", false},   {"no", false}, {"", false},  {"2", false},
        {"false", false}, {"on", false},  {"-1", false},
    };

    for (const auto& [value, expected] : flags)
    {
        SCOPED_TRACE(value);
        Model model(nullptr);
        ASSERT_TRUE(load(
            [value = value](juce::XmlElement& root)
            {
                record(root, "Analog", 3).setAttribute("enabled", value);
                record(root, "Analog", 3).setAttribute("invert", value);
                record(root, "Digital", 3).setAttribute("toggle", value);
                record(root, "LED", 3).setAttribute("ableton", value);
            },
            model));
        EXPECT_EQ(model.getAnalog(3)->isEnabled(), expected);
        EXPECT_EQ(model.getAnalog(3)->isInverted(), expected);
        EXPECT_EQ(model.getDigital(3)->isToggle(), expected);
        EXPECT_EQ(model.getLED(3)->isAbleton(), expected);
    }
}

TEST(ModelFileTest, EveryRejectionLeavesTheModelUntouchedAndSilent)
{
    const auto set = [](const char* kind, int id, const char* attribute, const juce::String& value) -> Edit
    { return [=](juce::XmlElement& root) { record(root, kind, id).setAttribute(attribute, value); }; };
    const auto remove = [](const char* kind, int id, const char* attribute) -> Edit
    { return [=](juce::XmlElement& root) { record(root, kind, id).removeAttribute(attribute); }; };
    const auto add = [](const char* tag, const juce::String& id) -> Edit
    { return [=](juce::XmlElement& root) { root.createNewChildElement(tag)->setAttribute("id", id); }; };
    const auto drop = [](const char* kind, int id) -> Edit
    { return [=](juce::XmlElement& root) { root.removeChildElement(&record(root, kind, id), true); }; };

    const std::vector<std::pair<std::string, juce::String>> texts{
        {"empty text", ""},
        {"blank text", " \r\n\t"},
        {"plain words", "VEXLO configuration"},
        {"unclosed root", "<VEXLO version=\"1\">"},
        {"truncated record", Model(nullptr).createXml().substring(0, 600)},
        {"root without records", "<VEXLO version=\"1\"/>"},
    };

    const std::vector<std::pair<std::string, Edit>> edits{
        {"child without id", remove("Analog", 4, "id")},
        {"negative id", set("LED", 4, "id", "-1")},
        {"other element name", add("Knob", "0")},
        {"analog id 35", add("Analog", "35")},
        {"digital id 24", add("Digital", "24")},
        {"LED id 24", add("LED", "24")},
        {"second analog 0", add("Analog", "0")},
        {"second digital 3", set("Digital", 4, "id", "3")},
        {"id with letters only, so 0 twice", set("LED", 9, "id", "x")},
        {"analog missing", drop("Analog", 17)},
        {"last LED missing", drop("LED", 23)},
        {"mode in capitals", set("Analog", 0, "mode", "CC")},
        {"mode Note", set("Digital", 2, "mode", "Note")},
        {"mode empty", set("LED", 2, "mode", "")},
        {"mode missing", remove("Analog", 34, "mode")},
        {"mode number", set("Digital", 23, "mode", "0")},
        {"analog channel 0", set("Analog", 5, "channel", "0")},
        {"analog channel 17", set("Analog", 5, "channel", "17")},
        {"channel of letters", set("Analog", 5, "channel", "abc")},
        {"channel missing", remove("Digital", 7, "channel")},
        {"analog number 128", set("Analog", 6, "number", "128")},
        {"analog number -1", set("Analog", 6, "number", "-1")},
        {"analog min missing", remove("Analog", 6, "min")},
        {"analog max 128", set("Analog", 6, "max", "128")},
        {"digital number missing", remove("Digital", 8, "number")},
        {"digital on 128", set("Digital", 8, "on", "128")},
        {"digital off -1", set("Digital", 8, "off", "-1")},
        {"LED channel 17", set("LED", 0, "channel", "17")},
        {"LED number 128", set("LED", 23, "number", "128")},
        {"LED number missing", remove("LED", 23, "number")},
        {"text in the root", [](juce::XmlElement& root) { root.addTextElement("stray"); }},
        {"an 84th element of another name", add("Slider", "3")},
    };

    std::vector<std::pair<std::string, juce::String>> cases = texts;
    for (const auto& [label, edit] : edits)
        cases.emplace_back(label, edited(edit));

    for (const auto& [label, text] : cases)
    {
        SCOPED_TRACE(label);
        ModelEventLog log;
        Model model(&log);
        ASSERT_TRUE(model.loadFromFile(edited(makeDistinct)));
        LoggingListener listener(log, "listener");
        model.getAnalog(0)->setListener(&listener);
        model.getLED(0)->setListener(&listener);
        const auto before = model.createXml();

        EXPECT_FALSE(model.loadFromFile(text));
        EXPECT_EQ(model.createXml(), before);
        EXPECT_TRUE(log.events.empty());
    }
}

TEST(ModelFileTest, FailureAtTheFirstLEDChangesNothingAtAll)
{
    ModelEventLog log;
    Model model(&log);
    LoggingListener analogListener(log, "analog listener");
    LoggingListener ledListener(log, "LED listener");
    model.getAnalog(0)->setListener(&analogListener);
    model.getLED(0)->setListener(&ledListener);
    model.getAnalog(0)->setChannel(3);
    model.getDigital(0)->setNumber(40);
    model.getLED(1)->setAbleton(true);
    log.events.clear();
    const auto before = model.createXml();

    // Every analog and button 0 would be read before LED 0 fails on its channel.
    const auto text = edited(
        [](juce::XmlElement& root)
        {
            makeDistinct(root);
            record(root, "LED", 0).setAttribute("channel", 17);
        });

    EXPECT_FALSE(model.loadFromFile(text));
    EXPECT_EQ(model.createXml(), before);
    EXPECT_EQ(model.getAnalog(0)->getChannel(), 3);
    EXPECT_EQ(model.getDigital(0)->getNumber(), 40);
    EXPECT_EQ(model.getLED(0)->getChannel(), 1);
    EXPECT_TRUE(log.events.empty());

    // Owner, listeners and indexes are still in place.
    model.getAnalog(0)->setChannel(4);
    model.getLED(0)->setNumber(9);
    EXPECT_EQ(log.events, (std::vector<std::string>{"analog 0", "analog listener", "led 0", "LED listener"}));
}

TEST(ModelFileTest, SuccessfulLoadStoresEverythingAndNotifiesNobody)
{
    ModelEventLog log;
    Model model(&log);
    LoggingListener listener(log, "listener");
    model.getDigital(4)->setListener(&listener);

    const auto text = edited(makeDistinct);
    ASSERT_TRUE(model.loadFromFile(text));
    EXPECT_TRUE(log.events.empty());
    EXPECT_EQ(model.getDigital(4)->getChannel(), 8);
    EXPECT_EQ(model.getDigital(4)->getNumber(), 96);
    EXPECT_EQ(model.getDigital(4)->getMode(), 1);

    Model reference(nullptr);
    ASSERT_TRUE(reference.loadFromFile(text));
    EXPECT_EQ(model.createXml(), reference.createXml());

    // A load in the middle of an update neither ends it nor counts as a change of it.
    model.getDigital(4)->beginUpdate();
    ASSERT_TRUE(model.loadFromFile(newDocument()->toString()));
    model.getDigital(4)->endUpdate();
    EXPECT_TRUE(log.events.empty());

    model.getDigital(4)->setOn(3);
    EXPECT_EQ(log.events, (std::vector<std::string>{"digital 4", "listener"}));
}

TEST(ModelFileTest, RecordReaderStoresBeforeItChecks)
{
    auto root = newDocument();
    auto& element = record(*root, "Analog", 0);
    element.setAttribute("name", "kept");
    element.setAttribute("enabled", 0);
    element.setAttribute("invert", 1);
    element.setAttribute("channel", 9);
    element.setAttribute("mode", "neither");

    Model model(nullptr);
    auto* analog = model.getAnalog(0);
    EXPECT_FALSE(analog->readFromXml(&element));
    EXPECT_FALSE(analog->isEnabled());
    EXPECT_TRUE(analog->isInverted());
    EXPECT_EQ(analog->getChannel(), 1);

    element.setAttribute("mode", "note");
    element.removeAttribute("max");
    EXPECT_FALSE(analog->readFromXml(&element));
    EXPECT_EQ(analog->getMode(), 1);
    EXPECT_EQ(analog->getChannel(), 9);
    EXPECT_EQ(analog->getMax(), -1);
    EXPECT_TRUE(model.createXml().contains("name=\"kept\""));
}

TEST(ModelFileTest, HostileTextIsRefusedWithoutHarm)
{
    const auto written = Model(nullptr).createXml();
    const auto body = written.fromFirstOccurrenceOf("<VEXLO version=\"1\">", false, false)
                          .upToLastOccurrenceOf("</VEXLO>", false, false);

    // Built in a stream: appending to a juce::String copies it each time.
    juce::MemoryOutputStream manyElements;
    manyElements << "<VEXLO>";
    for (int i = 0; i < 100000; ++i)
        manyElements << "<A/>";
    manyElements << "</VEXLO>";

    juce::MemoryOutputStream manyRecords;
    manyRecords << "<VEXLO>";
    for (int i = 0; i < 50000; ++i)
        manyRecords << "<Analog id=\"" << (i % 35) << "\"/>";
    manyRecords << "</VEXLO>";

    const auto deep = juce::String::repeatedString("<a>", 100000);

    // A name that keeps the document just under the size limit loads; one more kilobyte does not.
    const auto withName = [&](int bytes)
    {
        return edited(
            [bytes](juce::XmlElement& root)
            { record(root, "Analog", 0).setAttribute("name", juce::String::repeatedString("n", bytes)); });
    };
    const int limit = XmlTextGuard::maxBytes - (int) written.getNumBytesAsUTF8() - 32;

    juce::MemoryBlock withNul(written.toRawUTF8(), written.getNumBytesAsUTF8());
    withNul[900] = 0;

    const std::vector<std::pair<std::string, juce::String>> refused{
        {"100,000 elements", manyElements.toString()},
        {"50,000 records", manyRecords.toString()},
        {"100,000 levels", deep},
        {"over a megabyte", withName(limit + 1024)},
        {"text cut by a NUL", withNul.toString()},
        {"binary bytes", juce::String::createStringFromData("\xff\xfe\x00\x01\x80<\x00>", 8)},
        {"entity expansion", "<!DOCTYPE v [<!ENTITY a \"<a>&a;</a>\">]><VEXLO>&a;" + body + "</VEXLO>"},
        {"instruction before text", "<VEXLO><?x?>text" + body + "</VEXLO>"},
        {"ampersands without end", "<VEXLO>" + juce::String::repeatedString("&", 500000) + body + "</VEXLO>"},
        {"unclosed instructions in a tag",
         "<VEXLO" + juce::String::repeatedString(" <?a=\"\"", 100000) + ">" + body},
    };

    for (const auto& [label, text] : refused)
    {
        SCOPED_TRACE(label);
        Model model(nullptr);
        EXPECT_FALSE(model.loadFromFile(text));
        EXPECT_EQ(model.createXml(), written);
    }

    Model big(nullptr);
    EXPECT_TRUE(big.loadFromFile(withName(limit)));
    EXPECT_TRUE(big.createXml().contains("name=\"nnnnnnnn"));

    // A NUL after a complete document cuts nothing that matters.
    juce::MemoryBlock bytes(written.toRawUTF8(), written.getNumBytesAsUTF8());
    bytes.append("\0<<<", 4);
    Model trailing(nullptr);
    EXPECT_TRUE(trailing.loadFromFile(bytes.toString()));

    // A document cut anywhere before its closing tag fails and changes nothing.
    const auto closing = written.lastIndexOf("</VEXLO>");
    for (int length = 0; length < closing; length += 7)
    {
        Model model(nullptr);
        ASSERT_FALSE(model.loadFromFile(written.substring(0, length))) << length;
        ASSERT_EQ(model.createXml(), written);
    }
}
