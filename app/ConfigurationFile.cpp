#include "app/ConfigurationFile.h"

#include "app/FileDescriptor.h"
#include "app/FileReplacement.h"
#include "app/TextDecoding.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

ConfigurationFile::ConfigurationFile(const juce::File& fileToUse) : file(fileToUse) {}

bool ConfigurationFile::decode(const void* data, size_t size, juce::String& text)
{
    return TextDecoding::decode(data, size, text);
}

bool ConfigurationFile::read(juce::String& text) const
{
    const auto* path = file.getFullPathName().toRawUTF8();

    // Opening a FIFO waits for a writer, and opening a device may act on it: only a regular file
    // is opened at all.
    struct stat status;
    if (::stat(path, &status) != 0 || !S_ISREG(status.st_mode))
        return false;

    // The name may lead elsewhere by the time it is opened: not waiting, and checking what was
    // opened, keeps a FIFO put there meanwhile from stopping the editor.
    FileDescriptor in(::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (in.fd < 0 || ::fstat(in.fd, &status) != 0 || !S_ISREG(status.st_mode))
        return false;

    // One byte past the limit tells a file that is too large without reading it whole.
    juce::MemoryBlock data((size_t) maximumSize + 1);
    size_t size = 0;
    while (size < data.getSize())
    {
        const auto count = ::read(in.fd, static_cast<char*>(data.getData()) + size, data.getSize() - size);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return false;
        if (count == 0)
            break;
        size += (size_t) count;
    }
    if ((juce::int64) size > maximumSize)
        return false;

    return decode(data.getData(), size, text);
}

bool ConfigurationFile::write(const juce::String& text) const
{
    const auto utf8 = text.toUTF8();
    return replaceFileContents(file.getFullPathName().toStdString(),
                               {utf8.getAddress(), utf8.sizeInBytes() - 1});
}
