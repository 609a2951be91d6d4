#pragma once

#include <juce_core/juce_core.h>

// Moves a configuration document's text between memory and one file on disk. Reading takes only a
// regular file and stops at a size far beyond any configuration, so that a wrong choice of file can
// neither stop the editor nor take the memory. Writing never leaves the file half written: the text
// goes to a new file beside it first, flushed to disk, and only a complete copy takes the old one's
// place, with the old one's permissions, access list and other extended attributes and, where the
// process may, its owner. Through a symbolic link the file it leads to is replaced, where the system
// would let the user follow the link; other hard links to the old file keep the old text.
class ConfigurationFile
{
public:
    // A configuration document is about ten kilobytes.
    static constexpr juce::int64 maximumSize = 1 << 20;

    explicit ConfigurationFile(const juce::File& file);

    // The text of a file's bytes: UTF-16 in either byte order after its byte-order mark, where a half
    // of a surrogate pair without its partner becomes U+FFFD; UTF-8 otherwise.
    static juce::String decode(const void* data, size_t size);

    // The file's decoded text. False, with the text untouched, when the file is not a regular file,
    // cannot be read or holds more than maximumSize bytes.
    bool read(juce::String& text) const;

    // Replaces the file with the text in UTF-8, without a byte-order mark. False when any step fails,
    // and when the file exists but is not a regular file or this process may not write it; the file
    // is then as it was before.
    bool write(const juce::String& text) const;

private:
    juce::File file;
};
