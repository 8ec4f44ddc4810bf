#pragma once

#include "core/grid/Sheet.h"
#include "core/model/TreeClasses.h"
#include "core/model/TreeRows.h"

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
// holds: into the tally's cells, or into a tree row already read from them. A class the row already
// holds is left alone, so the pass knows the rows it changed.
class ClassWriter {
public:
    ClassWriter(Sheet& tally, int row, const ClassCells& cells)
        : tally_(&tally), row_(row), species_(cells.speciesClass), tree_(cells.treeClass) {}
    ClassWriter(TreeRow& tree, const ClassCells& cells)
        : treeRow_(&tree), row_(tree.row), species_(cells.speciesClass), tree_(cells.treeClass) {}
    // The species class goes first, as the rewrite rules write them; each as its list's text.
    void setClasses(SpeciesClass speciesClass, TreeClass treeClass);
    void setTreeClass(TreeClass treeClass);
    bool changedRow() const { return changed_; }

private:
    Sheet* tally_ = nullptr;
    TreeRow* treeRow_ = nullptr;
    int row_;
    SpeciesClass species_; // what the row holds now
    TreeClass tree_;
    bool changed_ = false;
};

// One objective's rules for one row, given the row's cells as they stood before any write to it.
using RewriteRule = void (*)(ClassWriter& row, const ClassCells& cells);

// What ticking one objective rewrites: its rule, over rows 6 to `lastRow`.
struct RewritePass {
    RewriteRule rule;
    int lastRow;
};

// Passes over rows 6 to the pass's last row as ticking an objective does: row 6 always, every later
// row whose own plot number is not 0. Unlike Run, the pass goes on past a row whose plot number is 0.
// The rule gets each row's cells as they stood before any write to that row. Returns the rows whose
// cells the pass changed, in order.
std::vector<int> forEachRewriteRow(Sheet& tally, const RewritePass& pass);

// The same pass over the tree rows a Run reads, the tally left as it is: a Run of the rows then is
// the Run of the rewritten tally, since no Run reads the rows past them. A summary runs every
// objective this way. Returns the rows whose classes the pass changed, in order.
std::vector<int> forEachRewriteRow(TreeRows& rows, const RewritePass& pass);

} // namespace timbra
