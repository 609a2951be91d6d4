#include "app/ConfigurationFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <string_view>
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

// Opened through "folder/.", a folder named by a link counts as a folder on the way, as it does in the
// whole path: a sticky folder's protection of links guards a path's last part only.
std::string folderOf(const std::filesystem::path& path)
{
    return path.has_parent_path() ? (path.parent_path() / ".").string() : ".";
}

// In a sticky folder that anyone may write, such as /tmp, Linux follows a link only for the link's
// owner or the folder's (fs.protected_symlinks), and a save's open of an existing file succeeds only
// for theirs (fs.protected_regular): anyone else could plant either there, to lead a save to a file of
// their choosing or to read what it writes. The rules hold here whatever the system's settings.
bool mayUse(int folder, const struct stat& entry)
{
    struct stat status;
    if (::fstat(folder, &status) != 0)
        return false;
    const auto shared = (status.st_mode & (S_ISVTX | S_IWOTH)) == (S_ISVTX | S_IWOTH);
    return !shared || entry.st_uid == ::geteuid() || entry.st_uid == status.st_uid;
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
        if (links == maximumLinks || !mayUse(folder.fd, status))
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
        // Asked with no room, the system would answer with the size again.
        if (size == 0)
            return true;
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

constexpr auto accessListName = "system.posix_acl_access";

struct Attribute
{
    std::string name;
    std::vector<char> value;
};

// What a replaced file hands on to the new one, all from one look at it.
struct OldFile
{
    struct stat status = {};
    bool listed = false;
    std::vector<char> accessList;
    std::vector<Attribute> attributes;
};

// An attribute other than the access list is left out where this process may not read or set it
// (security.* or trusted.* for most users), the file system keeps no such attribute, it went while it
// was read, or it finds no room on the new file.
bool mayLeaveOut(int error)
{
    return error == EPERM || error == EACCES || error == ENOTSUP || error == ENODATA || error == E2BIG ||
           error == ENOSPC;
}

bool readAttributes(int fd, OldFile& old)
{
    old.listed =
        readAll([&](char* bytes, size_t size) { return ::fgetxattr(fd, accessListName, bytes, size); },
                old.accessList);
    if (!old.listed && errno != ENODATA && errno != ENOTSUP)
        return false;

    // More names than the system lists at once leave out every attribute but the access list.
    old.attributes.clear();
    std::vector<char> names;
    if (!readAll([&](char* list, size_t size) { return ::flistxattr(fd, list, size); }, names))
        return true;
    for (size_t at = 0; at < names.size(); at += std::strlen(names.data() + at) + 1)
    {
        Attribute attribute{names.data() + at, {}};
        if (attribute.name == accessListName)
            continue;
        if (readAll([&](char* bytes, size_t size)
                    { return ::fgetxattr(fd, attribute.name.c_str(), bytes, size); },
                    attribute.value))
            old.attributes.push_back(std::move(attribute));
        else if (!mayLeaveOut(errno))
            return false;
    }
    return true;
}

// Whether the access list's mask, or its owning group's entry where it has no mask, gives the group
// permissions that the mode shows. The system writes a new list before the mode that follows from it,
// and a look in between finds the two at odds.
bool listAgreesWithMode(const OldFile& old)
{
    // The list as the system stores it: a 4-byte header, then 8-byte entries of a little-endian 16-bit
    // tag, 16-bit permissions and 32-bit id.
    constexpr size_t header = 4, entry = 8;
    constexpr int groupTag = 0x04, maskTag = 0x10;
    if (!old.listed)
        return true;
    const auto at16 = [&](size_t at)
    { return (unsigned char) old.accessList[at] | ((unsigned char) old.accessList[at + 1] << 8); };
    int group = -1, mask = -1;
    for (size_t at = header; at + entry <= old.accessList.size(); at += entry)
    {
        if (at16(at) == maskTag)
            mask = at16(at + 2);
        else if (at16(at) == groupTag)
            group = at16(at + 2);
    }
    return (mask >= 0 ? mask : group) == (int) ((old.status.st_mode >> 3) & 7);
}

// The mode, owner, group and attributes as they stood together: a change while they were read (the
// owner swapping mode and access list, say) reads them all again, and a file that keeps changing is
// not saved over. Mixed, they could open the new file to someone neither state let in.
bool lookAt(int fd, OldFile& old)
{
    constexpr int tries = 5;
    for (int attempt = 0; attempt < tries; ++attempt)
    {
        struct stat before;
        if (::fstat(fd, &before) != 0 || !readAttributes(fd, old) || ::fstat(fd, &old.status) != 0)
            return false;
        const auto& after = old.status;
        if (before.st_ctim.tv_sec == after.st_ctim.tv_sec &&
            before.st_ctim.tv_nsec == after.st_ctim.tv_nsec && before.st_mode == after.st_mode &&
            before.st_uid == after.st_uid && before.st_gid == after.st_gid && listAgreesWithMode(old))
            return true;
    }
    return false;
}

// The old file's attributes for the new one, so that it is open to no one the old one was closed to:
// its access list, or none where the folder's default list gave the new file one. That list goes
// first, since it takes room that the old file's attributes may need; an access list that cannot be
// carried over fails the save.
bool carryAttributes(int to, const OldFile& old)
{
    if (::fremovexattr(to, accessListName) != 0 && errno != ENODATA && errno != ENOTSUP)
        return false;
    if (old.listed && ::fsetxattr(to, accessListName, old.accessList.data(), old.accessList.size(), 0) != 0)
        return false;
    for (const auto& attribute : old.attributes)
        if (::fsetxattr(to, attribute.name.c_str(), attribute.value.data(), attribute.value.size(), 0) != 0 &&
            !mayLeaveOut(errno))
            return false;
    return true;
}

// Decoders of a file's bytes into its text. Each refuses a NUL, which a string cannot hold: what
// follows it would be lost without a word.

// JUCE decodes UTF-16 unit by unit, which splits every character beyond the basic plane in two. A half
// of a surrogate pair without its partner becomes U+FFFD.
bool decodeUTF16(const juce::uint8* bytes, size_t size, bool bigEndian, juce::String& text)
{
    const auto unitAt = [&](size_t i) -> juce::juce_wchar
    { return bigEndian ? (bytes[i] << 8) | bytes[i + 1] : (bytes[i + 1] << 8) | bytes[i]; };
    const auto isHigh = [](juce::juce_wchar unit) { return unit >= 0xd800 && unit < 0xdc00; };
    const auto isLow = [](juce::juce_wchar unit) { return unit >= 0xdc00 && unit < 0xe000; };

    std::vector<juce::juce_wchar> characters;
    characters.reserve(size / 2 + 1);
    for (size_t i = 0; i + 1 < size; i += 2)
    {
        const auto unit = unitAt(i);
        if (unit == 0)
            return false;
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
    text = juce::String(juce::CharPointer_UTF32(characters.data()));
    return true;
}

// Strict UTF-8. JUCE reads text that is not valid UTF-8 as Windows-1252 instead, so one stray byte,
// even in a comment, would change every other non-ASCII character of the file; nor does it refuse
// overlong forms or encoded surrogates.
bool decodeUTF8(const juce::uint8* bytes, size_t size, juce::String& text)
{
    // The lowest character that a lead byte with so many continuation bytes may spell.
    constexpr juce::juce_wchar lowest[] = {0, 0x80, 0x800, 0x10000};
    for (size_t i = 0; i < size;)
    {
        const auto lead = bytes[i];
        const size_t extra = lead >= 0xf0 ? 3 : lead >= 0xe0 ? 2 : lead >= 0xc0 ? 1 : 0;
        if (lead == 0 || (extra == 0 && lead >= 0x80) || lead >= 0xf8 || size - i <= extra)
            return false;

        auto character = (juce::juce_wchar)(lead & (0x7f >> extra));
        for (size_t k = 1; k <= extra; ++k)
        {
            if ((bytes[i + k] & 0xc0) != 0x80)
                return false;
            character = (character << 6) | (bytes[i + k] & 0x3f);
        }
        if (character < lowest[extra] || character > 0x10ffff || (character >= 0xd800 && character < 0xe000))
            return false;
        i += extra + 1;
    }
    text = juce::String::fromUTF8(reinterpret_cast<const char*>(bytes), (int) size);
    return true;
}

// One byte a character. JUCE's Windows-1252 table gives U+0007 for the five bytes that code page
// leaves undefined; they keep their Latin-1 code points, as browsers read them.
bool decodeSingleBytes(const juce::uint8* bytes, size_t size, bool windows1252, juce::String& text)
{
    constexpr juce::juce_wchar undefined = 7;
    std::vector<juce::juce_wchar> characters;
    characters.reserve(size + 1);
    for (size_t i = 0; i < size; ++i)
    {
        if (bytes[i] == 0)
            return false;
        const auto mapped = juce::CharacterFunctions::getUnicodeCharFromWindows1252Codepage(bytes[i]);
        characters.push_back(windows1252 && (mapped != undefined || bytes[i] == undefined) ? mapped
                                                                                           : bytes[i]);
    }
    characters.push_back(0);
    text = juce::String(juce::CharPointer_UTF32(characters.data()));
    return true;
}

// The encoding that the XML declaration at the start of the bytes names; empty when it names none.
std::string_view declaredEncoding(const juce::uint8* bytes, size_t size)
{
    const std::string_view start(reinterpret_cast<const char*>(bytes), size);
    const auto declaration = start.substr(0, start.find("?>"));
    if (start.rfind("<?xml", 0) != 0 || declaration.size() == start.size())
        return {};

    constexpr std::string_view name = "encoding", blanks = " \t\r\n";
    auto at = declaration.find(name);
    if (at != std::string_view::npos)
        at = declaration.find_first_not_of(blanks, at + name.size());
    if (at == std::string_view::npos || declaration[at] != '=')
        return {};
    at = declaration.find_first_not_of(blanks, at + 1);
    if (at == std::string_view::npos || (declaration[at] != '"' && declaration[at] != '\''))
        return {};
    const auto close = declaration.find(declaration[at], at + 1);
    return close == std::string_view::npos ? std::string_view() : declaration.substr(at + 1, close - at - 1);
}

bool namesEncoding(std::string_view value, std::string_view encoding)
{
    return std::equal(value.begin(), value.end(), encoding.begin(), encoding.end(),
                      [](char a, char b)
                      { return std::tolower((unsigned char) a) == std::tolower((unsigned char) b); });
}

// The text written into the old file itself, which so keeps its owner, group, mode, attributes and
// hard links: for a file that a new one could not take the place of without being given away.
bool writeInPlace(int folder, const std::string& name, const struct stat& old, const char* bytes, size_t size)
{
    Descriptor in(::openat(folder, name.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat now;
    if (in.fd < 0 || ::fstat(in.fd, &now) != 0 || !S_ISREG(now.st_mode) || now.st_dev != old.st_dev ||
        now.st_ino != old.st_ino)
        return false;
    return writeAll(in.fd, bytes, size) && ::ftruncate(in.fd, (off_t) size) == 0 && ::fsync(in.fd) == 0 &&
           in.close();
}

// Puts the finished file in place under the name: over the old file, or where there was none, only
// while there is none, so that a file someone made meanwhile is never replaced.
bool putInPlace(int folder, const std::string& temporary, const std::string& name, bool replacing)
{
    if (replacing)
        return ::renameat(folder, temporary.c_str(), folder, name.c_str()) == 0;
    if (::renameat2(folder, temporary.c_str(), folder, name.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    // A file system that cannot rename so can still link, which never replaces either.
    if (errno != EINVAL || ::linkat(folder, temporary.c_str(), folder, name.c_str(), 0) != 0)
        return false;
    ::unlinkat(folder, temporary.c_str(), 0);
    return true;
}
} // namespace

ConfigurationFile::ConfigurationFile(const juce::File& fileToUse) : file(fileToUse) {}

bool ConfigurationFile::decode(const void* data, size_t size, juce::String& text)
{
    const auto* bytes = static_cast<const juce::uint8*>(data);
    const auto bigEndian = size >= 2 && bytes[0] == 0xfe && bytes[1] == 0xff;
    if (bigEndian || (size >= 2 && bytes[0] == 0xff && bytes[1] == 0xfe))
        return decodeUTF16(bytes + 2, size - 2, bigEndian, text);
    if (size >= 3 && bytes[0] == 0xef && bytes[1] == 0xbb && bytes[2] == 0xbf)
        return decodeUTF8(bytes + 3, size - 3, text);

    // Other declared encodings are read as UTF-8, the configuration document's own.
    const auto encoding = declaredEncoding(bytes, size);
    if (namesEncoding(encoding, "ISO-8859-1") || namesEncoding(encoding, "latin1"))
        return decodeSingleBytes(bytes, size, false, text);
    if (namesEncoding(encoding, "windows-1252"))
        return decodeSingleBytes(bytes, size, true, text);
    return decodeUTF8(bytes, size, text);
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

    return decode(data.getData(), size, text);
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

    OldFile old;
    const auto exists = ::fstatat(folder.fd, name.c_str(), &old.status, AT_SYMLINK_NOFOLLOW) == 0;
    if (!exists && errno != ENOENT)
        return false;
    // The walk ends where the system did: at the same file, or at none where the system found none. A
    // file that appeared in between is left alone; a later save may try again.
    const auto sameFile = [&old](int fd)
    {
        struct stat status;
        return ::fstat(fd, &status) == 0 && status.st_dev == old.status.st_dev &&
               status.st_ino == old.status.st_ino;
    };
    if ((named.fd >= 0) != exists || (exists && !sameFile(named.fd)))
        return false;
    // The rename needs only the folder's permission; a file that this process may not write is not
    // replaced behind its back.
    if (exists && (!S_ISREG(old.status.st_mode) || !mayUse(folder.fd, old.status) ||
                   ::faccessat(folder.fd, name.c_str(), W_OK, 0) != 0))
        return false;
    Descriptor attributes(exists ? openAttributes(folder.fd, name) : -1);
    if (exists && (attributes.fd < 0 || !sameFile(attributes.fd) || !lookAt(attributes.fd, old)))
        return false;

    // Short and beside the target, so that a name near the length limit still has room and the
    // rename stays within one file system.
    juce::Random random;
    const auto temporary = ".vexlo-" + juce::String::toHexString(random.nextInt64()).toStdString();

    // Open to this process alone until it is complete, whatever the folder hands down (a default access
    // list, a set-group-id folder's group): whoever opened it before would read the text written later.
    // A new file gets what the umask gives.
    Descriptor out(::openat(folder.fd, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                            exists ? 0600 : 0666));
    if (out.fd < 0)
        return false;

    const auto utf8 = text.toUTF8();
    const auto size = utf8.sizeInBytes() - 1;

    // A file whose owner and group the new one cannot have (another user's, or of a group the saving
    // user has left) keeps them by taking the text itself.
    if (exists && ::fchown(out.fd, old.status.st_uid, old.status.st_gid) != 0)
    {
        out.reset(-1);
        ::unlinkat(folder.fd, temporary.c_str(), 0);
        return writeInPlace(folder.fd, name, old.status, utf8.getAddress(), size);
    }

    // Before the text, which no one the old file kept out may read, and before the mode, which sets the
    // access list's mask.
    const auto carried = !exists || carryAttributes(out.fd, old);
    const auto written = carried && writeAll(out.fd, utf8.getAddress(), size);

    // After the text, since a write by a process that may not keep set-id bits clears them. They are
    // kept with the owner and group they were given for, which the new file has by now.
    if (exists)
        ::fchmod(out.fd, old.status.st_mode & 07777);

    // On disk before the rename, so that a power cut leaves either the old text or the new.
    const auto synced = written && ::fsync(out.fd) == 0;

    // rename replaces the old file in one step; there is no moment without a complete file.
    if (!out.close() || !synced || !putInPlace(folder.fd, temporary, name, exists))
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
