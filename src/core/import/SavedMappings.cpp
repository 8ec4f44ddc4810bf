#include "core/import/SavedMappings.h"

#include "core/import/ImportWriter.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace timbra {

namespace {

constexpr std::size_t MaxMappingBytes = 1024 * 1024;

std::string home() {
    if (const char* h = std::getenv("HOME"); h && h[0] == '/') return h;
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return "/tmp";
}

bool makeFolders(const std::string& folder) {
    for (std::size_t slash = 1;; ++slash) {
        slash = folder.find('/', slash);
        const std::string part = folder.substr(0, slash);
        if (!part.empty() && ::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
        if (slash == std::string::npos) return true;
    }
}

struct Found {
    ImportMapping mapping;
    long long changed = 0; // seconds since the epoch
};

} // namespace

std::optional<ImportMapping> readMappingFile(const std::string& path, std::string& error) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        error = "\"" + path + "\" is not a file that can be read";
        return std::nullopt;
    }
    if (static_cast<std::size_t>(st.st_size) > MaxMappingBytes) {
        error = "\"" + path + "\" is larger than 1 MiB, far larger than any mapping";
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        error = "\"" + path + "\" could not be read";
        return std::nullopt;
    }
    return mappingFromJson(text, error);
}

std::string SavedMappings::defaultFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::string base = config && config[0] == '/' ? std::string(config) : home() + "/.config";
    return base + "/timbra/import-mappings";
}

std::string SavedMappings::pathOf(const std::string& name) const {
    return folder_ + "/" + safeFileName(name) + ".json";
}

std::vector<ImportMapping> SavedMappings::all() const {
    std::vector<Found> found;
    if (DIR* dir = ::opendir(folder_.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (name.size() < 6 || !name.ends_with(".json")) continue;
            std::string ignored;
            const std::string path = folder_ + "/" + name;
            struct stat st {};
            if (auto m = readMappingFile(path, ignored); m && ::stat(path.c_str(), &st) == 0)
                found.push_back({std::move(*m), static_cast<long long>(st.st_mtime)});
        }
        ::closedir(dir);
    }
    std::sort(found.begin(), found.end(),
              [](const Found& a, const Found& b) { return a.mapping.name < b.mapping.name; });
    std::vector<ImportMapping> mappings;
    for (Found& f : found)
        mappings.push_back(std::move(f.mapping));
    return mappings;
}

std::optional<ImportMapping> SavedMappings::forHeader(const std::vector<std::string>& header) const {
    std::optional<ImportMapping> latest;
    long long latestTime = -1;
    if (DIR* dir = ::opendir(folder_.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::string path = folder_ + "/" + entry->d_name;
            std::string ignored;
            struct stat st {};
            if (!std::string_view(entry->d_name).ends_with(".json") || ::stat(path.c_str(), &st) != 0)
                continue;
            auto m = readMappingFile(path, ignored);
            if (m && m->header == header && st.st_mtime > latestTime) {
                latest = std::move(m);
                latestTime = st.st_mtime;
            }
        }
        ::closedir(dir);
    }
    return latest;
}

FileResult SavedMappings::save(const ImportMapping& mapping) const {
    if (!makeFolders(folder_))
        return {false, "Cannot create the folder \"" + folder_ + "\": " + std::strerror(errno) + "."};
    return writeFileAtomically(pathOf(mapping.name), mappingToJson(mapping));
}

} // namespace timbra
