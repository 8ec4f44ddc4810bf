// The recovery copies of the input dialog's tally, on disk, one per running program.
#include "core/input/RecoveryFile.h"

#include "core/file/PosixFile.h"
#include "core/input/TallyLayout.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <optional>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace timbra {

namespace {

constexpr std::string_view WrittenKey = "written=";
constexpr std::string_view SourceKey = "source=";
constexpr std::string_view LeftKey = "left=yes";

// A side file holds two short lines and a file name (at most 4 KiB, escaped to twice that).
constexpr std::size_t MaxSideFileBytes = 16 * 1024;

std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return "/tmp";
}

// mkdir -p, each folder it creates private to the user as the state folder convention asks.
bool makeFolders(const std::string& folder) {
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (!part.empty() && ::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
        if (slash == std::string::npos) break;
    }
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0) return false;
    if (!S_ISDIR(st.st_mode)) {
        errno = ENOTDIR;
        return false;
    }
    return true;
}

// A file name may hold any byte but "/" and NUL; line breaks and backslashes are escaped so that
// the side file stays one entry a line.
std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

std::string unescaped(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[++i];
        out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
    return out;
}

// The time of the entry itself, never of what a link in its place points at.
std::string entryTime(const std::string& path) {
    struct stat st {};
    return localIsoTime(::lstat(path.c_str(), &st) == 0 ? st.st_mtime : std::time(nullptr));
}

bool isDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Moves an entry out of the way under "<stem>-<time it was written><ext>" (with "-2", "-3" ... while
// that name is taken), so that it is neither lost nor taken for a state file again.
FileResult moveAside(const std::string& path, const std::string& stem, const std::string& ext,
                     std::string& keptPath) {
    std::string stamp = entryTime(path).substr(0, 19);
    std::replace(stamp.begin(), stamp.end(), ':', '-');
    struct stat st {};
    keptPath = stem + stamp + ext;
    for (int n = 2; ::lstat(keptPath.c_str(), &st) == 0; ++n)
        keptPath = stem + stamp + "-" + std::to_string(n) + ext;
    if (::rename(path.c_str(), keptPath.c_str()) != 0)
        return {false, "Cannot rename \"" + path + "\": " + std::strerror(errno) + "."};
    return {};
}

// The locks this process holds, by path: each stays open until its copy is removed or the process
// ends, when the system lets it go. Guarded, as copies are written on a worker thread.
std::mutex locksGuard;
std::map<std::string, int>& heldLocks() {
    static std::map<std::string, int> locks;
    return locks;
}

bool heldHere(const std::string& lockPath) {
    const std::lock_guard guard(locksGuard);
    return heldLocks().contains(lockPath);
}

// Whether no running program holds the lock at `lockPath`; a missing lock, or anything but a regular
// file in its place, is held by nobody. Checked through a descriptor of its own, so a lock this
// process holds counts as held.
bool lockIsFree(const std::string& lockPath) {
    Fd fd{::open(lockPath.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
    if (fd.fd < 0) return true;
    struct stat st {};
    if (::fstat(fd.fd, &st) != 0 || !S_ISREG(st.st_mode)) return true;
    return ::flock(fd.fd, LOCK_EX | LOCK_NB) == 0; // released when fd closes
}

// Takes the lock at `lockPath` for this process. Whatever stands there that is not a regular file is
// removed first (a folder is moved aside), never opened. A lock taken on a file that another program
// removed meanwhile is no lock: the name is checked to still be that file.
bool takeLock(const std::string& lockPath, const std::string& asideStem) {
    const std::lock_guard guard(locksGuard);
    if (heldLocks().contains(lockPath)) return true;
    for (int attempt = 0; attempt < 5; ++attempt) {
        struct stat st {};
        if (::lstat(lockPath.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
            std::string kept;
            if (S_ISDIR(st.st_mode) ? !moveAside(lockPath, asideStem, ".lock", kept).ok
                                    : ::unlink(lockPath.c_str()) != 0)
                return false;
        }
        Fd fd{::open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC,
                     0600)};
        if (fd.fd < 0) {
            if (errno == ELOOP || errno == ENXIO) continue; // replaced by a link or a socket meanwhile
            return false;
        }
        if (::flock(fd.fd, LOCK_EX | LOCK_NB) != 0) return false;
        struct stat held {};
        struct stat named {};
        if (::fstat(fd.fd, &held) != 0 || !S_ISREG(held.st_mode)) continue;
        if (::lstat(lockPath.c_str(), &named) != 0 || named.st_dev != held.st_dev ||
            named.st_ino != held.st_ino)
            continue;
        heldLocks()[lockPath] = fd.release();
        return true;
    }
    return false;
}

void releaseLock(const std::string& lockPath) {
    const std::lock_guard guard(locksGuard);
    if (const auto it = heldLocks().find(lockPath); it != heldLocks().end()) {
        ::unlink(lockPath.c_str()); // before the lock goes, so that nobody takes a lock on a removed name
        ::close(it->second);
        heldLocks().erase(it);
    }
}

// The process a temporary file of the atomic writer belongs to: ".<name>.<pid>-<n>.tmp".
std::string temporaryOwner(std::string_view name) {
    name.remove_suffix(4);
    name = name.substr(name.rfind('.') + 1);
    return std::string(name.substr(0, name.find('-')));
}

std::string ownId() {
    return std::to_string(::getpid());
}

} // namespace

std::string localIsoTime(std::time_t when) {
    std::tm local{};
    ::localtime_r(&when, &local);
    char text[40];
    const std::size_t n = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &local);
    std::string iso(text, n);
    if (iso.size() >= 5) iso.insert(iso.size() - 2, ":"); // +0100 -> +01:00
    return iso;
}

int tallyTreeCount(const Sheet& tally) {
    int trees = 0;
    for (int row = FirstTreeRow;
         row <= LastTreeRow && row <= tally.GetMaxRows() && tally.GetInteger(PlotColumn, row) != 0; ++row)
        ++trees;
    return trees;
}

RecoveryFile::RecoveryFile(std::string folder, const std::string& program, std::string id)
    : folder_(std::move(folder)), program_(program), id_(std::move(id)) {
    const std::string stem = folder_ + "/" + program_ + "-recovery" + (id_.empty() ? "" : "-" + id_);
    tallyPath_ = stem + ".txt";
    infoPath_ = stem + ".info";
    lockPath_ = stem + ".lock";
}

RecoveryFile RecoveryFile::own(std::string folder, const std::string& program) {
    return {std::move(folder), program, ownId()};
}

std::string RecoveryFile::defaultFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    const std::string base = state && state[0] == '/' ? std::string(state) : homeFolder() + "/.local/state";
    return base + "/timbra";
}

namespace {

// The entries of a folder that belong to a program's state files, by name.
template <typename Visit>
void forEachStateEntry(const std::string& folder, const std::string& program, Visit visit) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    const std::string prefix = program + "-recovery";
    for (const dirent* entry = ::readdir(dir); entry; entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name.starts_with(prefix) || name.starts_with("." + prefix)) visit(name, prefix);
    }
    ::closedir(dir);
}

// The id a state file's name gives ("" for the single copy of older versions), if it is a copy
// ("<program>-recovery[-<pid>].txt") or a lock ("<program>-recovery-<pid>.lock").
std::optional<std::string> idOf(std::string_view name, std::string_view prefix, std::string_view ext) {
    if (!name.starts_with(prefix) || !name.ends_with(ext)) return std::nullopt;
    const std::string_view id = name.substr(prefix.size(), name.size() - prefix.size() - ext.size());
    if (id.empty() && ext == ".txt") return std::string();
    if (id.starts_with('-') && isDigits(id.substr(1))) return std::string(id.substr(1));
    return std::nullopt;
}

} // namespace

void RecoveryFile::removeLeftovers(const std::string& folder, const std::string& program) {
    forEachStateEntry(folder, program, [&](std::string_view name, const std::string& prefix) {
        const std::string path = folder + "/" + std::string(name);
        if (name.starts_with('.') && name.ends_with(".tmp")) {
            // Half written by a program that died while it wrote: its lock went with it.
            const RecoveryFile writer(folder, program, temporaryOwner(name));
            if (writer.id_ != ownId() && lockIsFree(writer.lockPath_)) ::unlink(path.c_str());
        } else if (const auto id = idOf(name, prefix, ".lock")) {
            // A lock without its copy, left by a program that died before it wrote one.
            const RecoveryFile copy(folder, program, *id);
            if (copy.id_ != ownId() && !heldHere(path) && !copy.exists() && lockIsFree(path))
                ::unlink(path.c_str());
        }
    });
}

std::vector<RecoveryFile> RecoveryFile::offerable(const std::string& folder, const std::string& program) {
    removeLeftovers(folder, program);
    std::vector<std::pair<timespec, RecoveryFile>> found;
    forEachStateEntry(folder, program, [&](std::string_view name, const std::string& prefix) {
        const auto id = idOf(name, prefix, ".txt");
        if (!id) return;
        RecoveryFile copy(folder, program, *id);
        struct stat st {};
        const bool mine = copy.id_ == ownId() || heldHere(copy.lockPath_);
        if (::lstat(copy.tallyPath_.c_str(), &st) == 0 && (mine || lockIsFree(copy.lockPath_)))
            found.emplace_back(st.st_mtim, std::move(copy));
    });
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return std::tie(a.first.tv_sec, a.first.tv_nsec) > std::tie(b.first.tv_sec, b.first.tv_nsec);
    });
    std::vector<RecoveryFile> copies;
    for (auto& [when, copy] : found)
        copies.push_back(std::move(copy));
    return copies;
}

bool RecoveryFile::exists() const {
    struct stat st {};
    return ::lstat(tallyPath_.c_str(), &st) == 0;
}

bool RecoveryFile::hold() const {
    return takeLock(lockPath_, folder_ + "/" + program_ + "-recovery-");
}

FileResult RecoveryFile::write(std::string_view tallyText, const RecoveryInfo& info) const {
    if (!makeFolders(folder_))
        return {false, "Cannot create the folder \"" + folder_ + "\": " + std::strerror(errno) + "."};
    if (!hold())
        return {false,
                "Cannot lock \"" + lockPath_ + "\": " +
                    (errno == EWOULDBLOCK ? "another running program holds it" : std::strerror(errno)) + "."};
    // A folder in the place of a state file is moved aside; anything else there is replaced.
    for (const auto& [path, ext] : {std::pair{tallyPath_, ".txt"}, std::pair{infoPath_, ".info"}}) {
        struct stat st {};
        std::string kept;
        if (::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
            if (FileResult r = moveAside(path, folder_ + "/" + program_ + "-recovery-", ext, kept); !r.ok)
                return r;
    }
    // The tally first: a crash between the two leaves a side file that at worst names the time of
    // the copy before, and never a side file without its tally.
    if (FileResult r = writeFileAtomically(tallyPath_, tallyText, FileKind::StateFile); !r.ok) return r;
    std::string side = std::string(WrittenKey) + info.writtenAt + "\n" + std::string(SourceKey) +
                       escaped(info.source) + "\n";
    if (info.left) side += std::string(LeftKey) + "\n";
    return writeFileAtomically(infoPath_, side, FileKind::StateFile);
}

RecoveredTally RecoveryFile::read(Sheet& tally) const {
    RecoveredTally result;
    const FileBytes copy = readRegularFile(tallyPath_, MaxTallyFileBytes, false);
    if (!copy.error.empty()) {
        result.ok = false;
        result.error = "Cannot read \"" + tallyPath_ + "\": " + copy.error + ".";
        return result;
    }
    result.text = copy.bytes;
    static_cast<LoadResult&>(result) = loadTallyText(tally, result.text, tallyPath_);
    // A side file that cannot be read, or is larger than any side file, is as good as missing.
    const FileBytes side = readRegularFile(infoPath_, MaxSideFileBytes, false);
    std::string_view lines = side.bytes.size() > MaxSideFileBytes ? std::string_view() : side.bytes;
    while (!lines.empty()) {
        const std::string_view line = lines.substr(0, lines.find('\n'));
        lines.remove_prefix(std::min(lines.size(), line.size() + 1));
        if (line.starts_with(WrittenKey))
            result.info.writtenAt = line.substr(WrittenKey.size());
        else if (line.starts_with(SourceKey))
            result.info.source = unescaped(line.substr(SourceKey.size()));
        else if (line == LeftKey)
            result.info.left = true;
    }
    if (result.info.writtenAt.empty()) result.info.writtenAt = entryTime(tallyPath_);
    return result;
}

void RecoveryFile::remove() const {
    if (!hold()) return; // another running program's copy
    ::unlink(tallyPath_.c_str());
    ::unlink(infoPath_.c_str());
    releaseLock(lockPath_);
}

FileResult RecoveryFile::keepAside(std::string& keptPath) const {
    if (!hold()) return {false, "\"" + tallyPath_ + "\" is held by another running program."};
    // Named after the time of the tally file itself: the side file may be the part that cannot be read.
    if (FileResult r = moveAside(tallyPath_, folder_ + "/" + program_ + "-recovery-", ".txt", keptPath);
        !r.ok)
        return r;
    ::unlink(infoPath_.c_str());
    releaseLock(lockPath_);
    return {};
}

} // namespace timbra
