#include "core/tract/TractFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>

namespace timbra {

namespace fs = std::filesystem;

namespace {

TractFile readFailure(const std::string& path, const std::string& why) {
    TractFile failed;
    failed.ok = false;
    failed.error = "Cannot open \"" + path + "\": " + why + ".";
    return failed;
}

} // namespace

bool isTractPath(const std::string& path) {
    std::string ending = fs::path(path).extension().string();
    std::transform(ending.begin(), ending.end(), ending.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    return ending == ".tract";
}

TractFile readTractFile(const std::string& path) {
    std::error_code error;
    if (fs::is_directory(path, error)) return readFailure(path, "it is a folder, not a file");
    std::ifstream in(path, std::ios::binary);
    if (!in) return readFailure(path, std::strerror(errno));
    std::string bytes(MaxTractFileBytes + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) return readFailure(path, std::strerror(errno));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (bytes.size() > MaxTractFileBytes) return readFailure(path, "the file is larger than 16 MiB");
    return parseTractText(bytes, fs::path(path).parent_path().string());
}

TractFile parseTractText(std::string_view text, const std::string& folder) {
    TractFile tract;
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3); // a byte-order mark some editors write
    std::set<fs::path> seen;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (line.find_first_not_of(" \t") == std::string_view::npos || line.front() == '#') continue;
        const fs::path listed(line);
        const fs::path tally = folder.empty() || listed.is_absolute() ? listed : fs::path(folder) / listed;
        if (!seen.insert(tally.lexically_normal()).second) {
            ++tract.duplicates;
            continue;
        }
        tract.tallies.push_back(tally.string());
    }
    return tract;
}

FileResult formatTractText(const std::vector<std::string>& tallies, const std::string& folder,
                           std::string& text) {
    text = "# Tally files of one tract, each relative to this file's folder\n";
    const fs::path base = fs::absolute(folder.empty() ? fs::path(".") : fs::path(folder)).lexically_normal();
    for (const std::string& tally : tallies) {
        if (tally.find_first_of("\r\n") != std::string::npos)
            return {false,
                    "The file name \"" + tally + "\" holds a line break, which a tract file cannot list."};
        const fs::path absolute = fs::absolute(tally).lexically_normal();
        std::string line = absolute.lexically_relative(base).string();
        if (line.empty()) line = absolute.string();
        // A name that would read as a comment or a blank line keeps its meaning behind "./".
        if (line.front() == '#' || line.front() == ' ' || line.front() == '\t') line = "./" + line;
        text += line + '\n';
    }
    return {};
}

FileResult saveTractFile(const std::vector<std::string>& tallies, const std::string& path) {
    std::string text;
    if (FileResult formatted = formatTractText(tallies, fs::path(path).parent_path().string(), text);
        !formatted.ok)
        return {false, "Cannot save \"" + path + "\": " + formatted.error};
    return writeFileAtomically(path, text);
}

} // namespace timbra
