// Pins the configuration document byte for byte, its round trips, every reading rule and rejection,
// and that a load is all or nothing and notifies nobody.
#include "model/Model.h"
#include "model/XmlTextGuard.h"
#include "support/HeapInUse.h"
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

// What a new model writes, changed with JUCE's own element calls and written out again.
juce::String edited(const Edit& edit)
{
    auto root = juce::XmlDocument::parse(Model(nullptr).createXml());
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

// Moves every record away from the initial values, so that any change by a load shows in the text.
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

// Attribute lines wrap once they pass 60 characters, so a two-digit id wraps one attribute earlier.
std::string newRecordText(const std::string& tag, int id)
{
    const auto start =
        "  <" + tag + " id=\"" + std::to_string(id) + "\" name=\"\" enabled=\"1\" mode=\"cc\" channel=\"1\"";
    const auto wide = id >= 10;

    if (tag == "Analog")
        return start + (wide ? " number=\"1\"\r\n          min=\"0\" max=\"127\" invert=\"0\"/>\r\n"
                             : " number=\"1\" min=\"0\"\r\n          max=\"127\" invert=\"0\"/>\r\n");

    if (tag == "Digital")
        return start + (wide ? " number=\"1\"\r\n           on=\"0\" off=\"127\" toggle=\"0\"/>\r\n"
                             : " number=\"1\" on=\"0\"\r\n           off=\"127\" toggle=\"0\"/>\r\n");

    return start + " ableton=\"0\"\r\n       number=\"1\"/>\r\n";
}
} // namespace

TEST(ModelFileTest, NewModelWritesTheExactDocument)
{
    std::string expected = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n<VEXLO version=\"1\">\r\n";

    for (int i = 0; i < Model::numAnalogs; ++i)
        expected += newRecordText("Analog", i);

    for (int i = 0; i < Model::numDigitals; ++i)
        expected += newRecordText("Digital", i);

    for (int i = 0; i < Model::numLEDs; ++i)
        expected += newRecordText("LED", i);

    EXPECT_EQ(Model(nullptr).createXml().toStdString(), expected + "</VEXLO>\r\n");
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
    analog->setInverted(true);
    model.getDigital(23)->setMode(7);
    model.getDigital(23)->setOff(0);
    model.getDigital(23)->setToggle(true);
    model.getLED(4)->setAbleton(true);
    model.getLED(4)->setNumber(64);

    // Any mode other than 0 is written as notes.
    const auto text = model.createXml();
    EXPECT_TRUE(text.contains(
        "  <Analog id=\"2\" name=\"\" enabled=\"0\" mode=\"note\" channel=\"16\" number=\"127\"\r\n"
        "          min=\"100\" max=\"127\" invert=\"1\"/>\r\n"));
    EXPECT_TRUE(text.contains(
        "  <Digital id=\"23\" name=\"\" enabled=\"1\" mode=\"note\" channel=\"1\" number=\"1\"\r\n"
        "           on=\"0\" off=\"0\" toggle=\"1\"/>\r\n"));
    EXPECT_TRUE(
        text.contains("  <LED id=\"4\" name=\"\" enabled=\"1\" mode=\"cc\" channel=\"1\" ableton=\"1\"\r\n"
                      "       number=\"64\"/>\r\n"));
}

TEST(ModelFileTest, DocumentsRoundTripWithAwkwardNames)
{
    Model fresh(nullptr);
    ASSERT_TRUE(fresh.loadFromFile(Model(nullptr).createXml()));
    EXPECT_EQ(fresh.createXml(), Model(nullptr).createXml());

    const auto nonAscii = juce::String(juce::CharPointer_UTF8("Gr\xc3\xbc\xc3\x9f"
                                                              "e \xe2\x9c\x93 \xf0\x9f\x8e\xb9"));
    const auto text = edited(
        [&](juce::XmlElement& root)
        {
            makeDistinct(root);
            record(root, "Analog", 0).setAttribute("name", "Bass & \"Drums\" <1> 'x'");
            record(root, "Digital", 5).setAttribute("name", nonAscii);
            record(root, "LED", 23).setAttribute("name", "tab\there\r\nline");
            record(root, "Digital", 0).setAttribute("toggle", 1);
            record(root, "LED", 0).setAttribute("ableton", 1);
        });

    Model loaded(nullptr);
    ASSERT_TRUE(loaded.loadFromFile(text));
    EXPECT_TRUE(loaded.getDigital(0)->isToggle());
    EXPECT_TRUE(loaded.getLED(0)->isAbleton());
    EXPECT_EQ(loaded.getLED(1)->getChannel(), 5);

    const auto written = loaded.createXml();
    EXPECT_TRUE(written.contains("name=\"Bass &amp; &quot;Drums&quot; &lt;1&gt; 'x'\""));
    EXPECT_TRUE(written.contains("name=\"Gr&#252;&#223;e &#10003; &#127929;\""));
    EXPECT_TRUE(written.contains("name=\"tab&#9;here&#13;&#10;line\""));

    Model again(nullptr);
    ASSERT_TRUE(again.loadFromFile(written));
    EXPECT_EQ(again.createXml(), written);

    // A name written into the file as raw UTF-8 reads the same as its escaped form.
    Model fromRaw(nullptr);
    ASSERT_TRUE(fromRaw.loadFromFile(written.replace("Gr&#252;&#223;e &#10003; &#127929;", nonAscii)));
    EXPECT_EQ(fromRaw.createXml(), written);
}

TEST(ModelFileTest, ReadingIgnoresLayoutOrderCaseAndUnknownElements)
{
    Model reference(nullptr);
    ASSERT_TRUE(reference.loadFromFile(edited(makeDistinct)));
    const auto expected = reference.createXml();

    const std::vector<std::pair<std::string, Edit>> variants{
        {"another root without version",
         [](juce::XmlElement& root)
         {
             root.setTagName("Something");
             root.removeAttribute("version");
         }},
        {"LEDs first, ids descending",
         [](juce::XmlElement& root)
         {
             std::vector<juce::XmlElement*> children;
             for (auto* child : root.getChildIterator())
                 children.push_back(child);
             for (auto* child : children)
             {
                 root.removeChildElement(child, false);
                 root.insertChildElement(child, 0);
             }
         }},
        {"names in other letter cases, unknown attributes and children",
         [](juce::XmlElement& root)
         {
             for (auto* child : root.getChildIterator())
             {
                 juce::StringPairArray attributes;
                 for (int i = 0; i < child->getNumAttributes(); ++i)
                     attributes.set(child->getAttributeName(i), child->getAttributeValue(i));
                 child->removeAllAttributes();
                 for (const auto& key : attributes.getAllKeys())
                     child->setAttribute(key == "id" ? "iD" : key.toUpperCase(), attributes[key]);
                 child->setTagName(child->getTagName().toLowerCase());
                 child->setAttribute("colour", "red");
                 child->createNewChildElement("Extra")->setAttribute("id", 99);
             }
         }},
    };

    for (const auto& [label, edit] : variants)
    {
        SCOPED_TRACE(label);
        Model model(nullptr);
        EXPECT_TRUE(model.loadFromFile(edited(
            [&](juce::XmlElement& root)
            {
                makeDistinct(root);
                edit(root);
            })));
        EXPECT_EQ(model.createXml(), expected);
    }

    // One line, single quotes, comments and processing instructions between the elements.
    auto root = juce::XmlDocument::parse(expected);
    auto text = root->toString(juce::XmlElement::TextFormat().singleLine());
    text = text.replace("/><", "/><!-- note --><?tool x?>\n\t<").replace("\"", "'");
    Model model(nullptr);
    EXPECT_TRUE(model.loadFromFile(text));
    EXPECT_EQ(model.createXml(), expected);
}

TEST(ModelFileTest, ALoadLeavesNoneOfItsFilesNamesPooled)
{
    // JUCE pools parsed names for the whole process; after a load the heap holds not even a tenth of
    // a file's own names' text. Writing the text pooled them too, so they go first.
    int names = 0;
    const auto named = edited(
        [&](juce::XmlElement& root)
        {
            for (auto* child : root.getChildIterator())
                for (int i = 0; i < 40; ++i)
                    child->setAttribute("u" + juce::String(names++).paddedRight('x', 200), 1);
        });
    juce::StringPool::getGlobalPool().garbageCollect();
    Model fresh(nullptr);
    const auto before = heapInUse();
    EXPECT_TRUE(fresh.loadFromFile(named));
    EXPECT_LT(heapInUse(), before + (size_t) names * 20);
}

TEST(ModelFileTest, LooseValuesReadTheWayTheGettersReadThem)
{
    Model model(nullptr);
    ASSERT_TRUE(model.loadFromFile(edited(
        [](juce::XmlElement& root)
        {
            for (auto* child : root.getChildIterator())
                for (const auto* attribute : {"enabled", "invert", "toggle", "ableton", "name"})
                    child->removeAttribute(attribute);

            record(root, "Analog", 0).setAttribute("number", "abc");
            record(root, "Analog", 0).setAttribute("min", " 12abc");
            record(root, "Analog", 1).setAttribute("min", "100");
            record(root, "Analog", 1).setAttribute("max", "+20");
            record(root, "LED", 0).setAttribute("ableton", " yes");
        })));

    // A missing flag reads as false, although a new record starts enabled.
    EXPECT_FALSE(model.getAnalog(0)->isEnabled());
    EXPECT_FALSE(model.getAnalog(0)->isInverted());
    EXPECT_FALSE(model.getDigital(0)->isToggle());
    EXPECT_TRUE(model.getLED(0)->isAbleton());
    EXPECT_EQ(model.getAnalog(0)->getNumber(), 0);
    EXPECT_EQ(model.getAnalog(0)->getMin(), 12);
    EXPECT_EQ(model.getAnalog(1)->getMin(), 100);
    EXPECT_EQ(model.getAnalog(1)->getMax(), 20);
}

TEST(ModelFileTest, EveryRejectionLeavesTheModelUntouchedAndSilent)
{
    const auto set = [](const char* kind, int id, const char* attribute, const char* value) -> Edit
    {
        return [=](juce::XmlElement& root)
        {
            if (value == nullptr)
                record(root, kind, id).removeAttribute(attribute);
            else
                record(root, kind, id).setAttribute(attribute, value);
        };
    };
    const auto add = [](const char* tag, int id) -> Edit
    { return [=](juce::XmlElement& root) { root.createNewChildElement(tag)->setAttribute("id", id); }; };
    const auto drop = [](const char* kind, int id) -> Edit
    { return [=](juce::XmlElement& root) { root.removeChildElement(&record(root, kind, id), true); }; };

    std::vector<juce::String> texts{
        "",
        " \r\n\t",
        "VEXLO",
        "<VEXLO version=\"1\">",
        "<VEXLO version=\"1\"/>",
        Model(nullptr).createXml().substring(0, 600),
    };

    for (const auto& edit :
         std::vector<Edit>{
             set("Analog", 4, "id", nullptr),
             set("LED", 4, "id", "-1"),
             add("Knob", 0),
             add("Analog", 35),
             add("Digital", 24),
             add("LED", 24),
             add("Analog", 0),
             set("Digital", 4, "id", "3"),
             set("LED", 9, "id", "x"),
             drop("Analog", 17),
             drop("LED", 23),
             set("Analog", 0, "mode", "CC"),
             set("Digital", 2, "mode", "Note"),
             set("LED", 2, "mode", ""),
             set("Analog", 34, "mode", nullptr),
             set("Digital", 23, "mode", "0"),
             set("Analog", 5, "channel", "0"),
             set("Analog", 5, "channel", "17"),
             set("Analog", 5, "channel", "abc"),
             // Beyond an int, where a wrapping reader would find 1, 127, 0 and 1.
             set("Analog", 5, "channel", "4294967297"),
             set("Analog", 6, "number", "4294967423"),
             set("Digital", 0, "id", "4294967296"),
             set("LED", 3, "number", "-4294967295"),
             set("Digital", 7, "channel", nullptr),
             set("Analog", 6, "number", "128"),
             set("Analog", 6, "number", "-1"),
             set("Analog", 6, "min", nullptr),
             set("Analog", 6, "max", "128"),
             set("Digital", 8, "number", nullptr),
             set("Digital", 8, "on", "128"),
             set("Digital", 8, "off", "-1"),
             set("LED", 0, "channel", "17"),
             set("LED", 23, "number", "128"),
             set("LED", 23, "number", nullptr),
             [](juce::XmlElement& root) { root.addTextElement("stray"); },
         })
        texts.push_back(edited(edit));

    for (size_t i = 0; i < texts.size(); ++i)
    {
        SCOPED_TRACE(i);
        ModelEventLog log;
        Model model(&log);
        ASSERT_TRUE(model.loadFromFile(edited(makeDistinct)));
        LoggingListener listener(log, "listener");
        model.getAnalog(0)->setListener(&listener);
        const auto before = model.createXml();

        EXPECT_FALSE(model.loadFromFile(texts[i]));
        EXPECT_EQ(model.createXml(), before);
        EXPECT_TRUE(log.events.empty());
    }
}

TEST(ModelFileTest, LoadIsAllOrNothingAndNotifiesNobody)
{
    ModelEventLog log;
    Model model(&log);
    LoggingListener analogListener(log, "analog listener");
    LoggingListener ledListener(log, "LED listener");
    model.getAnalog(0)->setListener(&analogListener);
    model.getLED(0)->setListener(&ledListener);
    model.getAnalog(0)->setChannel(3);
    model.getDigital(0)->setNumber(40);
    log.events.clear();
    const auto before = model.createXml();

    // Every analog record and button 0 would be read before LED 0 fails on its channel.
    EXPECT_FALSE(model.loadFromFile(edited(
        [](juce::XmlElement& root)
        {
            makeDistinct(root);
            record(root, "LED", 0).setAttribute("channel", 17);
        })));
    EXPECT_EQ(model.createXml(), before);
    EXPECT_EQ(model.getAnalog(0)->getChannel(), 3);
    EXPECT_EQ(model.getDigital(0)->getNumber(), 40);

    // A load that succeeds stores every record and tells nobody, even in the middle of an update.
    model.getLED(0)->beginUpdate();
    const auto distinct = edited(makeDistinct);
    ASSERT_TRUE(model.loadFromFile(distinct));
    model.getLED(0)->endUpdate();
    EXPECT_EQ(model.getLED(0)->getMode(), 1);
    EXPECT_EQ(model.getLED(0)->getChannel(), 4);
    Model reference(nullptr);
    ASSERT_TRUE(reference.loadFromFile(distinct));
    EXPECT_EQ(model.createXml(), reference.createXml());
    EXPECT_TRUE(log.events.empty());

    // Owner, listeners and indexes are still in place.
    model.getAnalog(0)->setChannel(9);
    model.getLED(0)->setNumber(9);
    EXPECT_EQ(log.events, (std::vector<std::string>{"analog 0", "analog listener", "led 0", "LED listener"}));
}

TEST(ModelFileTest, HostileTextIsRefusedWithoutHarm)
{
    const auto written = Model(nullptr).createXml();
    const auto body =
        written.fromFirstOccurrenceOf("\"1\">", false, false).upToLastOccurrenceOf("</", false, false);

    // Built in streams: appending to a juce::String copies it each time.
    juce::MemoryOutputStream manyElements, manyRecords;
    manyElements << "<VEXLO>" << juce::String::repeatedString("<A/>", 100000) << "</VEXLO>";
    manyRecords << "<VEXLO>";
    for (int i = 0; i < 50000; ++i)
        manyRecords << "<Analog id=\"" << (i % 35) << "\"/>";
    manyRecords << "</VEXLO>";

    // A name as long as a value may be loads, and so does a document of the size limit; one byte
    // more does not.
    const auto withName = [&](int bytes)
    {
        return edited(
            [bytes](juce::XmlElement& root)
            { record(root, "Analog", 0).setAttribute("name", juce::String::repeatedString("n", bytes)); });
    };
    const auto padded = [&](int bytes) {
        return written.replace("</VEXLO>", "<!--" + juce::String::repeatedString(" ", bytes) + "--></VEXLO>");
    };
    const int room = XmlTextGuard::maxBytes - (int) written.getNumBytesAsUTF8() - 7;

    // Quotation marks inside single quotes take six bytes each when written back.
    const auto growing = written.replaceFirstOccurrenceOf(
        "name=\"\"", "name='" + juce::String::repeatedString("\"", XmlTextGuard::maxValueBytes) + "'");

    juce::MemoryBlock withNul(written.toRawUTF8(), written.getNumBytesAsUTF8());
    withNul[900] = 0;

    for (const auto& text : std::vector<juce::String>{
             manyElements.toString(),
             manyRecords.toString(),
             juce::String::repeatedString("<a>", 100000),
             withName(XmlTextGuard::maxValueBytes + 1),
             padded(room + 1),
             growing,
             withNul.toString(),
             juce::String::createStringFromData("\xff\xfe\x00\x01\x80<\x00>", 8),
             "<!DOCTYPE v [<!ENTITY a \"<a>&a;</a>\">]><VEXLO>&a;" + body + "</VEXLO>",
             "<VEXLO><?x?>text" + body + "</VEXLO>",
             "<VEXLO>" + juce::String::repeatedString("&", 500000) + body + "</VEXLO>",
             "<VEXLO" + juce::String::repeatedString(" <?a=\"\"", 100000) + ">" + body,
         })
    {
        Model model(nullptr);
        EXPECT_FALSE(model.loadFromFile(text)) << text.substring(0, 40);
        EXPECT_EQ(model.createXml(), written);
    }

    Model named(nullptr);
    EXPECT_TRUE(named.loadFromFile(withName(XmlTextGuard::maxValueBytes)));
    EXPECT_TRUE(named.createXml().contains("name=\"nnnnnnnn"));
    Model big(nullptr);
    EXPECT_TRUE(big.loadFromFile(padded(room)));

    // A document cut anywhere before its closing tag fails and changes nothing.
    for (int length = 0; length < written.lastIndexOf("</VEXLO>"); length += 7)
    {
        Model model(nullptr);
        ASSERT_FALSE(model.loadFromFile(written.substring(0, length))) << length;
        ASSERT_EQ(model.createXml(), written);
    }
}
