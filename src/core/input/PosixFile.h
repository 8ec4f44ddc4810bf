#pragma once

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

} // namespace timbra
