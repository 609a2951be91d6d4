#include "app/ConfigurationFile.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

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

// Linux follows a link in a sticky folder that anyone may write, such as /tmp, only for the link's
// owner or the folder's (fs.protected_symlinks): anyone else could plant one there to lead a save
// to a file of their choosing. The rule holds here whatever the system's setting.
bool mayFollow(int folder, const struct stat& link)
{
    struct stat status;
    if (::fstat(folder, &status) != 0)
        return false;
    const auto shared = (status.st_mode & (S_ISVTX | S_IWOTH)) == (S_ISVTX | S_IWOTH);
    return !shared || link.st_uid == ::geteuid() || link.st_uid == status.st_uid;
}

// The folder and the name in it where the path's chain of links ends, whether or not a file is there
// yet; false for a loop, a link that may not be followed or a folder that cannot be opened. Each
// link's target is looked up from the folder the link stands in, so that the path never grows as the
// chain goes on.
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
        if (links == maximumLinks || !mayFollow(folder.fd, status))
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

// Reads an attribute list or value, whose size may change between asking and reading.
template <typename Read> bool readAll(Read read, std::vector<char>& bytes)
{
    for (;;)
    {
        const auto size = read(nullptr, 0);
        if (size < 0)
            return false;
        bytes.resize((size_t) size);
        const auto count = read(bytes.data(), bytes.size());
        if (count >= 0)
        {
            bytes.resize((size_t) count);
            return true;
        }
        if (errno != ERANGE)
            return false;
    }
}

// The old file for its attributes alone. Write access, which saving needs anyway, reaches its access
// list where the process may not read the file.
int openAttributes(int folder, const std::string& name)
{
    constexpr auto flags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    const auto fd = ::openat(folder, name.c_str(), O_RDONLY | flags);
    return fd >= 0 || errno != EACCES ? fd : ::openat(folder, name.c_str(), O_WRONLY | flags);
}

// The old file's extended attributes for the new one, so that it is open to no one the old one was
// closed to: its access list, or none where the folder's default list gave the new file one. An
// attribute this process may not read or set (security.* or trusted.* for most users) is left out;
// an access list that cannot be carried over fails the save.
bool copyAttributes(int from, int to)
{
    constexpr auto accessList = "system.posix_acl_access";
    std::vector<char> names;
    if (!readAll([&](char* list, size_t size) { return ::flistxattr(from, list, size); }, names) &&
        errno != ENOTSUP)
        return false;

    auto listed = false;
    std::vector<char> value;
    for (size_t at = 0; at < names.size(); at += std::strlen(names.data() + at) + 1)
    {
        const auto* name = names.data() + at;
        const auto isList = std::strcmp(name, accessList) == 0;
        listed = listed || isList;
        if (readAll([&](char* bytes, size_t size) { return ::fgetxattr(from, name, bytes, size); }, value) &&
            ::fsetxattr(to, name, value.data(), value.size(), 0) == 0)
            continue;
        if (isList || (errno != EPERM && errno != EACCES && errno != ENOTSUP && errno != ENODATA))
            return false;
    }
    return listed || ::fremovexattr(to, accessList) == 0 || errno == ENODATA || errno == ENOTSUP;
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

juce::String ConfigurationFile::decode(const void* data, size_t size)
{
    const auto* bytes = static_cast<const juce::uint8*>(data);
    const auto bigEndian = size >= 2 && bytes[0] == 0xfe && bytes[1] == 0xff;
    if (!bigEndian && !(size >= 2 && bytes[0] == 0xff && bytes[1] == 0xfe))
        return juce::String::createStringFromData(data, (int) size);

    // JUCE decodes UTF-16 unit by unit, which splits every character beyond the basic plane in two.
    const auto unitAt = [&](size_t i) -> juce::juce_wchar
    { return bigEndian ? (bytes[i] << 8) | bytes[i + 1] : (bytes[i + 1] << 8) | bytes[i]; };
    const auto isHigh = [](juce::juce_wchar unit) { return unit >= 0xd800 && unit < 0xdc00; };
    const auto isLow = [](juce::juce_wchar unit) { return unit >= 0xdc00 && unit < 0xe000; };

    std::vector<juce::juce_wchar> characters;
    characters.reserve(size / 2);
    for (size_t i = 2; i + 1 < size; i += 2)
    {
        const auto unit = unitAt(i);
        if (isHigh(unit) && i + 3 < size && isLow(unitAt(i + 2)))
        {
            characters.push_back(0x10000 + ((unit - 0xd800) << 10) + (unitAt(i + 2) - 0xdc00));
            i += 2;
        }
        else
        {
            characters.push_back(isHigh(unit) || isLow(unit) ? 0xfffd : unit);
        }
    }
    characters.push_back(0);
    return juce::String(juce::CharPointer_UTF32(characters.data()));
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

    text = decode(data.getData(), size);
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
    // The walk ends where the system did: at the same file, or at none where the system found none. A
    // file that appeared in between is left alone; a later save may try again.
    const auto sameFile = [&old](int fd)
    {
        struct stat status;
        return ::fstat(fd, &status) == 0 && status.st_dev == old.st_dev && status.st_ino == old.st_ino;
    };
    if ((named.fd >= 0) != exists || (exists && !sameFile(named.fd)))
        return false;
    // The rename needs only the folder's permission; a file that this process may not write is not
    // replaced behind its back.
    if (exists && (!S_ISREG(old.st_mode) || ::faccessat(folder.fd, name.c_str(), W_OK, 0) != 0))
        return false;
    Descriptor attributes(exists ? openAttributes(folder.fd, name) : -1);
    if (exists && (attributes.fd < 0 || !sameFile(attributes.fd)))
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

    // Before the text, which no one the old file kept out may read; while this process still owns the
    // new file, which may set its access list; and before the mode, which sets the list's mask.
    const auto carried = !exists || copyAttributes(attributes.fd, out.fd);

    const auto utf8 = text.toUTF8();
    const auto written = carried && writeAll(out.fd, utf8.getAddress(), utf8.sizeInBytes() - 1);

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
