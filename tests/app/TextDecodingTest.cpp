// Pins how a configuration file's bytes become its text: UTF-16 pair by pair, strict UTF-8, the
// Latin-1 or Windows-1252 that a declaration names, ASCII alone under any other, and the whole file
// refused otherwise.
#include "app/TextDecoding.h"

#include "support/JucePrinters.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

TEST(TextDecoding, ReadsWholeUTF16PairsDeclaredSingleByteEncodingsAndStrictUTF8AndRefusesTheRest)
{
    juce::String text;

    // UTF-16 in either byte order reads "Kick 🥁"; a high half before "!", a low one alone or a high one
    // at the end refuses the file, and so does an odd byte at the end.
    for (const auto bigEndian : {false, true})
        for (const auto* tail : {u"", u"\xd83e!", u"\xdd41", u"\xd83e"})
        {
            juce::MemoryOutputStream bytes;
            for (const auto unit : u"\uFEFFKick \U0001F941" + std::u16string(tail))
                bigEndian ? bytes.writeShortBigEndian((short) unit) : bytes.writeShort((short) unit);
            text = "untouched";
            EXPECT_EQ(TextDecoding::decode(bytes.getData(), bytes.getDataSize(), text), *tail == 0);
            EXPECT_EQ(text, *tail == 0 ? juce::String::fromUTF8("Kick \xf0\x9f\xa5\x81") : "untouched");
        }
    EXPECT_FALSE(TextDecoding::decode("\xff\xfe<\0r\0/\0>\0!", 11, text));

    // Otherwise UTF-8, strictly, unless the declaration names Latin-1 or Windows-1252: a stray byte,
    // even in a comment, refuses the whole file, and so do an overlong form, a surrogate and a NUL.
    const std::vector<std::pair<std::string, const char*>> decoded{
        {"<!-- \x80 --><r n=\"caf\xc3\xa9\"/>", nullptr},
        {"<r>\xc0\xbc</r>", nullptr},
        {"<r>\xed\xa0\x80</r>", nullptr},
        {std::string("<r/>\0", 5), nullptr},
        // A byte that does not continue its sequence, a character beyond U+10FFFF, a lead byte of F8;
        // and a byte-order mark, which is skipped.
        {"<r>\xc3(</r>", nullptr},
        {"<r>\xf4\x90\x80\x80</r>", nullptr},
        {"<r>\xf8\x88\x80\x80\x80</r>", nullptr},
        {"\xef\xbb\xbf<r>\xc3\xa9</r>", "<r>\xc3\xa9</r>"},
        {"<?xml encoding='ISO-8859-1'?><r>caf\xe9\x80</r>",
         "<?xml encoding='ISO-8859-1'?><r>caf\xc3\xa9\xc2\x80</r>"},
        {"<?xml encoding = \"windows-1252\"?>\x80\x81",
         "<?xml encoding = \"windows-1252\"?>\xe2\x82\xac\xc2\x81"},
        {"<?xml encoding='cp1252'?>\x80", "<?xml encoding='cp1252'?>\xe2\x82\xac"},
        // Any other declared encoding reads ASCII alone, which means the same in it as in UTF-8.
        {"<?xml encoding=\"ISO-8859-15\"?><r n=\"Gr\xc3\xbc\xc3\x9f\x65\"/>", nullptr},
        {"<?xml encoding=\"US-ASCII\"?><r>\xc3\xa9</r>", nullptr},
        {"<?xml encoding=\"KOI8-R\"?><r/>", "<?xml encoding=\"KOI8-R\"?><r/>"},
        // Only the declaration's own pseudo-attribute "encoding" names one.
        {"<?xml-stylesheet href='s.xsl' encoding='ISO-8859-1'?>\xc4\xaa",
         "<?xml-stylesheet href='s.xsl' encoding='ISO-8859-1'?>\xc4\xaa"},
        {"<?xml version='1.0' x-encoding='latin1'?>\xc4\xaa",
         "<?xml version='1.0' x-encoding='latin1'?>\xc4\xaa"},
    };
    for (const auto& [bytes, expected] : decoded)
    {
        text = "untouched";
        EXPECT_EQ(TextDecoding::decode(bytes.data(), bytes.size(), text), expected != nullptr) << bytes;
        EXPECT_EQ(text, expected != nullptr ? juce::String::fromUTF8(expected) : "untouched") << bytes;
    }
    // A sequence cut off at the end, though the bytes beyond it would continue it.
    EXPECT_FALSE(TextDecoding::decode("<r/>\xe2\x82\xac", 6, text));
}
