#pragma once

#include "core/grid/Sheet.h"
#include "core/input/TallyLimits.h"

namespace timbra {

// The grid halves of the input dialog's commands. Each writes through the sheet's operations in the
// order the dialog has always used, so that the tree rows end up in the blank state the stand models
// rely on: 0 in the plot, DBH and grade columns, 0.0 in height, one space in the five text columns.

// The dialog's start: cursor on A6, the text columns blanked, then the number columns zeroed down
// to the grid's last row.
void prepareTallyForDialog(Sheet& sheet);

// New: clears stand name, location and the tree rows, puts 0 plots and the end-of-tally marker 0 in
// every tree row; DBH, height and grade are left empty. Plot size, province and cursor stay.
void newTally(Sheet& sheet);

// Clear Spreadsheet: the tree rows only, as New leaves them.
void clearTally(Sheet& sheet);

// The last row Print covers: the rows down to the first plot number 0 (that row included where the
// program prints its marker row), or the program's fallback row when no row holds 0.
int lastPrintRow(const Sheet& sheet, const TallyLimits& limits);

} // namespace timbra
