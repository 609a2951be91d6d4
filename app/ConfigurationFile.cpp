#include "app/ConfigurationFile.h"

#include <filesystem>
#include <system_error>

ConfigurationFile::ConfigurationFile(const juce::File& fileToUse) : file(fileToUse) {}

bool ConfigurationFile::read(juce::String& text) const
{
    juce::FileInputStream in(file);
    if (!in.openedOk())
        return false;

    // One byte past the limit tells a file that is too large without reading it whole.
    juce::MemoryBlock data;
    const auto size = in.readIntoMemoryBlock(data, (ssize_t) maximumSize + 1);
    if ((juce::int64) size > maximumSize || in.getStatus().failed())
        return false;

    text = juce::String::createStringFromData(data.getData(), (int) size);
    return true;
}

bool ConfigurationFile::write(const juce::String& text) const
{
    // Deletes the new file again on every path on which it has not been moved into place.
    const juce::TemporaryFile temporary(file, juce::TemporaryFile::useHiddenFile);
    const auto& written = temporary.getFile();
    const auto utf8 = text.toUTF8();
    const auto size = utf8.sizeInBytes() - 1;

    {
        juce::FileOutputStream out(written);
        if (!out.openedOk())
            return false;
        const auto accepted = out.write(utf8.getAddress(), size);
        out.flush();
        if (!accepted || out.getStatus().failed())
            return false;
    }

    // A short write on a full disk leaves the stream's status alone, so the size on disk is the proof
    // that everything arrived.
    if (written.getSize() != (juce::int64) size)
        return false;

    // rename replaces the old file in one step; there is no moment without a complete file.
    std::error_code error;
    std::filesystem::rename(written.getFullPathName().toStdString(), file.getFullPathName().toStdString(),
                            error);
    return !error;
}
