// clang-format off
// Converts a TrueType font into the editor's embedded typeface: JUCE's serialised CustomTypeface form,
// which CustomTypeface::writeToStream already wraps in one zlib stream. Remake the committed file with
//   build/tools/make_typeface /usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf resources/LiberationSansBold.typeface
// clang-format on
#include <juce_events/juce_events.h>
#include <juce_graphics/juce_graphics.h>

#include <iostream>

namespace
{
// The Reserved Font Name of the source font may not name a converted copy (SIL Open Font License).
const char* const familyName = "VEXLO Sans";

// Printable ASCII and printable Latin-1: everything the font really draws below U+0100. Control
// characters are left out, since a font maps them to its placeholder box.
const juce::Range<juce::juce_wchar> characterRanges[] = {{0x20, 0x7f}, {0xa0, 0x100}};

// A character that no text font maps, so its outline is the font's placeholder box.
constexpr juce::juce_wchar unmappedCharacter = 0x01;

// The version tag that opens a TrueType file.
constexpr juce::uint32 trueTypeTag = 0x00010000;

// JUCE's FreeType loader crashes on data that is not a font, so look at the signature first.
bool looksLikeFont(const juce::MemoryBlock& data)
{
    if (data.getSize() < sizeof(juce::uint32))
        return false;
    const auto tag = juce::ByteOrder::bigEndianInt(data.getData());
    return tag == trueTypeTag || tag == juce::ByteOrder::bigEndianInt("true") ||
           tag == juce::ByteOrder::bigEndianInt("OTTO");
}

struct Glyph
{
    int index = 0;
    float advance = 0.0f;
};

Glyph measure(juce::Typeface& source, const juce::String& text)
{
    juce::Array<int> indices;
    juce::Array<float> offsets;
    source.getGlyphPositions(text, indices, offsets);
    return {indices.getFirst(), offsets[1]};
}

juce::Path outlineOf(juce::Typeface& source, juce::juce_wchar character)
{
    juce::Path outline;
    source.getOutlineForGlyph(measure(source, juce::String::charToString(character)).index, outline);
    return outline;
}

bool copyGlyphs(juce::Typeface& source, juce::CustomTypeface& target, juce::Array<juce::juce_wchar>& copied)
{
    const auto placeholder = outlineOf(source, unmappedCharacter);

    for (const auto& range : characterRanges)
    {
        for (auto character = range.getStart(); character < range.getEnd(); ++character)
        {
            const auto text = juce::String::charToString(character);
            const auto glyph = measure(source, text);
            const auto outline = outlineOf(source, character);

            if (!outline.isEmpty() && outline == placeholder)
            {
                std::cerr << "The font has no glyph for U+" << juce::String::toHexString((int) character)
                          << "\n";
                return false;
            }

            target.addGlyph(character, outline, glyph.advance);
            copied.add(character);
        }
    }
    return true;
}

// Every pair of copied characters in both orders; JUCE's own copier only looks at pairs whose second
// character was copied first.
int copyKerning(juce::Typeface& source, juce::CustomTypeface& target,
                const juce::Array<juce::juce_wchar>& characters)
{
    int pairs = 0;
    for (auto first : characters)
    {
        const auto advance = measure(source, juce::String::charToString(first)).advance;
        for (auto second : characters)
        {
            const auto kerning =
                measure(source, juce::String::charToString(first) + juce::String::charToString(second))
                    .advance -
                advance;
            if (kerning != 0.0f)
            {
                target.addKerningPair(first, second, kerning);
                ++pairs;
            }
        }
    }
    return pairs;
}
} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3)
    {
        std::cerr << "Usage: make_typeface <font.ttf> <output.typeface>\n";
        return 2;
    }

    juce::ScopedJuceInitialiser_GUI juceRuntime;

    juce::MemoryBlock fontData;
    if (!juce::File(argv[1]).loadFileAsData(fontData))
    {
        std::cerr << "Cannot read " << argv[1] << "\n";
        return 1;
    }
    if (!looksLikeFont(fontData))
    {
        std::cerr << argv[1] << " is not a TrueType or OpenType font\n";
        return 1;
    }

    auto source = juce::Typeface::createSystemTypefaceFor(fontData.getData(), fontData.getSize());

    juce::CustomTypeface target;
    target.setCharacteristics(familyName, source->getAscent(), true, false, L' ');

    juce::Array<juce::juce_wchar> characters;
    if (!copyGlyphs(*source, target, characters))
        return 1;
    const auto pairs = copyKerning(*source, target, characters);

    juce::MemoryOutputStream serialised;
    target.writeToStream(serialised);

    const juce::File output(argv[2]);
    if (!output.replaceWithData(serialised.getData(), serialised.getDataSize()))
    {
        std::cerr << "Cannot write " << argv[2] << "\n";
        return 1;
    }

    std::cout << "Wrote " << characters.size() << " glyphs and " << pairs << " kerning pairs, "
              << serialised.getDataSize() << " bytes, to " << argv[2] << "\n";
    return 0;
}
