#include "core/model/TreeRows.h"

#include "core/input/TallyLayout.h"

namespace timbra {

TreeRow readTreeRow(const Sheet& tally, int row) {
    const Sheet::RowCells cells = tally.rowCells(row);
    const std::string_view speciesClass = cells.GetText(SpeciesClassColumn),
                           vigor = cells.GetText(VigorColumn), crownClass = cells.GetText(CrownClassColumn),
                           treeClass = cells.GetText(TreeClassColumn);
    return {.row = row,
            .plot = cells.GetInteger(PlotColumn),
            .nextPlot = tally.rowCells(row + 1).GetInteger(PlotColumn),
            .dbh = cells.GetInteger(DbhColumn),
            .grade = cells.GetInteger(GradeColumn),
            .height = cells.GetFloat(HeightColumn),
            .crownClass = crownClass,
            .speciesClass = speciesClass,
            .vigor = vigor,
            .treeClass = treeClass,
            .speciesCode = cells.GetText(SpeciesColumn),
            .classes = classify(speciesClass, vigor, crownClass, treeClass)};
}

TreeRow treeRowOf(int dbh, double height, int grade, std::string_view speciesClass, std::string_view vigor,
                  std::string_view crownClass, std::string_view treeClass) {
    TreeRow tree;
    tree.dbh = dbh;
    tree.height = height;
    tree.grade = grade;
    tree.speciesClass = speciesClass;
    tree.vigor = vigor;
    tree.crownClass = crownClass;
    tree.treeClass = treeClass;
    tree.classes = classify(speciesClass, vigor, crownClass, treeClass);
    return tree;
}

void TreeRows::read(const Sheet& tally) {
    rows_.clear();
    for (int row = FirstTreeRow; row <= LastTreeRow; ++row) {
        rows_.push_back(readTreeRow(tally, row));
        if (rows_.back().nextPlot == 0) break;
    }
}

void TreeRows::putBack(const TreeRows& from, const std::vector<int>& rows) {
    for (int row : rows)
        rows_.at(static_cast<std::size_t>(row - FirstTreeRow)) =
            from.rows_.at(static_cast<std::size_t>(row - FirstTreeRow));
}

} // namespace timbra
