#pragma once

#include "core/app/ProgramProfile.h"
#include "core/file/AtomicFile.h"
#include "core/tract/StandVerdict.h"

#include <string>
#include <vector>

namespace timbra {

// The tract as an Excel workbook, as `summary --xlsx` and the Stands window's export write it: one
// sheet per objective in the tract columns, numbers stored as numbers (one decimal shown), the
// heading row and the file column frozen, each column as wide as its texts. Built in a temporary
// file, then written through the atomic writer: on failure an existing file is left as it was.
FileResult saveTractWorkbook(const ProgramProfile& profile, const std::vector<StandVerdict>& verdicts,
                             const std::string& path);

} // namespace timbra
