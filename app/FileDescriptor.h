#pragma once

#include <unistd.h>

// A file descriptor that is closed on every path out of the scope that holds it.
class FileDescriptor
{
public:
    explicit FileDescriptor(int fdToUse) noexcept : fd(fdToUse) {}
    ~FileDescriptor() { reset(-1); }

    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    void reset(int newFd) noexcept
    {
        if (fd >= 0)
            ::close(fd);
        fd = newFd;
    }

    // A file system may report a failed write only here.
    bool close() noexcept
    {
        const auto closed = ::close(fd) == 0;
        fd = -1;
        return closed;
    }

    int fd;
};
