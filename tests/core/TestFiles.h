#pragma once

// Shared by the tally-file tests: a scratch folder, whole-file reads and writes, and sheets compared
// cell by cell.

#include "app/ProgramProfile.h"
#include "input/TallyCommands.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace timbra::test {

// A fresh folder under the system's temporary folder, removed with its content at the end.
class TempFolder {
public:
    TempFolder() {
        std::string name = (std::filesystem::temp_directory_path() / "timbra-files-XXXXXX").string();
        path_ = ::mkdtemp(name.data());
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeFile(const std::string& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Every cell's text in one string, so that two sheets compare in one EXPECT_EQ.
inline std::string cellsOf(const Sheet& sheet) {
    std::ostringstream out;
    for (int r = 1; r <= sheet.GetMaxRows(); ++r)
        for (int c = 1; c <= sheet.GetMaxCols(); ++c)
            out << '[' << sheet.GetText(c, r) << ']';
    return out.str();
}

// The names of the entries of a folder, for checking that no temporary file is left behind.
inline std::string entriesOf(const std::string& folder) {
    std::string names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names += entry.path().filename().string() + ";";
    return names;
}

// The tally grid as the input dialog opens it.
inline Sheet openingTally(const ProgramProfile& profile) {
    Sheet sheet = profile.loadTallyGrid();
    prepareTallyForDialog(sheet);
    return sheet;
}

} // namespace timbra::test
