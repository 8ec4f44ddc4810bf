// The recovery copy of the input dialog's tally, on disk.
#include "core/input/RecoveryFile.h"

#include "core/file/AtomicFile.h"
#include "core/input/TallyLayout.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace timbra {

namespace {

constexpr std::string_view WrittenKey = "written=";
constexpr std::string_view SourceKey = "source=";

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

std::string fileTime(const std::string& path) {
    struct stat st {};
    return localIsoTime(::stat(path.c_str(), &st) == 0 ? st.st_mtime : std::time(nullptr));
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

RecoveryFile::RecoveryFile(std::string folder, const std::string& program)
    : folder_(std::move(folder)), program_(program), tallyPath_(folder_ + "/" + program + "-recovery.txt"),
      infoPath_(folder_ + "/" + program + "-recovery.info") {}

std::string RecoveryFile::defaultFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    const std::string base = state && state[0] == '/' ? std::string(state) : homeFolder() + "/.local/state";
    return base + "/timbra";
}

bool RecoveryFile::exists() const {
    struct stat st {};
    return ::lstat(tallyPath_.c_str(), &st) == 0;
}

FileResult RecoveryFile::write(std::string_view tallyText, const RecoveryInfo& info) const {
    if (!makeFolders(folder_))
        return {false, "Cannot create the folder \"" + folder_ + "\": " + std::strerror(errno) + "."};
    // The tally first: a crash between the two leaves a side file that at worst names the time of
    // the copy before, and never a side file without its tally.
    if (FileResult r = writeFileAtomically(tallyPath_, tallyText); !r.ok) return r;
    const std::string side = std::string(WrittenKey) + info.writtenAt + "\n" + std::string(SourceKey) +
                             escaped(info.source) + "\n";
    return writeFileAtomically(infoPath_, side);
}

RecoveredTally RecoveryFile::read(Sheet& tally) const {
    RecoveredTally result;
    // The copy is the program's own file in the user's private folder, so a plain read will do;
    // the size is checked first all the same.
    struct stat st {};
    if (::stat(tallyPath_.c_str(), &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<std::size_t>(st.st_size) > MaxTallyFileBytes) {
        result.ok = false;
        result.error = "\"" + tallyPath_ + "\" is not a tally file that can be read.";
        return result;
    }
    std::ifstream file(tallyPath_, std::ios::binary);
    if (!file) {
        result.ok = false;
        result.error = "Cannot read \"" + tallyPath_ + "\": " + std::strerror(errno) + ".";
        return result;
    }
    result.text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    static_cast<LoadResult&>(result) = loadTallyText(tally, result.text, tallyPath_);
    std::ifstream in(infoPath_, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with(WrittenKey))
            result.info.writtenAt = line.substr(WrittenKey.size());
        else if (line.starts_with(SourceKey))
            result.info.source = unescaped(line.substr(SourceKey.size()));
    }
    if (result.info.writtenAt.empty()) result.info.writtenAt = fileTime(tallyPath_);
    return result;
}

void RecoveryFile::remove() const {
    ::unlink(tallyPath_.c_str());
    ::unlink(infoPath_.c_str());
}

FileResult RecoveryFile::keepAside(std::string& keptPath) const {
    // The time of the tally file itself: the side file may be the part that cannot be read.
    std::string stamp = fileTime(tallyPath_).substr(0, 19);
    for (char& c : stamp)
        if (c == ':') c = '-';
    const std::string stem = folder_ + "/" + program_ + "-recovery-" + stamp;
    struct stat st {};
    keptPath = stem + ".txt";
    for (int n = 2; ::lstat(keptPath.c_str(), &st) == 0; ++n)
        keptPath = stem + "-" + std::to_string(n) + ".txt";
    if (::rename(tallyPath_.c_str(), keptPath.c_str()) != 0)
        return {false, "Cannot rename \"" + tallyPath_ + "\": " + std::strerror(errno) + "."};
    ::unlink(infoPath_.c_str());
    return {};
}

} // namespace timbra
