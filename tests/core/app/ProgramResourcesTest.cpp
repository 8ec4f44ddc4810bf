// What each program's stored resources give: the tally grid's editors (the limits of a tally), the
// lists the model compares, and reference pages that load.
#include "core/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace timbra {
namespace {

// Restoring a grid parses 15,000 cells; each program's grid is loaded once.
const Sheet& gridOf(const std::string& program) {
    static const Sheet timbraGrid = timbraProfile().loadTallyGrid();
    static const Sheet lowtimbraGrid = lowtimbraProfile().loadTallyGrid();
    return program == "timbra" ? timbraGrid : lowtimbraGrid;
}

std::optional<std::string> kept(const nlohmann::json& want) {
    return want.is_null() ? std::nullopt : std::optional<std::string>(want);
}

TEST(TallyGrid, HeaderCellsAndTheirLimits) {
    for (const char* program : {"timbra", "lowtimbra"}) {
        const Sheet& grid = gridOf(program);
        SCOPED_TRACE(program);
        EXPECT_EQ(grid.GetMaxRows(), program == std::string("timbra") ? 1500 : 1501);
        EXPECT_EQ(grid.editorAt(8, 2).items,
                  (std::vector<std::string>{"Tenth acre", "Fifth acre", "Quarter acre", "Half acre"}));
        EXPECT_EQ(grid.accept(10, 2, "40"), "40");
        EXPECT_EQ(grid.accept(10, 2, "41"), std::nullopt);
        EXPECT_EQ(grid.accept(3, 2, std::string(60, 'n')), std::string(60, 'n'));
        EXPECT_EQ(grid.accept(3, 3, std::string(61, 'n')), std::nullopt);
        // Row 5's headings take their own caption back.
        for (int col = 1; col <= 10; ++col)
            EXPECT_EQ(grid.accept(col, 5, grid.GetColHeading(col)), grid.GetColHeading(col));
    }
    EXPECT_EQ(gridOf("timbra").editorAt(10, 3).items,
              (std::vector<std::string>{"Cumberland", "Western Rim", "Coastal Plain"}));
    EXPECT_EQ(gridOf("lowtimbra").accept(10, 3, "anything"), "anything"); // no province in Lowtimbra
}

// What a tree-row cell keeps of typed text, per program, in the first and the last tree row. The
// model compares the tree rows' item texts, and the column-wide lists of rows 1 to 5 spell two
// items differently ("Codominant", "Reserved"): those must never reach a tree row.
TEST(TallyGrid, TreeRowEditorsAndLimits) {
    for (const auto& c : test::cases("grid", "treeRowEditors")) {
        const Sheet& grid = gridOf(c[0]);
        for (int row : {6, grid.GetMaxRows()})
            EXPECT_EQ(grid.accept(c[1], row, c[2].get<std::string>()), kept(c[3]))
                << c.dump() << " row " << row;
    }
    for (const char* program : {"timbra", "lowtimbra"}) {
        EXPECT_EQ(gridOf(program).accept(9, 1, "Codominant"), "Codominant");
        EXPECT_EQ(gridOf(program).accept(10, 1, "Reserved"), "Reserved");
        EXPECT_EQ(gridOf(program).editorAt(10, 4), CellEditor::text(60));
    }
}

// A broken page resource aborts loadPage, so loading every page is the first check. Each program's
// input help names the province and Clear only when it has them.
TEST(ReferencePages, EveryPageLoadsReadOnlyAndFollowsItsProgram) {
    for (const ProgramProfile* p : {&timbraProfile(), &lowtimbraProfile()}) {
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
        const Sheet help = p->loadPage(p->inputHelp);
        std::vector<std::string> items;
        for (int row = 1; row <= help.GetMaxRows(); ++row)
            items.push_back(help.GetText(2, row));
        const auto holds = [&](const std::string& text) {
            return std::ranges::find(items, text) != items.end();
        };
        EXPECT_EQ(holds("Province:"), p->hasProvince) << p->programName;
        EXPECT_EQ(holds("CLEAR SPREADSHEET:"), p->clearId != 0) << p->programName;
    }
}

} // namespace
} // namespace timbra
