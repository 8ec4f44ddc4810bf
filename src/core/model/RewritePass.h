#pragma once

#include "grid/Sheet.h"
#include "model/TreeClasses.h"

#include <string_view>

namespace timbra {

// The cells of a tally row that ticking an objective reads, as they stood before any write to the
// row: the classes read from their texts, and the species code, a column no pass writes.
struct ClassCells {
    int row = 0;
    std::string_view speciesCode;
    SpeciesClass speciesClass = SpeciesClass::None;
    int dbh = 0;
    TreeClass treeClass = TreeClass::None;
};

// One objective's rules for one row, given the row's cells as they stood before any write to it.
using RewriteRule = void (*)(Sheet& tally, const ClassCells& cells);

// Passes over rows 6 to `lastRow` as ticking an objective does: row 6 always, every later row
// whose own plot number is not 0. Unlike Run, the pass goes on past a row whose plot number is 0.
// `rewrite` gets each row's cells as they stood before any write to that row.
void forEachRewriteRow(Sheet& tally, int lastRow, RewriteRule rewrite);

// Writes a row's classes, the only cells a rewrite pass writes; the species class goes first, as
// the rewrite rules write them.
void setClasses(Sheet& tally, int row, std::string_view speciesClass, std::string_view treeClass);
void setTreeClass(Sheet& tally, int row, std::string_view treeClass);

} // namespace timbra
