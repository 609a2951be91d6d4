#pragma once

#include <juce_core/juce_core.h>

// Moves a configuration document's text between memory and one file on disk. Reading stops at a
// size far beyond any configuration, so that a wrong choice of file cannot take the memory; writing
// never leaves the file half written: the text goes to a new file beside it first, and only a
// complete copy takes the old one's place.
class ConfigurationFile
{
public:
    // A configuration document is about ten kilobytes.
    static constexpr juce::int64 maximumSize = 1 << 20;

    explicit ConfigurationFile(const juce::File& file);

    // The file's text, decoded as UTF-8 unless a byte-order mark says otherwise. False, with the
    // text untouched, when the file cannot be read or holds more than maximumSize bytes.
    bool read(juce::String& text) const;

    // Replaces the file with the text in UTF-8, without a byte-order mark. False when any step fails;
    // the file is then as it was before.
    bool write(const juce::String& text) const;

private:
    juce::File file;
};
