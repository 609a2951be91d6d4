#include "app/FileMetadata.h"

#include <cerrno>
#include <cstring>
#include <sys/xattr.h>

namespace
{
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

constexpr auto accessListName = "system.posix_acl_access";

// An attribute other than the access list is left out where this process may not read or set it
// (security.* or trusted.* for most users), the file system keeps no such attribute, it went while it
// was read, or it finds no room on the new file.
bool mayLeaveOut(int error)
{
    return error == EPERM || error == EACCES || error == ENOTSUP || error == ENODATA || error == E2BIG ||
           error == ENOSPC;
}
} // namespace

bool FileMetadata::readSteadily(int fd)
{
    // A change while the parts were read (the owner swapping mode and access list, say) reads them all
    // again, and a file that keeps changing is not saved over: mixed, the parts could open the new file
    // to someone neither state let in.
    constexpr int tries = 5;
    for (int attempt = 0; attempt < tries; ++attempt)
    {
        struct stat before;
        if (::fstat(fd, &before) != 0 || !readAttributes(fd) || ::fstat(fd, &status) != 0)
            return false;
        if (before.st_ctim.tv_sec == status.st_ctim.tv_sec &&
            before.st_ctim.tv_nsec == status.st_ctim.tv_nsec && before.st_mode == status.st_mode &&
            before.st_uid == status.st_uid && before.st_gid == status.st_gid &&
            (!hasAccessList || accessListAgreesWithMode(accessList, status.st_mode)))
            return true;
    }
    return false;
}

bool FileMetadata::readAttributes(int fd)
{
    hasAccessList = readAll(
        [&](char* bytes, size_t size) { return ::fgetxattr(fd, accessListName, bytes, size); }, accessList);
    if (!hasAccessList && errno != ENODATA && errno != ENOTSUP)
        return false;

    // More names than the system lists at once leave out every attribute but the access list, as does a
    // file system that keeps none; any other failure to list them fails like any other read.
    attributes.clear();
    std::vector<char> names;
    if (!readAll([&](char* list, size_t size) { return ::flistxattr(fd, list, size); }, names))
        return errno == E2BIG || errno == ENOTSUP;
    for (size_t at = 0; at < names.size(); at += std::strlen(names.data() + at) + 1)
    {
        Attribute attribute{names.data() + at, {}};
        if (attribute.name == accessListName)
            continue;
        if (readAll([&](char* bytes, size_t size)
                    { return ::fgetxattr(fd, attribute.name.c_str(), bytes, size); },
                    attribute.value))
            attributes.push_back(std::move(attribute));
        else if (!mayLeaveOut(errno))
            return false;
    }
    return true;
}

bool FileMetadata::carryAttributesTo(int fd) const
{
    // The access list goes first, since it takes room that the old file's other attributes may need.
    if (::fremovexattr(fd, accessListName) != 0 && errno != ENODATA && errno != ENOTSUP)
        return false;
    if (hasAccessList && ::fsetxattr(fd, accessListName, accessList.data(), accessList.size(), 0) != 0)
        return false;
    for (const auto& attribute : attributes)
        if (::fsetxattr(fd, attribute.name.c_str(), attribute.value.data(), attribute.value.size(), 0) != 0 &&
            !mayLeaveOut(errno))
            return false;
    return true;
}

bool FileMetadata::accessListAgreesWithMode(const std::vector<char>& list, mode_t mode)
{
    // A 4-byte header, then 8-byte entries of a little-endian 16-bit tag, 16-bit permissions and 32-bit
    // id. The mask entry bounds the group class; a list without one has only the owning group in it.
    constexpr size_t header = 4, entry = 8;
    constexpr int groupTag = 0x04, maskTag = 0x10;
    const auto at16 = [&](size_t at)
    { return (unsigned char) list[at] | ((unsigned char) list[at + 1] << 8); };
    int group = -1, mask = -1;
    for (size_t at = header; at + entry <= list.size(); at += entry)
    {
        if (at16(at) == maskTag)
            mask = at16(at + 2);
        else if (at16(at) == groupTag)
            group = at16(at + 2);
    }
    return (mask >= 0 ? mask : group) == (int) ((mode >> 3) & 7);
}
