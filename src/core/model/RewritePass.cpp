#include "core/model/RewritePass.h"

#include "core/input/TallyLayout.h"

namespace timbra {

// A text of the list is held exactly when the cell's class is that text's.
void ClassWriter::setClasses(SpeciesClass speciesClass, TreeClass treeClass) {
    if (speciesClass != species_) {
        if (tally_) {
            tally_->SetText(SpeciesClassColumn, row_, textOf(speciesClass));
        } else {
            treeRow_->speciesClass = textOf(speciesClass);
            treeRow_->classes.species = speciesClass;
        }
        species_ = speciesClass;
        changed_ = true;
    }
    setTreeClass(treeClass);
}

void ClassWriter::setTreeClass(TreeClass treeClass) {
    if (treeClass != tree_) {
        if (tally_) {
            tally_->SetText(TreeClassColumn, row_, textOf(treeClass));
        } else {
            treeRow_->treeClass = textOf(treeClass);
            treeRow_->classes.tree = treeClass;
        }
        tree_ = treeClass;
        changed_ = true;
    }
}

std::vector<int> forEachRewriteRow(Sheet& tally, const RewritePass& pass) {
    std::vector<int> changedRows;
    for (int row = FirstTreeRow; row <= pass.lastRow; ++row) {
        const Sheet::RowCells read = tally.rowCells(row);
        if (row != FirstTreeRow && read.GetInteger(PlotColumn) == 0) continue;
        ClassCells cells;
        cells.speciesCode = read.GetText(SpeciesColumn);
        cells.speciesClass = speciesClassOf(read.GetText(SpeciesClassColumn));
        cells.dbh = read.GetInteger(DbhColumn);
        cells.treeClass = treeClassOf(read.GetText(TreeClassColumn));
        ClassWriter writer(tally, row, cells);
        pass.rule(writer, cells);
        if (writer.changedRow()) changedRows.push_back(row);
    }
    return changedRows;
}

std::vector<int> forEachRewriteRow(TreeRows& rows, const RewritePass& pass) {
    std::vector<int> changedRows;
    // The Run's rows after row 6 have plot numbers other than 0, so the pass visits each of them.
    for (TreeRow& tree : rows) {
        if (tree.row > pass.lastRow) break;
        const ClassCells cells{tree.speciesCode, tree.classes.species, tree.dbh, tree.classes.tree};
        ClassWriter writer(tree, cells);
        pass.rule(writer, cells);
        if (writer.changedRow()) changedRows.push_back(tree.row);
    }
    return changedRows;
}

} // namespace timbra
