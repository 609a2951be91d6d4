#include "app/ConfigurationFile.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
// Closes the descriptor on every path out.
class Descriptor
{
public:
    explicit Descriptor(int fdToUse) : fd(fdToUse) {}
    ~Descriptor() { reset(-1); }

    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    void reset(int newFd)
    {
        if (fd >= 0)
            ::close(fd);
        fd = newFd;
    }

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

std::string folderOf(const std::filesystem::path& path)
{
    return path.has_parent_path() ? path.parent_path().string() : ".";
}

// The folder and the name in it where the path's chain of links ends, whether or not a file is there
// yet; false for a loop or a folder that cannot be opened. Each link's target is looked up from the
// folder the link stands in, so that the path never grows as the chain goes on.
bool locate(const std::filesystem::path& path, Descriptor& folder, std::string& name)
{
    // Linux opens a path through at most 40 links (glibc's MAXSYMLINKS still says 20).
    constexpr int maximumLinks = 40;
    folder.reset(::open(folderOf(path).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    name = path.filename().string();
    for (int links = 0; folder.fd >= 0 && !name.empty(); ++links)
    {
        struct stat status;
        if (::fstatat(folder.fd, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0)
            return errno == ENOENT;
        if (!S_ISLNK(status.st_mode))
            return true;
        if (links == maximumLinks)
            return false;

        char target[PATH_MAX];
        const auto length = ::readlinkat(folder.fd, name.c_str(), target, sizeof(target));
        if (length <= 0 || (size_t) length == sizeof(target))
            return false;
        // An absolute target ignores the folder it is looked up from.
        const std::filesystem::path next(std::string(target, (size_t) length));
        folder.reset(::openat(folder.fd, folderOf(next).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        name = next.filename().string();
    }
    return false;
}

// The old file's permissions for the new one. A set-id bit stays only where the new file has kept
// the owner or group it was given for: it would otherwise lend the saving user's identity to anyone
// who runs the file.
mode_t keptMode(int fd, const struct stat& old)
{
    struct stat now;
    if (::fstat(fd, &now) != 0)
        return old.st_mode & 0777;
    auto mode = old.st_mode & 01777;
    if (now.st_uid == old.st_uid)
        mode |= old.st_mode & S_ISUID;
    if (now.st_gid == old.st_gid)
        mode |= old.st_mode & S_ISGID;
    return mode;
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
    const std::filesystem::path path(file.getFullPathName().toStdString());

    // Saving through a link writes into the file it names, so that the link stays one. Whether an
    // existing file can be reached by this name at all is the system's to say, and the walk below must
    // end at that same file; only a chain that leads nowhere yet is followed by hand alone.
    Descriptor named(::open(path.c_str(), O_PATH | O_CLOEXEC));
    if (named.fd < 0 && errno != ENOENT)
        return false;

    // The temporary file is made, renamed and removed through this one folder, whatever happens to
    // the links on the way to it meanwhile.
    Descriptor folder(-1);
    std::string name;
    if (!locate(path, folder, name))
        return false;

    struct stat old;
    const auto exists = ::fstatat(folder.fd, name.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0;
    if (!exists && errno != ENOENT)
        return false;
    struct stat opened;
    if (named.fd >= 0 && (!exists || ::fstat(named.fd, &opened) != 0 || opened.st_dev != old.st_dev ||
                          opened.st_ino != old.st_ino))
        return false;
    // The rename needs only the folder's permission; a file that this process may not write is not
    // replaced behind its back.
    if (exists && (!S_ISREG(old.st_mode) || ::faccessat(folder.fd, name.c_str(), W_OK, 0) != 0))
        return false;

    // Short and beside the target, so that a name near the length limit still has room and the
    // rename stays within one file system.
    juce::Random random;
    const auto temporary = ".vexlo-" + juce::String::toHexString(random.nextInt64()).toStdString();

    // Never more open than the old file, even where its bits cannot be set exactly (the umask, a file
    // system without permissions); a new file gets what the umask gives.
    Descriptor out(::openat(folder.fd, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
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
        ::fchmod(out.fd, keptMode(out.fd, old));
    }

    // On disk before the rename, so that a power cut leaves either the old text or the new.
    const auto synced = written && ::fsync(out.fd) == 0;

    // rename replaces the old file in one step; there is no moment without a complete file.
    if (!out.close() || !synced || ::renameat(folder.fd, temporary.c_str(), folder.fd, name.c_str()) != 0)
    {
        ::unlinkat(folder.fd, temporary.c_str(), 0);
        return false;
    }

    // The new name reaches the disk with its folder. The save has happened either way, and without
    // it a power cut leaves the old text, so a folder that cannot be flushed changes nothing.
    Descriptor listing(::openat(folder.fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (listing.fd >= 0)
        ::fsync(listing.fd);
    return true;
}
