// Pins the embedded typeface: one zlib stream holding exactly the font's printable glyphs, readable by
// JUCE's CustomTypeface, drawing ink, and the widths the port panel's layout follows.
#include "VexloResources.h"
#include "support/Pixels.h"
#include "support/ScopedCustomLookAndFeel.h"
#include "ui/EditorFont.h"

#include <gtest/gtest.h>

namespace
{
juce::MemoryInputStream embeddedStream()
{
    return juce::MemoryInputStream(Resources::LiberationSansBold_typeface,
                                   (size_t) Resources::LiberationSansBold_typefaceSize, false);
}
} // namespace

TEST(EmbeddedTypeface, IsOneZlibStreamWithThePrintableLatin1Glyphs)
{
    EXPECT_EQ(juce::String::toHexString(Resources::LiberationSansBold_typeface, 2, 0), "789c");

    auto compressed = embeddedStream();
    juce::GZIPDecompressorInputStream in(compressed);
    const auto readCharacter = [&] { return (juce::juce_wchar)(juce::uint16) in.readShort(); };

    // Inflated once, the content is the typeface itself, not a second zlib stream.
    EXPECT_EQ(in.readString(), "VEXLO Sans");
    EXPECT_TRUE(in.readBool());  // bold
    EXPECT_FALSE(in.readBool()); // italic
    EXPECT_NEAR(in.readFloat(), 0.81f, 0.01f);
    EXPECT_EQ(readCharacter(), (juce::juce_wchar) ' ');

    juce::Array<juce::juce_wchar> expected, found;
    for (juce::juce_wchar c = 0x20; c <= 0xff; ++c)
        if (c < 0x7f || c >= 0xa0)
            expected.add(c);

    const auto glyphCount = in.readInt();
    int outlined = 0;
    for (int i = 0; i < glyphCount; ++i)
    {
        found.add(readCharacter());
        EXPECT_GT(in.readFloat(), 0.0f);
        juce::Path outline;
        outline.loadPathFromStream(in);
        outlined += outline.isEmpty() ? 0 : 1;
    }
    EXPECT_EQ(found, expected);
    EXPECT_EQ(outlined, glyphCount - 2); // all but the two spaces

    const auto kerningCount = in.readInt();
    EXPECT_GT(kerningCount, 0);
    for (int i = 0; i < kerningCount; ++i)
    {
        EXPECT_TRUE(expected.contains(readCharacter()) && expected.contains(readCharacter()));
        EXPECT_NE(in.readFloat(), 0.0f);
    }
    EXPECT_TRUE(in.isExhausted());
}

TEST(EmbeddedTypeface, ReadsBackDrawsInkAndGivesTheLayoutsWidths)
{
    auto stream = embeddedStream();
    const juce::Font font = juce::Font(new juce::CustomTypeface(stream)).withHeight(11.0f);
    EXPECT_EQ(font.getTypefaceName(), "VEXLO Sans");
    const auto image =
        Pixels::draw(100, 20,
                     [&](juce::Graphics& g)
                     {
                         g.setFont(font);
                         g.drawText("MIDI INPUT", 0, 0, 100, 20, juce::Justification::centredLeft, false);
                     });
    const auto ink = Pixels::bounds(image, Pixels::isInk);
    EXPECT_NEAR(ink.getWidth(), font.getStringWidth("MIDI INPUT"), 2);
    EXPECT_NEAR(ink.getHeight(), 7, 1); // the capitals' height at font height 11

    // The editor font draws with it once the look is installed. The port panel sizes itself from these.
    ScopedCustomLookAndFeel lookAndFeel;
    const auto editorFont = getEditorFont();
    EXPECT_EQ(editorFont.getStringWidth("MIDI INPUT"), 54);
    EXPECT_EQ(editorFont.getStringWidth("MIDI OUTPUT"), 64);
    EXPECT_EQ(editorFont.getStringWidth(juce::String::repeatedString("?", 29)), 175);

    // Characters it lacks take no room and draw nothing, rather than a placeholder box.
    EXPECT_EQ(editorFont.getStringWidthFloat("A\x01\x7f"
                                             "B"),
              editorFont.getStringWidthFloat("AB"));
    const auto blank =
        Pixels::draw(40, 20,
                     [&](juce::Graphics& g)
                     {
                         g.setFont(editorFont);
                         g.drawText(juce::String::charToString(0x01) + juce::String::charToString(0x85), 0, 0,
                                    40, 20, juce::Justification::centred, false);
                     });
    EXPECT_TRUE(Pixels::bounds(blank, [](juce::Colour c) { return c.getAlpha() > 0; }).isEmpty());
}
