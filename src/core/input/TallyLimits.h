#pragma once

namespace timbra {

// The rows Print covers, which differ by program; each program's profile holds its own.
struct TallyLimits {
    bool printMarkerRow = true;  // Print includes the row whose plot number ends the tally
    int printFallbackRow = 1499; // last printed row when no plot number 0 is found
};

} // namespace timbra
