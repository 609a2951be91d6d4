#pragma once

#include <juce_core/juce_core.h>

// Moves a configuration document's text between memory and one file on disk. Reading takes only a
// regular file and stops at a size far beyond any configuration, so that a wrong choice of file can
// neither stop the editor nor take the memory, and it reads no character that the file does not hold.
// Writing replaces the file's contents in UTF-8, without a byte-order mark, as safely as the file and
// its folder allow.
class ConfigurationFile
{
public:
    // A configuration document is about ten kilobytes.
    static constexpr juce::int64 maximumSize = 1 << 20;

    explicit ConfigurationFile(const juce::File& file);

    // The text of a file's bytes, as TextDecoding::decode reads them.
    static bool decode(const void* data, size_t size, juce::String& text);

    // The file's decoded text. False, with the text untouched, when the file is not a regular file,
    // cannot be read or decoded, or holds more than maximumSize bytes.
    bool read(juce::String& text) const;

    // Replaces the file's contents with the text, as replaceFileContents does. False when it could not.
    bool write(const juce::String& text) const;

private:
    juce::File file;
};
