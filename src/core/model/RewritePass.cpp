#include "model/RewritePass.h"

#include "model/TallyRun.h"

namespace timbra {

// A text of the list is held exactly when the cell's class is that text's; any other text is
// always written.
void ClassWriter::setClasses(std::string_view speciesClass, std::string_view treeClass) {
    const SpeciesClass species = speciesClassOf(speciesClass);
    if (species == SpeciesClass::None || species != species_) {
        tally_.SetText(SpeciesClassColumn, row_, speciesClass);
        species_ = species;
        changed_ = true;
    }
    setTreeClass(treeClass);
}

void ClassWriter::setTreeClass(std::string_view treeClass) {
    const TreeClass tree = treeClassOf(treeClass);
    if (tree == TreeClass::None || tree != tree_) {
        tally_.SetText(TreeClassColumn, row_, treeClass);
        tree_ = tree;
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
