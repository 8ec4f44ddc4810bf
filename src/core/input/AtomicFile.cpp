// Writing a whole file safely with POSIX calls, so that every failure is seen where it happens.
#include "core/file/AtomicFile.h"

#include "core/file/PosixFile.h"

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

namespace {

FileResult saveFailure(const std::string& path, const std::string& why) {
    return {false, "Cannot save \"" + path + "\": " + why + "."};
}

std::string reason(int error) {
    return std::strerror(error);
}

// The file a path finally names, following symbolic links, so that saving replaces the link's
// target and the link stays. A missing final target is simply returned (the save creates it).
bool resolveLinks(std::string& path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
        char target[4096];
        const ssize_t n = ::readlink(path.c_str(), target, sizeof target);
        if (n < 0 || static_cast<std::size_t>(n) >= sizeof target) return true; // the open below reports it
        const std::string next(target, static_cast<std::size_t>(n));
        path = next.starts_with('/') ? next : folderOf(path) + "/" + next;
    }
    errno = ELOOP;
    return false;
}

bool writeAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = ENOSPC;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// At most this much of the target's name goes into the temporary name, so that the temporary name
// stays within the file system's name limit for any target name that fits it.
constexpr std::size_t TemporaryNameStem = 96;

// The start of a name, cut before a UTF-8 sequence rather than inside one.
std::string stem(const std::string& name) {
    if (name.size() <= TemporaryNameStem) return name;
    std::size_t end = TemporaryNameStem;
    while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80)
        --end;
    return name.substr(0, end);
}

// Creates a new, empty file beside the target; O_EXCL never follows or reuses anything there.
int createTemporary(const std::string& target, mode_t mode, std::string& tempPath) {
    const std::string folder = folderOf(target);
    const std::string base = stem(target.substr(target.rfind('/') + 1));
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = folder + "/." + base + "." + std::to_string(::getpid()) + "-" + std::to_string(++counter) +
                   ".tmp";
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// A replaced file keeps its owner and group where the saver may give them (root, or a group the
// saver belongs to); otherwise the saver owns the new file, as with any file they create.
bool keepOwner(int fd, const struct stat& old) {
    return ::fchown(fd, old.st_uid, old.st_gid) == 0 || errno == EPERM;
}

// Makes the rename itself durable. Some file systems cannot sync a folder; the file is already
// replaced by then, so this is done as well as the system allows.
void syncFolder(const std::string& folder) {
    Fd dir{::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (dir.fd >= 0) ::fsync(dir.fd);
}

} // namespace

FileResult writeFileAtomically(const std::string& path, std::string_view bytes) {
    std::string target = path;
    if (!resolveLinks(target)) return saveFailure(path, reason(errno));

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) return saveFailure(path, kindOf(old.st_mode));

    std::string temp;
    Fd file{createTemporary(target, exists ? (old.st_mode & 07777) : 0666, temp)};
    if (file.fd < 0) return saveFailure(path, reason(errno));

    // The umask may have narrowed the mode given at creation; a replaced file keeps its own bits.
    // The owner comes first: changing it clears set-user and set-group bits.
    const bool written =
        (!exists || (keepOwner(file.fd, old) && ::fchmod(file.fd, old.st_mode & 07777) == 0)) &&
        writeAll(file.fd, bytes) && ::fsync(file.fd) == 0 && ::close(file.release()) == 0 &&
        ::rename(temp.c_str(), target.c_str()) == 0;
    if (!written) {
        const int error = errno;
        ::unlink(temp.c_str());
        return saveFailure(path, reason(error));
    }
    syncFolder(folderOf(target));
    return {};
}

} // namespace timbra
