#include "model/RewritePass.h"

#include "model/TallyRun.h"

namespace timbra {

void forEachRewriteRow(Sheet& tally, int lastRow, RewriteRule rewrite) {
    for (int row = FirstTreeRow; row <= lastRow; ++row) {
        if (row != FirstTreeRow && tally.GetInteger(PlotColumn, row) == 0) continue;
        ClassCells cells;
        cells.row = row;
        cells.speciesCode = tally.GetText(SpeciesColumn, row);
        cells.speciesClass = tally.GetText(SpeciesClassColumn, row);
        cells.dbh = tally.GetInteger(DbhColumn, row);
        cells.treeClass = tally.GetText(TreeClassColumn, row);
        rewrite(tally, cells);
    }
}

void setClasses(Sheet& tally, int row, const std::string& speciesClass, const std::string& treeClass) {
    tally.SetText(SpeciesClassColumn, row, speciesClass);
    setTreeClass(tally, row, treeClass);
}

void setTreeClass(Sheet& tally, int row, const std::string& treeClass) {
    tally.SetText(TreeClassColumn, row, treeClass);
}

} // namespace timbra
