// What the model relies on in each program's stored tally grid: tree-row lists spelled as the model
// compares them, and Lowtimbra's grid without a province. (The reference pages are loaded and
// checked by the main window's tests.)
#include "core/TestFiles.h"

#include <gtest/gtest.h>

namespace timbra {
namespace {

TEST(TallyGrid, TreeRowListsAreTheModelsSpelling) {
    const Sheet timbraGrid = timbraProfile().loadTallyGrid();
    const Sheet lowtimbraGrid = lowtimbraProfile().loadTallyGrid();
    for (const auto& c : test::cases("grid", "treeRowMend")) {
        const Sheet& grid = c[0] == "timbra" ? timbraGrid : lowtimbraGrid;
        const auto kept = c[3].is_null() ? std::nullopt : std::optional<std::string>(c[3]);
        for (int row : {6, grid.GetMaxRows()})
            EXPECT_EQ(grid.accept(c[1], row, c[2].get<std::string>()), kept) << c.dump() << " row " << row;
    }
    EXPECT_EQ(lowtimbraGrid.accept(10, 3, "anything"), "anything"); // no province list in Lowtimbra
}

} // namespace
} // namespace timbra
