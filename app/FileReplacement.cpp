#include "app/FileReplacement.h"

#include "app/FileDescriptor.h"
#include "app/FileMetadata.h"

#include <juce_core/juce_core.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <thread>
#include <unistd.h>

namespace
{
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
bool isTrustedInFolder(int folder, const struct stat& entry)
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
bool resolveLinks(const std::filesystem::path& path, FileDescriptor& folder, std::string& name)
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
        if (links == maximumLinks || !isTrustedInFolder(folder.fd, status))
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

// The old file for its attributes alone. Write access, which saving needs anyway, reaches its access
// list where the process may not read the file.
int openForAttributes(int folder, const std::string& name)
{
    constexpr auto flags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    const auto fd = ::openat(folder, name.c_str(), O_RDONLY | flags);
    return fd >= 0 || errno != EACCES ? fd : ::openat(folder, name.c_str(), O_WRONLY | flags);
}

bool isSameFile(int fd, const struct stat& status)
{
    struct stat now;
    return ::fstat(fd, &now) == 0 && now.st_dev == status.st_dev && now.st_ino == status.st_ino;
}

// Whoever may write in a folder may put an entry of their own under a name there at any moment, and no
// lock keeps them from it: a save holds only while the name leads to the very file it writes.
bool nameLeadsTo(int folder, const std::string& name, int fd)
{
    struct stat status;
    return ::fstatat(folder, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 && isSameFile(fd, status);
}

// Where a save puts the bytes: the name in a folder, and the file that stood there when it began.
struct Target
{
    FileDescriptor folder{-1};
    std::string name;
    bool exists = false;
    FileMetadata old;
};

// Follows the path to the name that the bytes go under, and looks at the file there, if any. False
// where the save must not go on.
bool findTarget(const std::filesystem::path& path, Target& target)
{
    // Saving through a link writes into the file it names, so that the link stays one. Whether an
    // existing file can be reached by this name at all is the system's to say, and the walk must end at
    // that same file; only a chain that leads nowhere yet is followed by hand alone.
    FileDescriptor named(::open(path.c_str(), O_PATH | O_CLOEXEC));
    if ((named.fd < 0 && errno != ENOENT) || !resolveLinks(path, target.folder, target.name))
        return false;

    const auto folder = target.folder.fd;
    const auto* name = target.name.c_str();
    auto& old = target.old.status;
    target.exists = ::fstatat(folder, name, &old, AT_SYMLINK_NOFOLLOW) == 0;
    // The walk ends where the system did: at the same file, or at none where the system found none. A
    // file that appeared in between is left alone; a later save may try again.
    if (!target.exists)
        return errno == ENOENT && named.fd < 0;
    if (named.fd < 0 || !isSameFile(named.fd, old))
        return false;

    // The rename needs only the folder's permission; a file that this process may not write is not
    // replaced behind its back.
    if (!S_ISREG(old.st_mode) || !isTrustedInFolder(folder, old) || ::faccessat(folder, name, W_OK, 0) != 0)
        return false;
    FileDescriptor attributes(openForAttributes(folder, target.name));
    return attributes.fd >= 0 && isSameFile(attributes.fd, old) && target.old.readSteadily(attributes.fd);
}

// Two saves into one file take turns, so that it ends with one text or the other, whole. A lock that
// another process keeps past a short while fails this save rather than stopping the editor.
bool lockWithinASecond(int fd)
{
    constexpr int tries = 100;
    constexpr auto pause = std::chrono::milliseconds(10);
    for (int attempt = 0;; ++attempt)
    {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            return true;
        if (errno != EWOULDBLOCK || attempt == tries)
            return false;
        std::this_thread::sleep_for(pause);
    }
}

// Whether a disk that cannot reserve room surely has enough free for a file of the given size, with the
// blocks that map it, where a file system such as ext2 needs them. Nothing is counted on from the blocks
// the file holds already: how many a write into it may reuse is the file system's to say.
bool hasRoomFor(const struct statvfs& disk, size_t size)
{
    // One that counts no blocks at all, as ramfs, keeps no account of room to decide from.
    if (disk.f_blocks == 0)
        return true;
    const unsigned long long block = disk.f_frsize, pointersPerBlock = block / 4;
    if (pointersPerBlock == 0)
        return false;
    // A block of 4-byte pointers for each run of data blocks that one maps, as many again for the levels
    // above them, and the three roots; and an eighth more for what the reckoning misses.
    const auto data = (size + block - 1) / block;
    const auto needed = data + 2 * ((data + pointersPerBlock - 1) / pointersPerBlock) + 3;
    return needed + needed / 8 <= disk.f_bavail;
}

// Room on disk for the file to hold the given number of bytes, so that a full disk fails a save in place
// before its first byte, with the old contents whole. The reservation keeps the file's size, so one that
// fails changes neither size nor contents; posix_fallocate would write into the file instead where the
// file system cannot reserve, and such a file system is asked how much room it has left.
bool reserveRoom(int fd, size_t size)
{
    if (size == 0 || ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, (off_t) size) == 0)
        return true;
    if (errno != EOPNOTSUPP && errno != ENOSYS)
    {
        // ext4 keeps what a failed reservation got past the file's end, room that the disk's other users
        // then miss, until the file is truncated, even to its own size.
        struct stat status;
        if (::fstat(fd, &status) == 0)
            ::ftruncate(fd, status.st_size);
        return false;
    }
    struct statvfs disk;
    return ::fstatvfs(fd, &disk) == 0 && hasRoomFor(disk, size);
}

// The bytes written into the old file itself, which so keeps its owner, group, access list and
// attributes, while every hard link to it shows the new bytes and a write by a user who may not keep a
// set-user-id bit clears it: for a file that a new one could not take the place of without being given
// away, or in a folder where no new file can be made.
bool writeIntoOldFile(const Target& target, std::string_view bytes)
{
    FileDescriptor file(::openat(target.folder.fd, target.name.c_str(),
                                 O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.fd < 0 || !isSameFile(file.fd, target.old.status))
        return false;
    // The lock goes with the descriptor's close, after the flush. A file put in this one's place while
    // the lock was awaited is left alone, and so is this one.
    const auto named = [&] { return nameLeadsTo(target.folder.fd, target.name, file.fd); };
    return lockWithinASecond(file.fd) && named() && reserveRoom(file.fd, bytes.size()) &&
           writeAll(file.fd, bytes.data(), bytes.size()) && ::ftruncate(file.fd, (off_t) bytes.size()) == 0 &&
           ::fsync(file.fd) == 0 && named() && file.close();
}

// Short and beside the target, so that a name near the length limit still has room and the rename stays
// within one file system.
std::string temporaryName()
{
    juce::Random random;
    return ".vexlo-" + juce::String::toHexString(random.nextInt64()).toStdString();
}

// The new file complete and on disk, with everything the old one hands on.
bool fillNewFile(int fd, const Target& target, std::string_view bytes)
{
    // Before the bytes, which no one the old file kept out may read, and before the mode, which sets the
    // access list's mask.
    if ((target.exists && !target.old.carryAttributesTo(fd)) || !writeAll(fd, bytes.data(), bytes.size()))
        return false;

    // After the bytes, since a write by a process that may not keep set-id bits clears them. They are
    // kept with the owner and group they were given for, which the new file has by now.
    if (target.exists)
        ::fchmod(fd, target.old.status.st_mode & 07777);

    // On disk before the rename, so that a power cut leaves either the old contents or the new.
    return ::fsync(fd) == 0;
}

// Gives the complete new file the target's name: over the old file in one step, so that there is no
// moment without a complete file; or, where there was none, only while there is none, so that a file
// someone made meanwhile is never replaced.
bool renameIntoPlace(const Target& target, const std::string& temporary)
{
    const auto folder = target.folder.fd;
    if (target.exists)
        return ::renameat(folder, temporary.c_str(), folder, target.name.c_str()) == 0;
    if (::renameat2(folder, temporary.c_str(), folder, target.name.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    // A file system that cannot rename so can still link, which never replaces either.
    if (errno != EINVAL || ::linkat(folder, temporary.c_str(), folder, target.name.c_str(), 0) != 0)
        return false;
    ::unlinkat(folder, temporary.c_str(), 0);
    return true;
}

// The new name reaches the disk with its folder. The save has happened either way, and without it a
// power cut leaves the old contents, so a folder that cannot be flushed changes nothing.
void syncFolder(int folder)
{
    FileDescriptor listing(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (listing.fd >= 0)
        ::fsync(listing.fd);
}
} // namespace

bool replaceFileContents(const std::filesystem::path& path, std::string_view bytes)
{
    // The temporary file is made, renamed and removed through one folder, whatever happens to the links
    // on the way to it meanwhile.
    Target target;
    if (!findTarget(path, target))
        return false;

    // Open to this process alone until it is complete, whatever the folder hands down (a default access
    // list, a set-group-id folder's group): whoever opened it before would read the bytes written later.
    // A new file gets what the umask gives.
    const auto temporary = temporaryName();
    FileDescriptor out(::openat(target.folder.fd, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                                target.exists ? 0600 : 0666));
    // A folder that refuses the user a new file leaves a file that the user may write to take the bytes
    // itself; a full disk, or too many files, leaves it whole.
    if (out.fd < 0)
        return target.exists && (errno == EACCES || errno == EPERM) && writeIntoOldFile(target, bytes);

    // A file whose owner and group the new one cannot have (another user's, or of a group the saving user
    // has left) keeps them by taking the bytes itself.
    const auto& old = target.old.status;
    if (target.exists && ::fchown(out.fd, old.st_uid, old.st_gid) != 0)
    {
        out.reset(-1);
        ::unlinkat(target.folder.fd, temporary.c_str(), 0);
        return writeIntoOldFile(target, bytes);
    }

    // Another's entry under the temporary name is never renamed over the old file, and one that takes
    // the place of the new file after all fails the save. Kept open meanwhile, the new file keeps its
    // number to itself.
    FileDescriptor made(::dup(out.fd));
    if (made.fd < 0 || !fillNewFile(out.fd, target, bytes) || !out.close() ||
        !nameLeadsTo(target.folder.fd, temporary, made.fd) || !renameIntoPlace(target, temporary))
    {
        ::unlinkat(target.folder.fd, temporary.c_str(), 0);
        return false;
    }
    syncFolder(target.folder.fd);
    return nameLeadsTo(target.folder.fd, target.name, made.fd);
}
