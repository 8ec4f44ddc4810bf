#pragma once

#include "grid/Sheet.h"

#include <string>

namespace timbra {

// The cells of a tally row that ticking an objective reads.
struct ClassCells {
    int row = 0;
    std::string speciesCode;
    std::string speciesClass;
    int dbh = 0;
    std::string treeClass;
};

// One objective's rules for one row, given the row's cells as they stood before any write to it.
using RewriteRule = void (*)(Sheet& tally, const ClassCells& cells);

// Passes over rows 6 to `lastRow` as ticking an objective does: row 6 always, every later row
// whose own plot number is not 0. Unlike Run, the pass goes on past a row whose plot number is 0.
// `rewrite` gets each row's cells as they stood before any write to that row.
void forEachRewriteRow(Sheet& tally, int lastRow, RewriteRule rewrite);

// Writes a row's classes, the only cells a rewrite pass writes; the species class goes first, as
// the rewrite rules write them.
void setClasses(Sheet& tally, int row, const std::string& speciesClass, const std::string& treeClass);
void setTreeClass(Sheet& tally, int row, const std::string& treeClass);

} // namespace timbra
