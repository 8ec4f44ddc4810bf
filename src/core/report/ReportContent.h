#pragma once

#include "core/grid/Sheet.h"
#include "core/model/StandResults.h"

namespace timbra {

// The stand analysis report: the sheet that covers the main window and lays out the last run.
// Columns 1 to 10 carry the report; column 11 only fills the space to the right.
constexpr int ReportColumns = 11, ReportRows = 44;

// Sizes a newly made report sheet: 11 x 44, column 1 narrow-ish and column 11 wide.
void setUpReportSheet(Sheet& sheet);

// Whether the report may be filled: there are results, a run set a cut-off (a NaN one does not
// count) and the user has asked to see them.
bool reportGatePasses(const StandResults* results, bool showResults);

// Blanks every cell of the report, texts and formatting alike (a new Input data command).
void clearReport(Sheet& sheet);

// Lays the results out on the sheet: title, stand header, decision row, plot table and the six
// sawtimber analyses. `withProvince` adds the province cells and their box (upland only).
void fillReport(Sheet& sheet, const StandResults& results, bool withProvince);

} // namespace timbra
