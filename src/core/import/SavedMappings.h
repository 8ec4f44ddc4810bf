#pragma once

#include "core/file/AtomicFile.h"
#include "core/import/ImportMapping.h"

#include <optional>
#include <string>
#include <vector>

namespace timbra {

// The mappings a user saved under a name: one JSON file each in the user's configuration folder, so
// that a file with the same header is read the same way next time.
class SavedMappings {
public:
    explicit SavedMappings(std::string folder) : folder_(std::move(folder)) {}
    // $XDG_CONFIG_HOME/timbra/import-mappings, or ~/.config/timbra/import-mappings.
    static std::string defaultFolder();
    const std::string& folder() const { return folder_; }

    // Every mapping that reads, by name; files that do not are passed over.
    std::vector<ImportMapping> all() const;
    // The mapping saved for a file with this header; the latest saved when several are.
    std::optional<ImportMapping> forHeader(const std::vector<std::string>& header) const;
    // Saves under the mapping's name, replacing a mapping of the same name.
    FileResult save(const ImportMapping& mapping) const;
    std::string pathOf(const std::string& name) const;

private:
    std::string folder_;
};

// A mapping file as a crew shares it: read whole, at most 1 MiB.
std::optional<ImportMapping> readMappingFile(const std::string& path, std::string& error);

} // namespace timbra
