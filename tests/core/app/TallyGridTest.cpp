#include "app/ProgramProfile.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using timbra::CellEditor;
using timbra::lowtimbraProfile;
using timbra::ProgramProfile;
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

const std::vector<std::string> headings = {"Plot #", "Tree #", "Species", "Species Class", "DBH",
                                           "Height", "Grade",  "Vigor",   "Crown Class",   "Tree Class"};

TEST(TallyGrid, SizeHeadingsAndLabels) {
    struct Case {
        const Sheet& grid;
        int rows;
        std::string plotSize;
    };
    for (const Case& c :
         {Case{timbraGrid(), 1500, "Fifth acre"}, Case{lowtimbraGrid(), 1501, "Tenth acre"}}) {
        SCOPED_TRACE(c.rows);
        EXPECT_EQ(c.grid.GetMaxCols(), 10);
        EXPECT_EQ(c.grid.GetMaxRows(), c.rows);
        for (int col = 1; col <= 10; ++col) {
            EXPECT_EQ(c.grid.GetColHeading(col), headings[col - 1]);
            EXPECT_EQ(c.grid.GetText(col, 5), headings[col - 1]);
            EXPECT_TRUE(c.grid.formatAt(col, 5).staticText);
            EXPECT_EQ(c.grid.GetText(col, 1), "");
            EXPECT_EQ(c.grid.GetText(col, 4), "");
            EXPECT_EQ(c.grid.GetText(col, 6), "");
        }
        for (const auto& [col, row, text] : {std::tuple{1, 2, "Stand Name"},
                                             {1, 3, "Stand Location"},
                                             {7, 2, "Plot Size"},
                                             {9, 2, "Number of Plots"}}) {
            EXPECT_EQ(c.grid.GetText(col, row), text);
            EXPECT_EQ(c.grid.accept(col, row, "x"), std::nullopt) << "label cells are not edited";
        }
        EXPECT_EQ(c.grid.GetText(8, 2), c.plotSize);
        EXPECT_EQ(c.grid.editorAt(8, 2).items,
                  (std::vector<std::string>{"Tenth acre", "Fifth acre", "Quarter acre", "Half acre"}));
        EXPECT_EQ(c.grid.GetText(3, 2), "");
        EXPECT_EQ(c.grid.GetText(10, 2), "");
        EXPECT_EQ(c.grid.accept(10, 2, "40"), "40");
        EXPECT_EQ(c.grid.accept(10, 2, "41"), std::nullopt);
        EXPECT_EQ(c.grid.accept(3, 2, std::string(60, 'n')), std::string(60, 'n'));
        EXPECT_EQ(c.grid.accept(3, 3, std::string(61, 'n')), std::nullopt);
    }
}

TEST(TallyGrid, ProvinceOnlyInTimbra) {
    EXPECT_EQ(timbraGrid().GetText(9, 3), "Province");
    EXPECT_EQ(timbraGrid().GetText(10, 3), "");
    EXPECT_EQ(timbraGrid().editorAt(10, 3).items,
              (std::vector<std::string>{"Cumberland", "Western Rim", "Coastal Plain"}));

    // Lowtimbra's I3 and J3 are plain empty text cells, not the column-wide lists.
    for (int col : {9, 10}) {
        EXPECT_EQ(lowtimbraGrid().GetText(col, 3), "");
        EXPECT_EQ(lowtimbraGrid().editorAt(col, 3), CellEditor::text(60));
        EXPECT_EQ(lowtimbraGrid().accept(col, 3, "Cumberland"), "Cumberland");
    }
}

// What a tree-row cell keeps of typed text, per program; checked in the first and the last tree row.
TEST(TallyGrid, TreeRowEditorsAndLimits) {
    struct Case {
        bool timbra;
        int col;
        std::string typed;
        std::optional<std::string> kept;
    };
    const std::vector<Case> cases = {
        {true, 1, "100", "100"},
        {true, 1, "101", std::nullopt},
        {false, 1, "40", "40"},
        {false, 1, "41", std::nullopt},
        {true, 2, "-9999999.99", "-9999999.99"},
        {true, 2, "10000000", std::nullopt},
        {false, 2, "5000", "5000"},
        {false, 2, "5001", std::nullopt},
        {false, 2, "1.5", std::nullopt},
        {true, 3, "ylp", "YLP"},
        {false, 3, "ylp", "YLP"},
        {true, 3, "sumab", std::nullopt},
        {false, 3, "sumab", std::nullopt},
        {true, 3, "yl1", std::nullopt},
        {false, 3, "yl1", "YL1"},
        {true, 5, "5", std::nullopt},
        {false, 5, "5", std::nullopt},
        {true, 5, "40", "40"},
        {true, 5, "42", std::nullopt},
        {false, 5, "50", "50"},
        {false, 5, "51", std::nullopt},
        {true, 6, "4", std::nullopt},
        {true, 6, "3.5", "3.5"},
        {false, 6, "5.5", "5.5"},
        {false, 6, "6", std::nullopt},
        {true, 6, "0.5", std::nullopt},
        {true, 7, "4", std::nullopt},
        {false, 7, "4", std::nullopt},
        {true, 7, "3", "3"},
        {true, 4, "acceptable", "Acceptable"},
        {false, 4, "acceptable", "Acceptable"},
        {true, 8, "Medium", "Medium"},
        {false, 8, "Average", std::nullopt},
    };
    for (const Case& c : cases) {
        const Sheet& grid = c.timbra ? timbraGrid() : lowtimbraGrid();
        for (int row : {6, grid.GetMaxRows()}) {
            SCOPED_TRACE((c.timbra ? "Timbra " : "Lowtimbra ") + timbra::columnName(c.col) +
                         std::to_string(row) + " typed \"" + c.typed + "\"");
            EXPECT_EQ(grid.accept(c.col, row, c.typed), c.kept);
        }
    }
}

TEST(TallyGrid, SpinStepsAndDecimals) {
    const CellEditor& dbh = timbraGrid().editorAt(5, 6);
    EXPECT_EQ(dbh.kind, CellEditor::Kind::Integer);
    EXPECT_EQ(dbh.step, 2);
    for (const Sheet* grid : {&timbraGrid(), &lowtimbraGrid()}) {
        const CellEditor& height = grid->editorAt(6, grid->GetMaxRows());
        EXPECT_EQ(height.kind, CellEditor::Kind::Float);
        EXPECT_EQ(height.step, 0.5);
        EXPECT_EQ(height.decimals, 1);
    }
    EXPECT_EQ(timbraGrid().editorAt(2, 6).decimals, 2);
    EXPECT_EQ(lowtimbraGrid().editorAt(2, 6).kind, CellEditor::Kind::Integer);
}

// The model compares the tree rows' item texts; the column-wide lists of rows 1 to 5 spell two
// items differently and must never reach a tree row.
TEST(TallyGrid, TreeRowListsDifferFromColumnDefaults) {
    const std::vector<std::string> speciesClass = {"Desirable", "Acceptable", "Unacceptable"};
    const std::vector<std::string> vigor = {"High", "Medium", "Low"};
    for (const Sheet* grid : {&timbraGrid(), &lowtimbraGrid()}) {
        const int last = grid->GetMaxRows();
        EXPECT_EQ(grid->editorAt(4, last).items, speciesClass);
        EXPECT_EQ(grid->editorAt(8, last).items, vigor);
        EXPECT_EQ(grid->editorAt(9, last).items,
                  (std::vector<std::string>{"Dominant", "Co-dominant", "Intermediate", "Suppressed"}));
        EXPECT_EQ(grid->editorAt(10, last).items,
                  (std::vector<std::string>{"Preferred", "Reserve", "Cutting Stock", "Cull"}));
        EXPECT_EQ(grid->accept(9, 6, "co-dominant"), "Co-dominant");
        EXPECT_EQ(grid->accept(9, 6, "Codominant"), std::nullopt);
        EXPECT_EQ(grid->accept(10, 6, "Reserved"), std::nullopt);

        EXPECT_EQ(grid->editorAt(4, 1).items, speciesClass);
        EXPECT_EQ(grid->editorAt(8, 1).items, vigor);
        EXPECT_EQ(grid->editorAt(9, 1).items,
                  (std::vector<std::string>{"Dominant", "Codominant", "Intermediate", "Suppressed"}));
        EXPECT_EQ(grid->editorAt(10, 1).items,
                  (std::vector<std::string>{"Preferred", "Reserved", "Cutting Stock", "Cull"}));
        // The header cells of those columns are plain text, not the column-wide lists.
        EXPECT_EQ(grid->editorAt(4, 2), CellEditor::text(60));
        EXPECT_EQ(grid->editorAt(10, 4), CellEditor::text(60));
    }
}

TEST(TallyGrid, ColumnWidthsAndRowHeights) {
    const std::vector<double> timbraWidths = {4.5, 5.12, 5.75, 10.0, 5.0, 5.25, 6.62, 6.62, 10.12, 10.12};
    const std::vector<double> lowtimbraWidths = {5.0, 5.0, 5.75, 10.0, 5.0, 5.37, 5.75, 7.87, 10.5, 10.12};
    for (int col = 1; col <= 10; ++col) {
        EXPECT_EQ(timbraGrid().GetColWidth(col), timbraWidths[col - 1]) << col;
        EXPECT_EQ(lowtimbraGrid().GetColWidth(col), lowtimbraWidths[col - 1]) << col;
    }
    for (const Sheet* grid : {&timbraGrid(), &lowtimbraGrid()}) {
        EXPECT_EQ(grid->GetRowHeight(2), 14.0);
        EXPECT_EQ(grid->GetRowHeight(3), 14.0);
        EXPECT_EQ(grid->GetRowHeight(5), 12.6);
        EXPECT_EQ(grid->GetRowHeight(7), 10.5);
        EXPECT_EQ(grid->GetRowHeight(9), Sheet::DefaultRowHeight);
    }
    EXPECT_EQ(timbraGrid().GetRowHeight(8), 10.5);
    EXPECT_EQ(lowtimbraGrid().GetRowHeight(8), Sheet::DefaultRowHeight);
}

} // namespace
