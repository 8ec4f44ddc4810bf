#pragma once

#include "core/grid/Sheet.h"
#include "core/model/TreeClasses.h"

#include <string_view>
#include <vector>

namespace timbra {

// The cells of a tally row that ticking an objective reads, as they stood before any write to the
// row: the classes read from their texts, and the species code, a column no pass writes.
struct ClassCells {
    std::string_view speciesCode;
    SpeciesClass speciesClass = SpeciesClass::None;
    int dbh = 0;
    TreeClass treeClass = TreeClass::None;
};

// Writes a row's classes, the only cells a rewrite pass writes, starting from the classes the row
// holds. A cell that already holds the text is left alone, so the pass knows the rows whose cells
// it changed.
class ClassWriter {
public:
    ClassWriter(Sheet& tally, int row, const ClassCells& cells)
        : tally_(tally), row_(row), species_(cells.speciesClass), tree_(cells.treeClass) {}
    // The species class goes first, as the rewrite rules write them; each as its list's text.
    void setClasses(SpeciesClass speciesClass, TreeClass treeClass);
    void setTreeClass(TreeClass treeClass);
    bool changedRow() const { return changed_; }

private:
    Sheet& tally_;
    int row_;
    SpeciesClass species_; // what the cells hold now
    TreeClass tree_;
    bool changed_ = false;
};

// One objective's rules for one row, given the row's cells as they stood before any write to it.
using RewriteRule = void (*)(ClassWriter& row, const ClassCells& cells);

// Passes over rows 6 to `lastRow` as ticking an objective does: row 6 always, every later row
// whose own plot number is not 0. Unlike Run, the pass goes on past a row whose plot number is 0.
// `rewrite` gets each row's cells as they stood before any write to that row. Returns the rows
// whose cells the pass changed, in order.
std::vector<int> forEachRewriteRow(Sheet& tally, int lastRow, RewriteRule rewrite);

} // namespace timbra
