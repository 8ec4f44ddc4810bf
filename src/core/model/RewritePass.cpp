#include "core/model/RewritePass.h"

#include "core/model/TallyRun.h"

namespace timbra {

// A text of the list is held exactly when the cell's class is that text's.
void ClassWriter::setClasses(SpeciesClass speciesClass, TreeClass treeClass) {
    if (speciesClass != species_) {
        tally_.SetText(SpeciesClassColumn, row_, textOf(speciesClass));
        species_ = speciesClass;
        changed_ = true;
    }
    setTreeClass(treeClass);
}

void ClassWriter::setTreeClass(TreeClass treeClass) {
    if (treeClass != tree_) {
        tally_.SetText(TreeClassColumn, row_, textOf(treeClass));
        tree_ = treeClass;
        changed_ = true;
    }
}

std::vector<int> forEachRewriteRow(Sheet& tally, int lastRow, RewriteRule rewrite) {
    std::vector<int> changedRows;
    for (int row = FirstTreeRow; row <= lastRow; ++row) {
        const Sheet::RowCells read = tally.rowCells(row);
        if (row != FirstTreeRow && read.GetInteger(PlotColumn) == 0) continue;
        ClassCells cells;
        cells.speciesCode = read.GetText(SpeciesColumn);
        cells.speciesClass = speciesClassOf(read.GetText(SpeciesClassColumn));
        cells.dbh = read.GetInteger(DbhColumn);
        cells.treeClass = treeClassOf(read.GetText(TreeClassColumn));
        ClassWriter writer(tally, row, cells);
        rewrite(writer, cells);
        if (writer.changedRow()) changedRows.push_back(row);
    }
    return changedRows;
}

} // namespace timbra
