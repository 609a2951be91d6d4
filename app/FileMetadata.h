#pragma once

#include <string>
#include <sys/stat.h>
#include <vector>

// What a file that a save replaces hands on to the new one: its mode, owner and group, its access list
// and its other extended attributes. They are read together, and again where the file changed while
// they were read, so that the new file is open to no one whom the old one kept out at any one moment.
class FileMetadata
{
public:
    struct Attribute
    {
        std::string name;
        std::vector<char> value;
    };

    // Reads everything through a descriptor of the file, again while a change to the file meets the
    // reading. False when something cannot be read, or the file keeps changing.
    bool readSteadily(int fd);

    // Gives a new file the old one's access list, or none where the folder's default gave it one, and
    // those other attributes it may have. False when the access list cannot be carried over.
    bool carryAttributesTo(int fd) const;

    // Whether an access list, in the form the system stores it, grants the group class what the mode's
    // group bits show: the system writes a new list before the mode that follows from it.
    static bool accessListAgreesWithMode(const std::vector<char>& list, mode_t mode);

    struct stat status = {};
    bool hasAccessList = false;
    std::vector<char> accessList;
    std::vector<Attribute> attributes;

private:
    bool readAttributes(int fd);
};
