// Pins the configuration file's reading of regular files only, up to a size limit. And its writing:
// exact UTF-8 bytes, no leftovers even while a folder link changes, the old file byte for byte after a
// failure on a full or read-only disk, a lock or a refusal, saving through links as far as the system
// lets the user follow them, the old file's mode, owner, access list and attributes from one look at
// it, set-id bits only with the owner and group, nothing readable by those the old file kept out while
// it is written, a name taken meanwhile left alone, and the text written into a file a new one could
// not take the place of, or in a folder that refuses a new file.
#include "app/ConfigurationFile.h"

#include "app/FileMetadata.h"
#include "support/JucePrinters.h"
#include "support/LaunchedProgram.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <future>
#include <poll.h>
#include <string>
#include <sys/file.h>
#include <sys/fsuid.h>
#include <sys/inotify.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <thread>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace
{
juce::MemoryBlock bytesOf(const juce::File& file)
{
    juce::MemoryBlock bytes;
    EXPECT_TRUE(file.loadFileAsData(bytes));
    return bytes;
}

// Every entry of the folder, hidden ones included, in alphabetical order.
juce::StringArray namesIn(const juce::File& folder)
{
    juce::StringArray names;
    for (const auto& entry : folder.findChildFiles(juce::File::findFilesAndDirectories, false, "*"))
        names.add(entry.getFileName());
    names.sort(false);
    return names;
}

struct stat statusOf(const juce::File& file)
{
    struct stat status = {};
    EXPECT_EQ(lstat(file.getFullPathName().toRawUTF8(), &status), 0) << file.getFullPathName();
    return status;
}

// A save run by this test program as the user nobody when it runs as root (see TestMain.cpp).
bool saveAsNobody(const juce::File& file, const juce::String& text)
{
    LaunchedProgram saver(
        {juce::File::getSpecialLocation(juce::File::currentExecutableFile).getFullPathName(),
         "--save-as-nobody", file.getFullPathName(), text},
        {});
    int exitCode = -1;
    EXPECT_TRUE(saver.waitForExit(60000, exitCode));
    return exitCode == 0;
}

// The value of the file's extended attribute, or "none".
std::string attributeOf(const juce::File& file, const char* name)
{
    std::string value(4096, '\0');
    const auto size = getxattr(file.getFullPathName().toRawUTF8(), name, value.data(), value.size());
    return size < 0 ? "none" : value.substr(0, (size_t) size);
}

// An access list in the kernel's form, from entries of tag, user or group, and permissions.
std::string accessList(std::initializer_list<std::tuple<std::uint16_t, std::uint32_t, std::uint16_t>> entries)
{
    std::string list("\2\0\0\0", 4);
    for (const auto& [tag, id, permissions] : entries)
    {
        const std::array<std::uint16_t, 2> entry{tag, permissions};
        list.append(reinterpret_cast<const char*>(entry.data()), 4)
            .append(reinterpret_cast<const char*>(&id), 4);
    }
    return list;
}

// Read and write for the owner, its group and one more user.
std::string accessListFor(uid_t user)
{
    return accessList({{1, ~0u, 6}, {2, user, 6}, {4, ~0u, 6}, {0x10, ~0u, 6}, {0x20, ~0u, 0}});
}

bool setAttribute(const juce::File& file, const std::string& name, const std::string& value)
{
    return setxattr(file.getFullPathName().toRawUTF8(), name.c_str(), value.data(), value.size(), 0) == 0;
}

// Runs the saves while another process acts again and again on a thread of its own, as the given user
// and group (setfsuid and setfsgid hold for that thread alone); the saves start once it has acted twice.
void alongside(uid_t user, gid_t group, const std::function<void()>& act, const std::function<void()>& saves)
{
    std::atomic<int> acts{0};
    std::atomic<bool> acting{true};
    std::thread other(
        [&]
        {
            setfsgid(group);
            setfsuid(user);
            for (; acting; ++acts)
                act();
        });
    while (acts < 2)
        std::this_thread::yield();
    saves();
    acting = false;
    other.join();
}

// How many files made in the folder during the saves another user's process could act on as soon as
// each appeared.
int actedOnNewFiles(const juce::File& folder, uid_t user, gid_t group,
                    const std::function<bool(const std::string&)>& act, const std::function<void()>& saves)
{
    const auto watch = inotify_init1(IN_CLOEXEC);
    inotify_add_watch(watch, folder.getFullPathName().toRawUTF8(), IN_CREATE);
    int acted = 0;
    const auto look = [&]
    {
        alignas(inotify_event) char events[4096];
        pollfd ready{watch, POLLIN, 0};
        const auto size = poll(&ready, 1, 10) > 0 ? read(watch, events, sizeof(events)) : 0;
        for (ssize_t at = 0; at < size;
             at += (ssize_t) sizeof(inotify_event) + ((inotify_event*) (events + at))->len)
            acted +=
                act(folder.getFullPathName().toStdString() + "/" + ((inotify_event*) (events + at))->name);
    };
    alongside(user, group, look, saves);
    close(watch);
    return acted;
}

// A file system of its own, mounted for the test's lifetime; only root may mount one: a tmpfs, or one that
// mkfs makes with as many 1 KiB blocks, in an image that the mount hides, and fills to all but some KiB.
class ScopedDisk
{
public:
    explicit ScopedDisk(const char* options, const juce::String& type = "tmpfs", int freeKiB = 0)
    {
        folder.createDirectory();
        const auto loop =
            "sh -c 'mkfs.$0 -q -b 1024 -m 0 $1/i $2 >/dev/null 2>&1 && mount -o loop $1/i $1 && (dd "
            "if=/dev/zero of=$1/f bs=1k; truncate -s -$3K $1/f; sync -f $1) 2>/dev/null' " +
            type + " " + folder.getFullPathName() + " " + options + " " + juce::String(freeKiB);
        mounted = geteuid() == 0 &&
                  (type == "tmpfs" ? mount("tmpfs", folder.getFullPathName().toRawUTF8(), "tmpfs", 0, options)
                                   : std::system(loop.toRawUTF8())) == 0;
    }

    ~ScopedDisk()
    {
        umount2(folder.getFullPathName().toRawUTF8(), MNT_DETACH);
        folder.deleteRecursively();
    }

    bool remountReadOnly()
    {
        return mount("tmpfs", folder.getFullPathName().toRawUTF8(), "tmpfs", MS_REMOUNT | MS_RDONLY,
                     nullptr) == 0;
    }

    juce::File folder = juce::File::createTempFile("tmpfs");
    bool mounted = false;
};
} // namespace

TEST(ConfigurationFile, ReadsUpToTheLimitAndRefusesMoreWithoutTouchingTheText)
{
    const juce::TemporaryFile temporary;
    const auto& file = temporary.getFile();
    juce::String text = "untouched";

    EXPECT_FALSE(ConfigurationFile(file).read(text));
    EXPECT_FALSE(ConfigurationFile(file.getParentDirectory()).read(text));
    EXPECT_EQ(text, "untouched");

    juce::MemoryBlock limit((size_t) ConfigurationFile::maximumSize);
    limit.fillWith('a');
    ASSERT_TRUE(file.replaceWithData(limit.getData(), limit.getSize()));
    ASSERT_TRUE(ConfigurationFile(file).read(text));
    EXPECT_EQ(text.length(), ConfigurationFile::maximumSize);

    text = "untouched";
    ASSERT_TRUE(file.appendText("a"));
    EXPECT_FALSE(ConfigurationFile(file).read(text));
    EXPECT_EQ(text, "untouched");
}

TEST(ConfigurationFile, AnAccessListAgreesWithTheModeByItsMaskOrElseItsGroupEntry)
{
    const auto agrees = [](const std::string& list, mode_t mode) {
        return FileMetadata::accessListAgreesWithMode({list.begin(), list.end()}, mode);
    };
    const auto masked = accessList({{1, ~0u, 6}, {2, 1234, 6}, {4, ~0u, 6}, {0x10, ~0u, 4}, {0x20, ~0u, 0}});
    const auto unmasked = accessList({{1, ~0u, 6}, {4, ~0u, 2}, {0x20, ~0u, 0}});
    EXPECT_TRUE(agrees(masked, 0640) && agrees(unmasked, 0620));
    EXPECT_FALSE(agrees(masked, 0660) || agrees(masked, 0600) || agrees(unmasked, 0660));
}

TEST(ConfigurationFile, ReadsAndReplacesOnlyRegularFiles)
{
    const juce::TemporaryFile folder;
    ASSERT_TRUE(folder.getFile().createDirectory());
    const auto fifo = folder.getFile().getChildFile("fifo.vexlo");
    ASSERT_EQ(mkfifo(fifo.getFullPathName().toRawUTF8(), 0600), 0);

    // A read that waited for a writer would stop the suite for good; after a while it gets one.
    juce::String text = "untouched";
    auto reading = std::async(std::launch::async, [&] { return ConfigurationFile(fifo).read(text); });
    if (reading.wait_for(std::chrono::seconds(5)) == std::future_status::timeout)
        close(open(fifo.getFullPathName().toRawUTF8(), O_WRONLY | O_NONBLOCK));
    EXPECT_FALSE(reading.get());
    EXPECT_FALSE(ConfigurationFile(juce::File("/dev/null")).read(text));
    EXPECT_EQ(text, "untouched");

    EXPECT_FALSE(ConfigurationFile(fifo).write("new"));
    EXPECT_TRUE(S_ISFIFO(statusOf(fifo).st_mode));
}

TEST(ConfigurationFile, WritesExactUTF8OverTheOldFileKeepingItsAttributesAndLeavesNothingElse)
{
    const juce::TemporaryFile folder;
    ASSERT_TRUE(folder.getFile().createDirectory());
    const auto file = folder.getFile().getChildFile("a.vexlo");
    ASSERT_TRUE(file.replaceWithText("old, longer than what replaces it"));

    const auto text = juce::String::fromUTF8("<K\xc3\xb6nig/>\r\n");
    ASSERT_TRUE(ConfigurationFile(file).write(text));

    const char expected[] = "<K\xc3\xb6nig/>\r\n";
    EXPECT_EQ(bytesOf(file), juce::MemoryBlock(expected, sizeof(expected) - 1));
    EXPECT_EQ(namesIn(folder.getFile()), juce::StringArray("a.vexlo"));

    juce::String read;
    ASSERT_TRUE(ConfigurationFile(file).read(read));
    EXPECT_EQ(read, text);

    EXPECT_FALSE(ConfigurationFile(folder.getFile().getChildFile("missing/b.vexlo")).write(text));
    EXPECT_EQ(namesIn(folder.getFile()), juce::StringArray("a.vexlo"));

    // The longest name a folder takes leaves no room for a temporary name built on it.
    const auto longest = juce::String::repeatedString("n", 249) + ".vexlo";
    ASSERT_TRUE(ConfigurationFile(folder.getFile().getChildFile(longest)).write(text));
    EXPECT_EQ(namesIn(folder.getFile()), juce::StringArray("a.vexlo", longest));

    // A name that someone takes while a new file is saved under it stays theirs.
    for (int save = 0; save < 10; ++save)
    {
        const auto taken = folder.getFile().getChildFile("taken" + juce::String(save) + ".vexlo");
        const auto take = [&](const std::string&)
        { return close(open(taken.getFullPathName().toRawUTF8(), O_WRONLY | O_CREAT | O_EXCL, 0644)) == 0; };
        auto saved = false;
        const auto took = actedOnNewFiles(folder.getFile(), 0, 0, take,
                                          [&] { saved = ConfigurationFile(taken).write(text); });
        EXPECT_EQ(taken.loadFileAsString(), took > 0 ? "" : text) << save;
        EXPECT_NE(saved, took > 0) << save;
    }

    // In a folder that anyone may write, another user's file put under the new file's temporary name never
    // passes for it: a save fails, as some do, or has its text at the name.
    const auto raced = folder.getFile().getChildFile("raced.vexlo");
    const auto own = folder.getFile().getChildFile("own").getFullPathName().toStdString();
    const auto putOwn = [&](const std::string& name)
    { return close(creat(own.c_str(), 0644)) == 0 && rename(own.c_str(), name.c_str()) == 0; };
    juce::StringArray outcomes;
    const auto saves = [&]
    {
        for (int save = 0; save < 100; ++save)
            outcomes.addIfNotAlreadyThere(ConfigurationFile(raced).write(text) ? raced.loadFileAsString()
                                                                               : "failed");
    };
    ASSERT_EQ(chmod(folder.getFile().getFullPathName().toRawUTF8(), 0777), 0);
    actedOnNewFiles(folder.getFile(), 1234, 1234, putOwn, saves);
    outcomes.removeString(text);
    EXPECT_EQ(outcomes, juce::StringArray("failed"));

    // The old file's access list and attributes stay, and the folder's default list is not added.
    const auto listed = folder.getFile().getChildFile("listed.vexlo");
    const auto full = folder.getFile().getChildFile("full.vexlo");
    ASSERT_TRUE(listed.replaceWithText("old") && full.replaceWithText("old"));
    ASSERT_EQ(chmod(file.getFullPathName().toRawUTF8(), 0660), 0);
    constexpr auto list = "system.posix_acl_access";
    if (!setAttribute(listed, list, accessListFor(4321)) || !setAttribute(listed, "user.note", "kept") ||
        !setAttribute(folder.getFile(), "system.posix_acl_default", accessListFor(1234)))
        GTEST_SKIP() << "the file system here keeps no access lists or user attributes; not run";
    // Also where the old file's attributes fill all the room there is.
    int count = 0;
    std::string last;
    for (const auto size : {200, 20, 1})
        for (; setAttribute(full, "user." + std::to_string(count), std::string((size_t) size, 'v')); ++count)
            last = std::string((size_t) size, 'v');
    ASSERT_TRUE(ConfigurationFile(file).write(text) && ConfigurationFile(listed).write(text));
    EXPECT_TRUE(ConfigurationFile(full).write(text));
    EXPECT_EQ(attributeOf(file, list), "none");
    EXPECT_EQ(statusOf(file).st_mode & 07777, 0660u);
    EXPECT_EQ(attributeOf(listed, list), accessListFor(4321));
    EXPECT_EQ(attributeOf(listed, "user.note"), "kept");
    EXPECT_EQ(attributeOf(full, ("user." + std::to_string(count - 1)).c_str()), last);

    // Until it is complete the new file is open to no one but its maker, though the folder hands new
    // files its group and a default list that names another user, neither of whom may read the old one
    // (a folder that root gives to another group).
    if (geteuid() == 0)
    {
        ASSERT_EQ(chown(folder.getFile().getFullPathName().toRawUTF8(), (uid_t) -1, 4321), 0);
        ASSERT_EQ(chmod(folder.getFile().getFullPathName().toRawUTF8(), 02755), 0);
        ASSERT_EQ(chmod(file.getFullPathName().toRawUTF8(), 0640), 0);
        const auto opens = [](const std::string& path) { return close(open(path.c_str(), O_RDONLY)) == 0; };
        const auto saves = [&]
        {
            for (int save = 0; save < 200; ++save)
                ConfigurationFile(file).write(text);
        };
        EXPECT_EQ(actedOnNewFiles(folder.getFile(), 1234, 4321, opens, saves), 0);
    }

    // The mode and the access list come from one look at the old file, while its owner switches it
    // between two states, each in one step: user 1234 may never write it. Only such a race makes the
    // look read the file again.
    const auto unshared = accessList({{1, ~0u, 6}, {4, ~0u, 6}, {0x20, ~0u, 0}});
    const auto masked = accessList({{1, ~0u, 6}, {2, 1234, 6}, {4, ~0u, 0}, {0x10, ~0u, 0}, {0x20, ~0u, 0}});
    ASSERT_TRUE(setAttribute(file, list, unshared));
    for (int save = 0; save < 200; ++save)
    {
        const auto old = open(file.getFullPathName().toRawUTF8(), O_RDONLY);
        auto shared = false;
        const auto change = [&]
        {
            const auto& state = (shared = !shared) ? masked : unshared;
            fsetxattr(old, list, state.data(), state.size(), 0);
            // A few microseconds in each state, time enough for a look at the file.
            for (const auto since = std::chrono::steady_clock::now();
                 std::chrono::steady_clock::now() - since < std::chrono::microseconds(10);)
                ;
        };
        alongside(0, 0, change, [&] { ConfigurationFile(file).write(text); });
        close(old);
        ASSERT_TRUE(attributeOf(file, list) == "none" || (statusOf(file).st_mode & 070) == 0) << save;
    }
}

TEST(ConfigurationFile, AFullDiskOrALockLeavesTheOldFileByteForByte)
{
    // Two old files fill a tmpfs of four pages, or all but 14 KiB of ext2, which cannot reserve room, and
    // 10 of ext4, and the new text needs 20: neither a new file nor a file saved in place (root's, which
    // nobody may write but not own) finds room for it, nor keeps any of the room it tried; a short one fits.
    for (const auto& [type, size, spare] :
         {std::tuple{"tmpfs", "size=16k", 0}, {"ext2", "2048", 26}, {"ext4", "2048", 22}})
    {
        ScopedDisk disk(size, type, spare);
        if (!disk.mounted)
            GTEST_SKIP() << "needs root, and mkfs for ext, to mount a small " << type << "; not run";

        const auto file = disk.folder.getChildFile("full.vexlo"),
                   inPlace = disk.folder.getChildFile("in-place.vexlo");
        const auto old = juce::String::repeatedString("old ", 1500);
        ASSERT_TRUE(file.replaceWithText(old) && inPlace.replaceWithText(old));
        ASSERT_EQ(chown(inPlace.getFullPathName().toRawUTF8(), 0, 65534), 0);
        ASSERT_EQ(chmod(inPlace.getFullPathName().toRawUTF8(), 0660), 0);
        const auto before = bytesOf(file);
        const auto room = std::tuple(inPlace.getBytesFreeOnVolume(), statusOf(inPlace).st_blocks);

        const auto text = juce::String::repeatedString("new ", 5000);
        EXPECT_FALSE(ConfigurationFile(file).write(text));
        EXPECT_FALSE(saveAsNobody(inPlace, text));
        EXPECT_EQ(std::tuple(inPlace.getBytesFreeOnVolume(), statusOf(inPlace).st_blocks), room) << type;
        EXPECT_EQ(bytesOf(file), before);
        EXPECT_EQ(bytesOf(inPlace), before);
        EXPECT_TRUE(saveAsNobody(inPlace, "new")) << type;
        // Nor is a short text written in place while another process keeps the file locked, nor once it lets
        // go, where the file's owner put another in its place meanwhile: the saver opens the file for its
        // attributes, closes it and opens it again to write.
        const auto holder = open(inPlace.getFullPathName().toRawUTF8(), O_RDONLY),
                   watch = inotify_init1(IN_NONBLOCK);
        EXPECT_FALSE(flock(holder, LOCK_EX) != 0 || saveAsNobody(inPlace, "newer"));
        inotify_add_watch(watch, inPlace.getFullPathName().toRawUTF8(), IN_OPEN | IN_CLOSE_NOWRITE);
        auto saving = std::async(std::launch::async, [&] { return saveAsNobody(inPlace, "newer"); });
        for (int events = 0;
             events < 3 && saving.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready;)
            events += read(watch, std::array<inotify_event, 1>().data(), sizeof(inotify_event)) > 0;
        EXPECT_FALSE(rename(file.getFullPathName().toRawUTF8(), inPlace.getFullPathName().toRawUTF8()) != 0 ||
                     flock(holder, LOCK_UN) != 0 || saving.get())
            << type;
        EXPECT_EQ(bytesOf(inPlace), before);
        EXPECT_EQ(juce::File("/proc/self/fd/" + juce::String(holder)).loadFileAsString(), "new") << type;
        EXPECT_EQ(close(holder) + close(watch), 0);
        EXPECT_FALSE(namesIn(disk.folder).joinIntoString("/").contains(".vexlo-")) << type;
    }
}

TEST(ConfigurationFile, AReadOnlyFolderLeavesTheOldFileByteForByte)
{
    // Root writes through permissions, so the folder is a file system mounted read-only.
    ScopedDisk disk("size=64k");
    if (!disk.mounted)
        GTEST_SKIP() << "needs root to mount a tmpfs read-only; the read-only case was not run";

    const auto file = disk.folder.getChildFile("kept.vexlo");
    ASSERT_TRUE(file.replaceWithText("old"));
    const auto before = bytesOf(file);
    ASSERT_TRUE(disk.remountReadOnly());

    EXPECT_FALSE(ConfigurationFile(file).write("new"));
    EXPECT_EQ(bytesOf(file), before);
    EXPECT_EQ(namesIn(disk.folder), juce::StringArray("kept.vexlo"));
}

TEST(ConfigurationFile, SavesThroughLinksIntoTheFilesTheyLeadToKeepingModeAndOwner)
{
    // The targets on a file system of their own when root may mount one: a temporary file beside the
    // link instead of beside the target could then not be renamed into place.
    ScopedDisk targets("size=64k");
    const juce::TemporaryFile links;
    ASSERT_TRUE(links.getFile().createDirectory());
    const auto target = targets.folder.getChildFile("a.vexlo");
    ASSERT_TRUE(target.replaceWithText("old"));
    // A private file, and one given away first where the test may do so (as root).
    const auto owner = geteuid() == 0 ? (uid_t) 65534 : geteuid();
    ASSERT_EQ(chmod(target.getFullPathName().toRawUTF8(), 0600), 0);
    ASSERT_EQ(chown(target.getFullPathName().toRawUTF8(), owner, (gid_t) -1), 0);
    const auto absolute = links.getFile().getChildFile("a.vexlo");
    const auto relative = links.getFile().getChildFile("relative.vexlo");
    const auto loop = links.getFile().getChildFile("loop.vexlo");
    ASSERT_TRUE(juce::File::createSymbolicLink(absolute, target.getFullPathName(), false));
    ASSERT_TRUE(juce::File::createSymbolicLink(relative, "a.vexlo", false));
    ASSERT_TRUE(juce::File::createSymbolicLink(loop, "loop.vexlo", false));
    // The system opens a path through 40 links and no more: "40" leads to the target through 40.
    for (int count = 2; count <= 41; ++count)
        ASSERT_TRUE(juce::File::createSymbolicLink(links.getFile().getChildFile(juce::String(count)),
                                                   count == 2 ? "a.vexlo" : juce::String(count - 1), false));
    // Forty links that climb out of a long-named folder and back are opened by the system, though the
    // path they spell passes its limit; thirty that each also pass a folder link (61 in all) are not.
    const auto deep = links.getFile().getChildFile(juce::String::repeatedString("f", 120));
    const auto link = [&](const juce::String& name, const juce::String& to)
    { return juce::File::createSymbolicLink(deep.getChildFile(name), to, false); };
    ASSERT_TRUE(deep.createDirectory() && link("D", "."));
    for (int n = 1; n <= 40; ++n)
        ASSERT_TRUE(
            link("l" + juce::String(n), n == 1 ? target.getFullPathName()
                                               : "../" + deep.getFileName() + "/l" + juce::String(n - 1)) &&
            link("m" + juce::String(n), n == 1 ? "D/l1" : "D/m" + juce::String(n - 1)));
    // Set-id bits, which a write clears unless the writer may keep them (root may), and which do not
    // outlive the owner and group they were given for. A file that a new one could not take the place
    // of without being given away, another user's or of a group its owner has left, takes the text.
    const auto setId = targets.folder.getChildFile("set-id.vexlo");
    const auto givenAway = targets.folder.getChildFile("given-away.vexlo");
    const auto leftGroup = targets.folder.getChildFile("left-group.vexlo");
    ASSERT_TRUE(leftGroup.replaceWithText("old"));
    ASSERT_EQ(chown(leftGroup.getFullPathName().toRawUTF8(), owner, geteuid() == 0 ? 4000 : (gid_t) -1), 0);
    const auto stranger = geteuid() == 0 ? (uid_t) 1234 : geteuid();
    for (const auto& [file, user, mode] : {std::tuple{setId, owner, 06755}, {givenAway, stranger, 06666}})
    {
        ASSERT_TRUE(file.replaceWithText("old"));
        ASSERT_EQ(chown(file.getFullPathName().toRawUTF8(), user, geteuid() == 0 ? user : (gid_t) -1), 0);
        ASSERT_EQ(chmod(file.getFullPathName().toRawUTF8(), (mode_t) mode), 0);
    }
    // Without CAP_FSETID even root may not make a file of another's group set-group-id.
    const auto setIdMode = statusOf(setId).st_mode & 07777;
    ASSERT_EQ(chmod(targets.folder.getFullPathName().toRawUTF8(), 0777), 0);

    ASSERT_TRUE(ConfigurationFile(relative).write("new"));
    EXPECT_TRUE(ConfigurationFile(links.getFile().getChildFile("40")).write("new"));
    EXPECT_FALSE(ConfigurationFile(links.getFile().getChildFile("41")).write("lost"));
    EXPECT_FALSE(ConfigurationFile(loop).write("lost"));
    EXPECT_TRUE(ConfigurationFile(deep.getChildFile("l40")).write("new"));
    EXPECT_FALSE(ConfigurationFile(deep.getChildFile("m30")).write("lost"));
    EXPECT_TRUE(saveAsNobody(setId, "new"));
    EXPECT_TRUE(saveAsNobody(givenAway, "new"));
    EXPECT_TRUE(saveAsNobody(leftGroup, "new"));
    juce::String text;
    EXPECT_TRUE(ConfigurationFile(absolute).read(text));
    EXPECT_EQ(text, "new");
    EXPECT_EQ(statusOf(target).st_mode & 07777, 0600u);
    EXPECT_EQ(statusOf(target).st_uid, owner);
    EXPECT_EQ(statusOf(setId).st_mode & 07777, setIdMode);
    EXPECT_EQ(statusOf(givenAway).st_mode & 04777, stranger == geteuid() ? 04666u : 0666u);
    EXPECT_EQ(statusOf(givenAway).st_uid, stranger);
    EXPECT_EQ(statusOf(leftGroup).st_gid, geteuid() == 0 ? 4000u : getegid());
    EXPECT_EQ(givenAway.loadFileAsString() + leftGroup.loadFileAsString(), "newnew");
    EXPECT_TRUE(absolute.isSymbolicLink() && relative.isSymbolicLink());
    EXPECT_EQ(namesIn(targets.folder),
              juce::StringArray("a.vexlo", "given-away.vexlo", "left-group.vexlo", "set-id.vexlo"));

    // In a sticky folder that anyone may write, a link leads a save only for its owner or the folder's.
    if (geteuid() != 0)
        return;
    const auto shared = links.getFile().getChildFile("shared"), made = shared.getChildFile("made");
    ASSERT_TRUE(made.createDirectory() && made.getChildFile("theirs").replaceWithText("old"));
    ASSERT_EQ(chmod(shared.getFullPathName().toRawUTF8(), 01777), 0);
    ASSERT_EQ(chown(shared.getFullPathName().toRawUTF8(), 4321, (gid_t) -1), 0);
    for (const auto& [name, user] :
         {std::pair{"planted", 1234u}, {"theirs", 1234u}, {"owners", 4321u}, {"mine", 0u}})
    {
        const auto link = shared.getChildFile(name);
        ASSERT_TRUE(juce::File::createSymbolicLink(link, "made/" + juce::String(name), false));
        ASSERT_EQ(lchown(link.getFullPathName().toRawUTF8(), user, (gid_t) -1), 0);
        EXPECT_EQ(ConfigurationFile(link).write("new"), user != 1234) << name;
    }
    EXPECT_EQ(namesIn(made), juce::StringArray("mine", "owners", "theirs"));
    EXPECT_EQ(made.getChildFile("theirs").loadFileAsString(), "old");

    // Nor is a stranger's file there written, by root or by anyone else.
    const auto strangers = shared.getChildFile("strangers.vexlo");
    ASSERT_TRUE(strangers.replaceWithText("old"));
    ASSERT_EQ(chown(strangers.getFullPathName().toRawUTF8(), 1234, 1234), 0);
    ASSERT_EQ(chmod(strangers.getFullPathName().toRawUTF8(), 0666), 0);
    EXPECT_FALSE(ConfigurationFile(strangers).write("new") || saveAsNobody(strangers, "new"));
    EXPECT_EQ(strangers.loadFileAsString(), "old");

    // A stranger's link to a folder there is passed as the system passes it, also where the system
    // protects links in such folders.
    ASSERT_EQ(symlink("made", shared.getChildFile("folder").getFullPathName().toRawUTF8()), 0);
    ASSERT_EQ(lchown(shared.getChildFile("folder").getFullPathName().toRawUTF8(), 1234, (gid_t) -1), 0);
    constexpr auto protection = "/proc/sys/fs/protected_symlinks";
    const auto setting = juce::File(protection).loadFileAsString().toStdString();
    const juce::ScopeGuard restore{[&] { std::ofstream(protection) << setting; }};
    std::ofstream(protection) << 1;
    if (juce::File(protection).loadFileAsString().trim() != "1")
        GTEST_SKIP()
            << "fs.protected_symlinks cannot be set here; the stranger's folder link was not saved through";
    EXPECT_TRUE(ConfigurationFile(shared.getChildFile("folder/new.vexlo")).write("new"));
    EXPECT_EQ(made.getChildFile("new.vexlo").loadFileAsString(), "new");
}

TEST(ConfigurationFile, AFolderLinkChangedDuringSavesLeavesNoTemporaryFile)
{
    const juce::TemporaryFile temporary;
    const auto& disk = temporary.getFile();
    const auto current = disk.getChildFile("current").getFullPathName().toStdString();
    for (const auto* folder : {"first", "second"})
        ASSERT_TRUE(disk.getChildFile(folder).createDirectory());
    ASSERT_EQ(symlink("first", current.c_str()), 0);

    std::atomic<bool> saving{true};
    std::thread swapper(
        [&]
        {
            for (auto toSecond = true; saving; toSecond = !toSecond)
                if (symlink(toSecond ? "second" : "first", (current + "~").c_str()) == 0)
                    rename((current + "~").c_str(), current.c_str());
        });
    auto saved = 0;
    for (int save = 0; save < 300; ++save)
        saved += ConfigurationFile(juce::File(current).getChildFile("a.vexlo")).write("new") ? 1 : 0;
    saving = false;
    swapper.join();

    EXPECT_GT(saved, 0);
    for (const auto* folder : {"first", "second"})
        EXPECT_FALSE(namesIn(disk.getChildFile(folder)).joinIntoString("/").contains(".vexlo-")) << folder;
}

TEST(ConfigurationFile, RefusesAFileItMayNotWriteAndWritesInPlaceWhereTheFolderRefusesANewOne)
{
    const juce::TemporaryFile temporary;
    const auto& folder = temporary.getFile();
    ASSERT_TRUE(folder.createDirectory());

    // Anyone may replace names in the folder, but the file itself is read-only. Root writes through
    // permission bits, so the saves run as nobody.
    const auto locked = folder.getChildFile("locked.vexlo");
    ASSERT_TRUE(locked.replaceWithText("old"));
    ASSERT_EQ(chmod(locked.getFullPathName().toRawUTF8(), 0444), 0);
    ASSERT_EQ(chmod(folder.getFullPathName().toRawUTF8(), 0777), 0);
    EXPECT_TRUE(saveAsNobody(folder.getChildFile("open.vexlo"), "new"));
    EXPECT_FALSE(saveAsNobody(locked, "new"));
    EXPECT_EQ(locked.loadFileAsString(), "old");
    EXPECT_EQ(namesIn(folder), juce::StringArray("locked.vexlo", "open.vexlo"));

    // Where the folder refuses a new file, the user's own file and another's that the user may write
    // take the text themselves; a new name stays untaken.
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root for a folder that refuses the saving user; not run";
    ASSERT_EQ(chmod(folder.getFullPathName().toRawUTF8(), 0755), 0);
    ASSERT_EQ(chmod(locked.getFullPathName().toRawUTF8(), 0666), 0);
    EXPECT_TRUE(saveAsNobody(folder.getChildFile("open.vexlo"), "mine") && saveAsNobody(locked, "theirs"));
    EXPECT_FALSE(saveAsNobody(folder.getChildFile("new.vexlo"), "new"));
    EXPECT_EQ(folder.getChildFile("open.vexlo").loadFileAsString() + locked.loadFileAsString(), "minetheirs");
    EXPECT_EQ(namesIn(folder), juce::StringArray("locked.vexlo", "open.vexlo"));
}
