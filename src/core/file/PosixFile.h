#pragma once

#include <cstddef>
#include <string>
#include <sys/types.h>
#include <unistd.h>
#include <utility>

namespace timbra {

// Closes a descriptor when it goes out of scope.
struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
    int release() { return std::exchange(fd, -1); }
};

// Why a path that exists cannot be read or written as a file.
std::string kindOf(mode_t mode);

// The folder holding a path ("." for a bare name).
std::string folderOf(const std::string& path);

// Whether two paths name one existing file (the same device and inode, through any links).
bool sameFile(const std::string& a, const std::string& b);

// The content of a regular file, read without waiting on a pipe and without trusting the size the
// file reports: at most `limit` bytes, or `limit` + 1 when it holds more, so that the caller sees it
// is too large. With `followLinks` false a symbolic link in the path's place is refused, never read
// through. `error` is empty on success, else the reason.
struct FileBytes {
    std::string bytes;
    std::string error;
};
FileBytes readRegularFile(const std::string& path, std::size_t limit, bool followLinks);

} // namespace timbra
