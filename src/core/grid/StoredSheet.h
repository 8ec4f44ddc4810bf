#pragma once

#include "core/grid/Sheet.h"

#include <string>
#include <string_view>

namespace timbra {

// Restores a sheet from its stored form: a JSON document kept among a program's resources that
// fixes the sheet's size, strips, sizes, editors, texts and formats. The empty tally grids and the
// reference pages are stored this way. See docs/stored-sheets.md for the format.
struct StoredSheetResult {
    Sheet sheet;
    std::string error; // empty when the document was read
    bool ok() const { return error.empty(); }
};

StoredSheetResult loadStoredSheet(std::string_view json);

// A cell address such as "C2", or a range such as "A6:A1500"; false for anything else.
bool parseRange(std::string_view text, Sheet::Block& out);

} // namespace timbra
