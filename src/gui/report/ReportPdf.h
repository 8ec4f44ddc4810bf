#pragma once

#include "core/model/StandResults.h"
#include "core/statistics/StandStatistics.h"

#include <string>

namespace timbra {
class Sheet;
}

// Prints a filled report sheet to a PDF file through the grid's own printing, as Print Results prints
// it, without a display (the command-line tool's `report --pdf`), followed by a page of the run's
// stand statistics naming `program`. `pageSize` is "letter", "a4" or empty for the default page size
// (the default printer's, else the locale's). The PDF is made in memory and saved through the atomic
// file writer, so the file appears or changes only when the whole PDF is safely written. `path` is
// used byte for byte. Returns an error text naming the file and the reason, empty on success. Makes an
// offscreen QApplication for the call when the process has none.
std::string writeReportPdf(const timbra::Sheet& report, const timbra::StandResults& results,
                           const timbra::StandStatistics& statistics, const std::string& program,
                           const std::string& pageSize, const std::string& path);
