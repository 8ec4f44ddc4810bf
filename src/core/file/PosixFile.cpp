// The POSIX helpers of the programs' file reading and writing.
#include "core/file/PosixFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace timbra {

std::string kindOf(mode_t mode) {
    if (S_ISDIR(mode)) return "it is a folder, not a file";
    return "it is not a regular file (a device, a pipe or a socket)";
}

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool sameFile(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

FileBytes readRegularFile(const std::string& path, std::size_t limit, bool followLinks) {
    FileBytes result;
    // Refuse folders, devices and pipes before opening them: opening a pipe waits for a writer.
    struct stat st {};
    if ((followLinks ? ::stat : ::lstat)(path.c_str(), &st) != 0) {
        result.error = std::strerror(errno);
        return result;
    }
    if (S_ISLNK(st.st_mode)) {
        result.error = "it is a symbolic link, not a file";
        return result;
    }
    if (!S_ISREG(st.st_mode)) {
        result.error = kindOf(st.st_mode);
        return result;
    }
    Fd file{
        ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | (followLinks ? 0 : O_NOFOLLOW))};
    if (file.fd < 0 || ::fstat(file.fd, &st) != 0) {
        result.error = std::strerror(errno);
        return result;
    }
    if (!S_ISREG(st.st_mode)) { // replaced since the check
        result.error = kindOf(st.st_mode);
        return result;
    }

    // Read one byte past the limit so that an oversized file is seen even if it grows meanwhile.
    std::string& bytes = result.bytes;
    const std::size_t most = limit + 1;
    bytes.resize(std::min<std::size_t>(static_cast<std::size_t>(std::max<off_t>(st.st_size, 0)), most) + 1);
    std::size_t used = 0;
    for (;;) {
        if (used == bytes.size()) {
            if (used >= most) break;
            bytes.resize(std::min(most, bytes.size() * 2));
        }
        const ssize_t n = ::read(file.fd, bytes.data() + used, bytes.size() - used);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            result.error = std::strerror(errno);
            bytes.clear();
            return result;
        }
        if (n == 0) break;
        used += static_cast<std::size_t>(n);
    }
    bytes.resize(used);
    return result;
}

} // namespace timbra
