#pragma once

#include "core/import/TallyImporter.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace timbra {

// A file name made from a stand's name: letters (any script), digits, spaces, "-", "_", "." and "," kept,
// every other character "_", no leading dot or space, at most 80 bytes; "stand" when nothing is left.
std::string safeFileName(std::string_view standName);

// The tally file name of each stand that is not left out, in the order of the stands: the stand
// column's value, else the stand name of its tally, else `fallback`; made safe, ".txt" added, and
// "-2", "-3"... where two stands would share a name.
std::vector<std::string> tallyFileNames(const ImportResult& result, std::string_view fallback);

struct StandFile {
    std::string stand; // the stand column's value
    std::string path;
    bool written = false;
    std::string error; // why not: an existing file kept, or the writer's reason
};

// Writes each stand that is not left out into `folder` through the atomic writer, under the names
// above. An existing file is replaced only when `mayReplace(path)` says so; without that question
// (an empty function) it is always kept.
std::vector<StandFile> writeStands(const ImportResult& result, const std::string& folder,
                                   std::string_view fallback,
                                   const std::function<bool(const std::string& path)>& mayReplace = {});

} // namespace timbra
