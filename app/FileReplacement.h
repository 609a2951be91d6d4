#pragma once

#include <filesystem>
#include <string_view>

// Replaces a file's contents, where it can without ever leaving it half written: the bytes go to a new
// file beside it first, open to the saving user alone, flushed to disk, and only a complete copy takes
// the old one's place, with the old one's owner, group, permissions, access list and other extended
// attributes; other hard links to the old file keep the old contents. A file that a new one could not
// take the place of without being given away (another user's, or of a group the user has left), or
// one in a folder that refuses the user a new file, takes the bytes itself instead: every hard link to
// it shows them, the system clears its set-user-id bit unless the user may keep it, and a crash midway
// leaves it half written. Such a write takes turns with other saves into the file and begins only once
// the disk has room for all of it, and while the name still leads to the file. Through a symbolic link
// the file it leads to is written, where the system would let the user follow the link, and in a shared
// sticky folder no other user's file is written at all.
//
// False when any step fails, and when the file exists but is not a regular file or this process may not
// write it, or a file took the name of one that did not exist meanwhile, or by the end the name leads to
// another file than the one written; the file is then as it was before, but where the bytes were being
// written into the file itself, or another file took the name from the new one.
bool replaceFileContents(const std::filesystem::path& path, std::string_view bytes);
