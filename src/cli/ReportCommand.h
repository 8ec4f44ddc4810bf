#pragma once

#include "cli/Arguments.h"
#include "core/grid/Sheet.h"
#include "core/statistics/StandStatistics.h"

#include <functional>
#include <iosfwd>
#include <string>

namespace timbra::cli {

// Writes the filled report sheet and, on a second page, the stand statistics of the run to a PDF
// file; returns an error text, empty on success. `program` names the program on the statistics page;
// `pageSize` is "letter", "a4" or empty for the default printer's, else the locale's. The program
// installs one when it is built with the printing code; without one --pdf is refused.
using ReportPdfWriter = std::function<std::string(
    const Sheet& report, const StandResults& results, const StandStatistics& statistics,
    const std::string& program, const std::string& pageSize, const std::string& path)>;
void setReportPdfWriter(ReportPdfWriter writer);

// Why the report of these results would stay blank; empty when it can be filled.
std::string reportGateFailure(const StandResults& results, const ObjectiveBoxes& boxes,
                              const ProgramProfile& profile);

// `report FILE --csv`: the report sheet after the run, 44 lines of 11 cells.
int reportCommand(const Options& options, std::istream& in, std::ostream& out, std::ostream& err);

} // namespace timbra::cli
