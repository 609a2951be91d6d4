#pragma once

#include <juce_core/juce_core.h>

// Moves a configuration document's text between memory and one file on disk. Reading takes only a
// regular file and stops at a size far beyond any configuration, so that a wrong choice of file can
// neither stop the editor nor take the memory. Writing never leaves the file half written: the text
// goes to a new file beside it first, open to the saving user alone, flushed to disk, and only a
// complete copy takes the old one's place, with the old one's owner, group, permissions, access list
// and other extended attributes; other hard links to the old file keep the old text. A file that a
// new one could not take the place of without being given away (another user's, or of a group the
// user has left) takes the text itself instead. Through a symbolic link the file it leads to is
// written, where the system would let the user follow the link, and in a shared sticky folder no
// other user's file is written at all.
class ConfigurationFile
{
public:
    // A configuration document is about ten kilobytes.
    static constexpr juce::int64 maximumSize = 1 << 20;

    explicit ConfigurationFile(const juce::File& file);

    // The text of a file's bytes: UTF-16 in either byte order after its byte-order mark, where a half
    // of a surrogate pair without its partner becomes U+FFFD; Latin-1 or Windows-1252 where the XML
    // declaration names it; UTF-8 otherwise. False, with the text untouched, for bytes that are not
    // UTF-8 where UTF-8 is read, and for a NUL character.
    static bool decode(const void* data, size_t size, juce::String& text);

    // The file's decoded text. False, with the text untouched, when the file is not a regular file,
    // cannot be read or decoded, or holds more than maximumSize bytes.
    bool read(juce::String& text) const;

    // Replaces the file with the text in UTF-8, without a byte-order mark. False when any step fails,
    // and when the file exists but is not a regular file or this process may not write it, or a file
    // took the name of one that did not exist meanwhile; the file is then as it was before, but where
    // the text was being written into the file itself.
    bool write(const juce::String& text) const;

private:
    juce::File file;
};
