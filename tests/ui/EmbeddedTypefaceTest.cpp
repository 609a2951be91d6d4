// Pins the embedded typeface: one zlib stream holding exactly the font's printable glyphs, readable by
// JUCE's CustomTypeface, drawing ink, and the widths the port panel's layout follows.
#include "VexloResources.h"
#include "support/Pixels.h"
#include "support/ScopedCustomLookAndFeel.h"
#include "ui/EditorFont.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <gtest/gtest.h>

namespace
{
juce::MemoryInputStream embeddedStream()
{
    return juce::MemoryInputStream(Resources::LiberationSansBold_typeface,
                                   (size_t) Resources::LiberationSansBold_typefaceSize, false);
}

juce::juce_wchar readCharacter(juce::InputStream& in)
{
    return (juce::juce_wchar)(juce::uint16) in.readShort();
}
} // namespace

TEST(EmbeddedTypeface, IsOneZlibStreamWithThePrintableLatin1Glyphs)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(Resources::LiberationSansBold_typeface);
    ASSERT_GT(Resources::LiberationSansBold_typefaceSize, 2);
    EXPECT_EQ(bytes[0], 0x78);
    EXPECT_EQ(bytes[1], 0x9c);

    auto compressed = embeddedStream();
    juce::GZIPDecompressorInputStream in(compressed);

    // Inflated once, the content is the typeface itself, not a second zlib stream.
    EXPECT_EQ(in.readString(), "VEXLO Sans");
    EXPECT_TRUE(in.readBool());
    EXPECT_FALSE(in.readBool());
    const auto ascent = in.readFloat();
    EXPECT_GT(ascent, 0.75f);
    EXPECT_LT(ascent, 0.85f);
    EXPECT_EQ(readCharacter(in), (juce::juce_wchar) ' ');

    juce::Array<juce::juce_wchar> expected;
    for (juce::juce_wchar c = 0x20; c <= 0x7e; ++c)
        expected.add(c);
    for (juce::juce_wchar c = 0xa0; c <= 0xff; ++c)
        expected.add(c);

    const auto glyphCount = in.readInt();
    ASSERT_EQ(glyphCount, expected.size());

    juce::Array<juce::juce_wchar> found;
    int outlined = 0;
    for (int i = 0; i < glyphCount; ++i)
    {
        found.add(readCharacter(in));
        EXPECT_GT(in.readFloat(), 0.0f)
            << "advance of U+" << juce::String::toHexString((int) found.getLast());
        juce::Path outline;
        outline.loadPathFromStream(in);
        if (!outline.isEmpty())
            ++outlined;
    }
    EXPECT_EQ(found, expected);
    // Only the two spaces are blank.
    EXPECT_EQ(outlined, glyphCount - 2);

    const auto kerningCount = in.readInt();
    EXPECT_GT(kerningCount, 0);
    for (int i = 0; i < kerningCount; ++i)
    {
        EXPECT_TRUE(expected.contains(readCharacter(in)));
        EXPECT_TRUE(expected.contains(readCharacter(in)));
        EXPECT_NE(in.readFloat(), 0.0f);
    }
    EXPECT_TRUE(in.isExhausted());
}

TEST(EmbeddedTypeface, StreamConstructorReadsItBackAndTextHasInk)
{
    auto stream = embeddedStream();
    juce::Typeface::Ptr typeface = new juce::CustomTypeface(stream);
    EXPECT_EQ(typeface->getName(), "VEXLO Sans");
    EXPECT_EQ(typeface->getStyle(), "Bold");
    EXPECT_NEAR(typeface->getAscent() + typeface->getDescent(), 1.0f, 1e-6f);

    const juce::Font font = juce::Font(typeface).withHeight(11.0f);
    const auto image =
        Pixels::draw(100, 20,
                     [&](juce::Graphics& g)
                     {
                         g.setColour(juce::Colours::black);
                         g.setFont(font);
                         g.drawText("MIDI INPUT", 0, 0, 100, 20, juce::Justification::centredLeft, false);
                     });
    const auto ink = Pixels::bounds(image, Pixels::isInk);
    EXPECT_GT(Pixels::count(image, image.getBounds(), Pixels::isInk), 100);
    // Capitals stand on the baseline and reach the cap height: about 8 of the 11 pixels.
    EXPECT_GE(ink.getHeight(), 7);
    EXPECT_LE(ink.getHeight(), 9);
    EXPECT_NEAR(ink.getWidth(), font.getStringWidth("MIDI INPUT"), 2);
}

TEST(EmbeddedTypeface, WidthsAtTheEditorFontHeight)
{
    ScopedCustomLookAndFeel lookAndFeel;
    const auto font = getEditorFont();

    // The port panel sizes its labels from these.
    EXPECT_EQ(font.getStringWidth("MIDI INPUT"), 54);
    EXPECT_EQ(font.getStringWidth("MIDI OUTPUT"), 64);
    EXPECT_EQ(font.getStringWidth(juce::String::repeatedString("?", 29)), 175);

    // Characters the typeface lacks take no room and draw nothing, rather than a placeholder box.
    EXPECT_EQ(font.getStringWidthFloat(juce::String::charToString(0x01)), 0.0f);
    EXPECT_EQ(font.getStringWidthFloat("A\x7f"
                                       "B"),
              font.getStringWidthFloat("AB"));
    const auto image =
        Pixels::draw(40, 20,
                     [&](juce::Graphics& g)
                     {
                         g.setColour(juce::Colours::black);
                         g.setFont(font);
                         g.drawText(juce::String::charToString(0x01) + juce::String::charToString(0x85), 0, 0,
                                    40, 20, juce::Justification::centred, false);
                     });
    EXPECT_EQ(Pixels::count(image, image.getBounds(), [](juce::Colour c) { return c.getAlpha() > 0; }), 0);
}
