// What each program's stored resources give: the tally grid's layout and editors, and the reference
// pages.
#include "app/ProgramProfile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

using timbra::CellEditor;
using timbra::lowtimbraProfile;
using timbra::ProgramProfile;
using timbra::ReferencePage;
using timbra::Sheet;
using timbra::timbraProfile;

namespace {

// Restoring a grid parses 15,000 cells; each program's grid is loaded once.
const Sheet& timbraGrid() {
    static const Sheet sheet = timbraProfile().loadTallyGrid();
    return sheet;
}

const Sheet& lowtimbraGrid() {
    static const Sheet sheet = lowtimbraProfile().loadTallyGrid();
    return sheet;
}

TEST(TallyGrid, SizeLabelsAndHeaderCells) {
    for (const auto& [grid, rows, plotSize] :
         {std::tuple<const Sheet&, int, std::string>{timbraGrid(), 1500, "Fifth acre"},
          {lowtimbraGrid(), 1501, "Tenth acre"}}) {
        SCOPED_TRACE(rows);
        EXPECT_EQ(grid.GetMaxCols(), 10);
        EXPECT_EQ(grid.GetMaxRows(), rows);
        // Row 5's headings and the labels are ordinary cells with their column's editor, which also
        // take their own caption back.
        for (int col = 1; col <= 10; ++col) {
            EXPECT_EQ(grid.GetText(col, 5), grid.colHeading(col));
            EXPECT_EQ(grid.accept(col, 5, grid.colHeading(col)), grid.colHeading(col));
        }
        EXPECT_EQ(grid.accept(2, 5, "Tree no."), "Tree no.");
        EXPECT_EQ(grid.accept(9, 5, "codominant"), "Codominant"); // the column-wide list
        EXPECT_EQ(grid.accept(9, 5, "Tree no."), std::nullopt);
        EXPECT_EQ(grid.accept(9, 2, "Number of Plots"), "Number of Plots");
        EXPECT_EQ(grid.accept(9, 2, "reserved"), std::nullopt);
        EXPECT_EQ(grid.accept(10, 1, "reserved"), "Reserved");
        for (const auto& [col, row, text] : {std::tuple{1, 2, "Stand Name"},
                                             {1, 3, "Stand Location"},
                                             {7, 2, "Plot Size"},
                                             {9, 2, "Number of Plots"}}) {
            EXPECT_EQ(grid.GetText(col, row), text);
            EXPECT_FALSE(grid.formatAt(col, row).staticText);
        }
        EXPECT_EQ(grid.accept(1, 2, "Stand"), "Stand");
        EXPECT_EQ(grid.GetText(8, 2), plotSize);
        EXPECT_EQ(grid.editorAt(8, 2).items,
                  (std::vector<std::string>{"Tenth acre", "Fifth acre", "Quarter acre", "Half acre"}));
        EXPECT_EQ(grid.accept(10, 2, "40"), "40");
        EXPECT_EQ(grid.accept(10, 2, "41"), std::nullopt);
        EXPECT_EQ(grid.accept(3, 2, std::string(60, 'n')), std::string(60, 'n'));
        EXPECT_EQ(grid.accept(3, 3, std::string(61, 'n')), std::nullopt);
    }
}

TEST(TallyGrid, ProvinceOnlyInTimbra) {
    EXPECT_EQ(timbraGrid().GetText(9, 3), "Province");
    EXPECT_EQ(timbraGrid().editorAt(10, 3).items,
              (std::vector<std::string>{"Cumberland", "Western Rim", "Coastal Plain"}));

    // Lowtimbra's I3 and J3 are plain empty text cells, not the column-wide lists.
    for (int col : {9, 10}) {
        EXPECT_EQ(lowtimbraGrid().GetText(col, 3), "");
        EXPECT_EQ(lowtimbraGrid().accept(col, 3, "Cumberland"), "Cumberland");
    }
}

// What a tree-row cell keeps of typed text, per program; checked in the first and the last tree row.
TEST(TallyGrid, TreeRowEditorsAndLimits) {
    constexpr std::nullopt_t No = std::nullopt;
    const struct {
        bool timbra;
        int col;
        std::string typed;
        std::optional<std::string> kept;
    } cases[] = {
        // clang-format off
        {true, 1, "100", "100"}, {true, 1, "101", No}, {false, 1, "40", "40"},
        {false, 1, "41", No}, {true, 2, "-9999999.99", "-9999999.99"}, {true, 2, "10000000", No},
        {false, 2, "5000", "5000"}, {false, 2, "5001", No}, {false, 2, "1.5", No},
        {true, 3, "ylp", "YLP"}, {false, 3, "ylp", "YLP"}, {true, 3, "sumab", No},
        {false, 3, "sumab", No}, {true, 3, "yl1", No}, {false, 3, "yl1", "YL1"},
        {true, 5, "5", No}, {false, 5, "5", No}, {true, 5, "40", "40"},
        {true, 5, "42", No}, {false, 5, "50", "50"}, {false, 5, "51", No},
        {true, 6, "4", No}, {true, 6, "3.5", "3.5"}, {false, 6, "5.5", "5.5"},
        {false, 6, "6", No}, {true, 6, "0.5", No}, {true, 7, "4", No},
        {false, 7, "4", No}, {true, 7, "3", "3"}, {true, 4, "acceptable", "Acceptable"},
        {false, 4, "acceptable", "Acceptable"}, {true, 8, "Medium", "Medium"}, {false, 8, "Average", No},
        // clang-format on
    };
    for (const auto& c : cases) {
        const Sheet& grid = c.timbra ? timbraGrid() : lowtimbraGrid();
        for (int row : {6, grid.GetMaxRows()})
            EXPECT_EQ(grid.accept(c.col, row, c.typed), c.kept)
                << (c.timbra ? "Timbra " : "Lowtimbra ") << timbra::columnName(c.col) << row << " typed \""
                << c.typed << "\"";
    }
}

// The model compares the tree rows' item texts; the column-wide lists of rows 1 to 5 spell two
// items differently and must never reach a tree row.
TEST(TallyGrid, TreeRowListsDifferFromColumnDefaults) {
    for (const Sheet* grid : {&timbraGrid(), &lowtimbraGrid()}) {
        const int last = grid->GetMaxRows();
        EXPECT_EQ(grid->editorAt(9, last).items,
                  (std::vector<std::string>{"Dominant", "Co-dominant", "Intermediate", "Suppressed"}));
        EXPECT_EQ(grid->editorAt(10, last).items,
                  (std::vector<std::string>{"Preferred", "Reserve", "Cutting Stock", "Cull"}));
        EXPECT_EQ(grid->accept(9, 6, "co-dominant"), "Co-dominant");
        EXPECT_EQ(grid->accept(9, 6, "Codominant"), std::nullopt);
        EXPECT_EQ(grid->accept(10, 6, "Reserved"), std::nullopt);
        EXPECT_EQ(grid->accept(9, 1, "Codominant"), "Codominant");
        EXPECT_EQ(grid->accept(10, 1, "Reserved"), "Reserved");
        // The header cells of those columns are plain text, not the column-wide lists.
        EXPECT_EQ(grid->editorAt(4, 2), CellEditor::text(60));
        EXPECT_EQ(grid->editorAt(10, 4), CellEditor::text(60));
    }
}

// A broken page resource aborts loadPage, so loading every page is the first check. Each program
// shows its own pages, and its input help names the province and Clear only when it has them.
TEST(ReferencePages, EveryPageLoadsReadOnlyAndFollowsItsProgram) {
    for (const ProgramProfile* p : {&timbraProfile(), &lowtimbraProfile()}) {
        for (const ReferencePage* page : {&p->gettingStarted, &p->objectiveDescriptions, &p->fieldDataSheet,
                                          &p->fieldInstructions, &p->inputHelp}) {
            SCOPED_TRACE(p->programName + " " + page->resource);
            const Sheet sheet = p->loadPage(*page);
            int texts = 0;
            for (int row = 1; row <= sheet.GetMaxRows(); ++row)
                for (int col = 1; col <= sheet.GetMaxCols(); ++col) {
                    EXPECT_TRUE(sheet.formatAt(col, row).staticText) << timbra::columnName(col) << row;
                    texts += !sheet.GetText(col, row).empty();
                }
            EXPECT_GT(texts, 4);
        }
        const Sheet help = p->loadPage(p->inputHelp);
        std::vector<std::string> items;
        for (int row = 1; row <= help.GetMaxRows(); ++row)
            items.push_back(help.GetText(2, row));
        const auto holds = [&](const std::string& text) {
            return std::find(items.begin(), items.end(), text) != items.end();
        };
        EXPECT_TRUE(holds("Number of Plots:")) << p->programName;
        EXPECT_EQ(holds("Province:"), p->hasProvince) << p->programName;
        EXPECT_EQ(holds("CLEAR SPREADSHEET:"),
                  p->inputMenus[0].entries[1].command == timbra::Command::ClearSpreadsheet);
    }
    EXPECT_EQ(timbraProfile().loadPage(timbraProfile().objectiveDescriptions).GetText(2, 16),
              "Select one of the four objectives from the input screen.");
    EXPECT_EQ(lowtimbraProfile().loadPage(lowtimbraProfile().objectiveDescriptions).GetText(2, 12),
              "Select one of the three objectives from the input screen.");
}

} // namespace
