#include "core/import/ImportWriter.h"

#include "core/input/TallyFile.h"

#include <set>
#include <sys/stat.h>

namespace timbra {

namespace {
constexpr std::size_t MaxNameBytes = 80;

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}
} // namespace

std::string safeFileName(std::string_view name) {
    std::string safe;
    for (char c : name) {
        const auto u = static_cast<unsigned char>(c);
        const bool kept = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                          c == ' ' || c == '-' || c == '_' || c == '.' || c == ',' || u >= 0x80;
        safe.push_back(kept ? c : '_');
    }
    while (!safe.empty() && (safe.front() == '.' || safe.front() == ' '))
        safe.erase(safe.begin());
    if (safe.size() > MaxNameBytes) {
        safe.resize(MaxNameBytes);
        // Never end inside a UTF-8 sequence.
        while (!safe.empty() && (static_cast<unsigned char>(safe.back()) & 0xC0) == 0x80)
            safe.pop_back();
        if (!safe.empty() && static_cast<unsigned char>(safe.back()) >= 0xC0) safe.pop_back();
    }
    while (!safe.empty() && (safe.back() == ' ' || safe.back() == '.'))
        safe.pop_back();
    return safe.empty() ? "stand" : safe;
}

std::vector<std::string> tallyFileNames(const ImportResult& result, std::string_view fallback) {
    std::vector<std::string> names;
    std::set<std::string> taken;
    for (const ImportedStand& stand : result.stands) {
        if (stand.leftOut) continue;
        std::string name = stand.key;
        if (name.empty()) name = stand.tally.GetText(StandNameCell.col, StandNameCell.row);
        if (name.empty() || name == " ") name = fallback;
        const std::string base = safeFileName(name);
        std::string file = base + ".txt";
        for (int n = 2; !taken.insert(file).second; ++n)
            file = base + "-" + std::to_string(n) + ".txt";
        names.push_back(file);
    }
    return names;
}

std::vector<StandFile> writeStands(const ImportResult& result, const std::string& folder,
                                   std::string_view fallback,
                                   const std::function<bool(const std::string& path)>& mayReplace) {
    const std::vector<std::string> names = tallyFileNames(result, fallback);
    std::vector<StandFile> files;
    std::size_t next = 0;
    for (const ImportedStand& stand : result.stands) {
        if (stand.leftOut) continue;
        StandFile file{stand.key, folder + "/" + names[next++], false, {}};
        if (exists(file.path) && !(mayReplace && mayReplace(file.path))) {
            file.error = "\"" + file.path + "\" exists and was kept.";
        } else {
            const FileResult saved = saveTallyFile(stand.tally, file.path);
            file.written = saved.ok;
            file.error = saved.error;
        }
        files.push_back(std::move(file));
    }
    return files;
}

} // namespace timbra
