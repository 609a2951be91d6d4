#include "app/ConfigurationFile.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace
{
// Closes the descriptor on every path out.
class Descriptor
{
public:
    explicit Descriptor(int fdToUse) : fd(fdToUse) {}
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }

    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    // A file system may report a failed write only here.
    bool close()
    {
        const auto closed = ::close(fd) == 0;
        fd = -1;
        return closed;
    }

    int fd;
};

bool writeAll(int fd, const char* bytes, size_t size)
{
    while (size > 0)
    {
        const auto count = ::write(fd, bytes, size);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return false;
        bytes += count;
        size -= (size_t) count;
    }
    return true;
}

// Where a chain of symbolic links ends, whether or not a file is there; false for a loop.
bool followLinks(std::filesystem::path& path)
{
    // Linux opens a path through at most 40 links (glibc's MAXSYMLINKS still says 20).
    constexpr int maximumLinks = 40;
    for (int hops = 0;; ++hops)
    {
        std::error_code error;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, error)))
            return true;
        if (hops == maximumLinks)
            return false;
        const auto target = std::filesystem::read_symlink(path, error);
        if (error)
            return false;
        // A relative target is relative to the link's folder; an absolute one replaces the path.
        path = path.parent_path() / target;
    }
}
} // namespace

ConfigurationFile::ConfigurationFile(const juce::File& fileToUse) : file(fileToUse) {}

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
    Descriptor in(::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC));
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

    text = juce::String::createStringFromData(data.getData(), (int) size);
    return true;
}

bool ConfigurationFile::write(const juce::String& text) const
{
    // Saving through a link writes into the file it names, so that the link stays one; a dangling
    // link gets the file it names.
    std::filesystem::path target(file.getFullPathName().toStdString());
    if (!followLinks(target))
        return false;

    struct stat old;
    const auto exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        return false;
    // The rename needs only the folder's permission; a file that this process may not write is not
    // replaced behind its back.
    if (exists && (!S_ISREG(old.st_mode) || ::access(target.c_str(), W_OK) != 0))
        return false;

    // Short and beside the target, so that a name near the length limit still has room and the
    // rename stays within one file system.
    juce::Random random;
    const auto temporary =
        target.parent_path() / (".vexlo-" + juce::String::toHexString(random.nextInt64()).toStdString());

    // Never more open than the old file, even where its bits cannot be set exactly (the umask, a file
    // system without permissions); a new file gets what the umask gives.
    Descriptor out(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                          exists ? (old.st_mode & 0777) : 0666));
    if (out.fd < 0)
        return false;

    const auto utf8 = text.toUTF8();
    const auto written = writeAll(out.fd, utf8.getAddress(), utf8.sizeInBytes() - 1);

    // After the text, since a write by a process that may not keep set-id bits clears them; the
    // owner before the mode, since a change of owner clears them too. Only root may give a file
    // away; anyone may keep its group if they belong to it.
    if (exists)
    {
        if (::fchown(out.fd, old.st_uid, old.st_gid) != 0)
            ::fchown(out.fd, (uid_t) -1, old.st_gid);
        ::fchmod(out.fd, old.st_mode & 07777);
    }

    // On disk before the rename, so that a power cut leaves either the old text or the new.
    const auto synced = written && ::fsync(out.fd) == 0;

    // rename replaces the old file in one step; there is no moment without a complete file.
    if (!out.close() || !synced || ::rename(temporary.c_str(), target.c_str()) != 0)
    {
        ::unlink(temporary.c_str());
        return false;
    }

    // The new name reaches the disk with its folder. The save has happened either way, and without
    // it a power cut leaves the old text, so a folder that cannot be flushed changes nothing.
    Descriptor folder(::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.fd >= 0)
        ::fsync(folder.fd);
    return true;
}
