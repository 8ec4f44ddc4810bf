#include "model/RewritePass.h"

#include "model/TallyRun.h"

namespace timbra {

void forEachRewriteRow(Sheet& tally, int lastRow, RewriteRule rewrite) {
    for (int row = FirstTreeRow; row <= lastRow; ++row) {
        if (row != FirstTreeRow && tally.GetInteger(PlotColumn, row) == 0) continue;
        ClassCells cells;
        cells.row = row;
        cells.speciesCode = tally.GetText(SpeciesColumn, row);
        cells.speciesClass = speciesClassOf(tally.GetText(SpeciesClassColumn, row));
        cells.dbh = tally.GetInteger(DbhColumn, row);
        cells.treeClass = treeClassOf(tally.GetText(TreeClassColumn, row));
        rewrite(tally, cells);
    }
}

void setClasses(Sheet& tally, int row, std::string_view speciesClass, std::string_view treeClass) {
    tally.SetText(SpeciesClassColumn, row, speciesClass);
    setTreeClass(tally, row, treeClass);
}

void setTreeClass(Sheet& tally, int row, std::string_view treeClass) {
    tally.SetText(TreeClassColumn, row, treeClass);
}

} // namespace timbra
