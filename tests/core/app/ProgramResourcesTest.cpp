// What the model relies on in each program's stored resources: tree-row lists spelled as the model
// compares them, Lowtimbra's grid without a province, and reference pages that load.
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

// A broken page resource aborts loadPage, so loading every page is the check.
TEST(ReferencePages, EveryPageLoadsReadOnly) {
    for (const ProgramProfile* p : {&timbraProfile(), &lowtimbraProfile()})
        for (const ReferencePage* page : {&p->gettingStarted, &p->objectiveDescriptions, &p->fieldDataSheet,
                                          &p->fieldInstructions, &p->inputHelp}) {
            const Sheet sheet = p->loadPage(*page);
            int texts = 0;
            for (int row = 1; row <= sheet.GetMaxRows(); ++row)
                for (int col = 1; col <= sheet.GetMaxCols(); ++col) {
                    EXPECT_TRUE(sheet.formatAt(col, row).staticText) << page->resource << " " << row;
                    texts += !sheet.GetText(col, row).empty();
                }
            EXPECT_GT(texts, 4) << page->resource;
        }
}

} // namespace
} // namespace timbra
