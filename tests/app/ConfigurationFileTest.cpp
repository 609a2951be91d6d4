// Pins the configuration file's size limit on reading and its all-or-nothing writing: exact UTF-8
// bytes, no leftovers, and the old file byte for byte after a failure on a full or read-only disk.
#include "app/ConfigurationFile.h"

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <unistd.h>

namespace
{
juce::MemoryBlock bytesOf(const juce::File& file)
{
    juce::MemoryBlock bytes;
    EXPECT_TRUE(file.loadFileAsData(bytes));
    return bytes;
}

// Every entry of the folder, hidden ones included.
juce::StringArray namesIn(const juce::File& folder)
{
    juce::StringArray names;
    for (const auto& entry : folder.findChildFiles(juce::File::findFilesAndDirectories, false, "*"))
        names.add(entry.getFileName());
    return names;
}

// A tmpfs of its own, mounted for the test's lifetime; only root may mount one.
class ScopedTmpfs
{
public:
    explicit ScopedTmpfs(const char* options)
    {
        folder.createDirectory();
        mounted =
            geteuid() == 0 && mount("tmpfs", folder.getFullPathName().toRawUTF8(), "tmpfs", 0, options) == 0;
    }

    ~ScopedTmpfs()
    {
        if (mounted)
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

TEST(ConfigurationFile, WritesExactUTF8OverTheOldFileAndLeavesNothingElse)
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
}

TEST(ConfigurationFile, AFullDiskLeavesTheOldFileByteForByte)
{
    // Four pages: the old file takes two, the new text would need three.
    ScopedTmpfs disk("size=16k");
    if (!disk.mounted)
        GTEST_SKIP() << "needs root to mount a 16 KiB tmpfs; the full-disk case was not run";

    const auto file = disk.folder.getChildFile("full.vexlo");
    const auto old = juce::String::repeatedString("old ", 1500);
    ASSERT_TRUE(file.replaceWithText(old));
    const auto before = bytesOf(file);

    EXPECT_FALSE(ConfigurationFile(file).write(juce::String::repeatedString("new ", 3000)));
    EXPECT_EQ(bytesOf(file), before);
    EXPECT_EQ(namesIn(disk.folder), juce::StringArray("full.vexlo"));
}

TEST(ConfigurationFile, AReadOnlyFolderLeavesTheOldFileByteForByte)
{
    // Root writes through permissions, so the folder is a file system mounted read-only.
    ScopedTmpfs disk("size=64k");
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
