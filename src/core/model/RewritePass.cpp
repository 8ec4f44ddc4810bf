#include "model/RewritePass.h"

#include "model/TallyRun.h"

namespace timbra {

void forEachRewriteRow(Sheet& tally, int lastRow, RewriteRule rewrite) {
    for (int row = FirstTreeRow; row <= lastRow; ++row) {
        if (row != FirstTreeRow && tally.GetInteger(1, row) == 0) continue;
        ClassCells cells;
        cells.row = row;
        cells.speciesCode = tally.GetText(3, row);
        cells.speciesClass = tally.GetText(4, row);
        cells.dbh = tally.GetInteger(5, row);
        cells.treeClass = tally.GetText(10, row);
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
