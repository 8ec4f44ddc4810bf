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
        if (row != FirstTreeRow && tally.GetInteger(PlotColumn, row) == 0) continue;
        ClassCells cells;
        cells.speciesCode = tally.GetText(SpeciesColumn, row);
        cells.speciesClass = speciesClassOf(tally.GetText(SpeciesClassColumn, row));
        cells.dbh = tally.GetInteger(DbhColumn, row);
        cells.treeClass = treeClassOf(tally.GetText(TreeClassColumn, row));
        ClassWriter writer(tally, row, cells);
        rewrite(writer, cells);
        if (writer.changedRow()) changedRows.push_back(row);
    }
    return changedRows;
}

} // namespace timbra
