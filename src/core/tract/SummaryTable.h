#pragma once

#include "core/app/ProgramProfile.h"
#include "core/tract/StandVerdict.h"

#include <string>
#include <vector>

namespace timbra {

// The summary of a tract, one row per stand: `timbra-cli summary` prints it as a table or CSV, and
// the Stands window exports the same CSV.

// "File", the header, the trees, each objective's boxes, the stand table and each objective's
// statistics, as the summary's table shows them.
std::vector<std::string> summaryHeadings(const ProgramProfile& profile);
// The row under those headings: the file, then for a stand that was read its figures (none otherwise).
std::vector<std::string> summaryCells(const ProgramProfile& profile, const StandVerdict& verdict);

// "looks like a bottomland tally: use --model bottomland" for a tally of the model named (see
// otherModelOf); empty for none.
std::string otherModelNotice(const std::string& otherModel);

// The CSV: the table's columns, "Error" (the reader's reason, or the notice above), then the
// columns added since: the plot groups, each objective's threshold and whether it is settled, and
// the Stands window's Problem.
std::string summaryCsv(const ProgramProfile& profile, const std::vector<StandVerdict>& verdicts);

} // namespace timbra
