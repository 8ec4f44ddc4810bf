#pragma once

namespace timbra {

// Where the input dialog's commands stop, which differs by program (the tree rows Run reads are in
// TallyLayout.h); each program's profile holds its own.
struct TallyLimits {
    int lastBlankedRow = 1500;   // the dialog's start writes 0s through this row (as far as the grid goes)
    int lastClearedRow = 1500;   // New and Clear Spreadsheet stop here
    bool printMarkerRow = true;  // Print includes the row whose plot number ends the tally
    int printFallbackRow = 1499; // last printed row when no plot number 0 is found
};

} // namespace timbra
