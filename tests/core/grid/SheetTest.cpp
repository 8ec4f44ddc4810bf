// The sheet core: addressing, block mode, the clears and outlines, number reads and the editors' rules.
#include "core/TestFiles.h"
#include "core/grid/StoredSheet.h"

#include <map>

namespace timbra {
namespace {

TEST(Sheet, ReadsOutsideTheSheetGiveNothingAndWritesThereDoNothing) {
    Sheet s(3, 3);
    s.SetText(3, 3, "7");
    s.SetText(4, 3, "x");
    s.SetInteger(0, 1, 5);
    for (auto [c, r] : {std::pair{0, 1}, {1, 0}, {4, 1}, {1, 4}, {-1, -1}, {4, 3}}) {
        EXPECT_TRUE(s.GetText(c, r).empty() && s.GetInteger(c, r) == 0 && s.GetFloat(c, r) == 0.0 &&
                    !s.accept(c, r, ""))
            << c << "," << r;
        const Sheet::RowCells row = s.rowCells(r);
        EXPECT_TRUE(row.GetText(c).empty() && row.GetInteger(c) == 0 && row.GetFloat(c) == 0.0)
            << c << "," << r;
    }
    EXPECT_EQ(s.GetInteger(3, 3), 7);
    EXPECT_EQ(s.rowCells(3).GetText(3) + "|" + std::to_string(s.rowCells(3).GetInteger(3)), "7|7");
}

TEST(Sheet, BlockModeWritesTheWholeBlockClippedToTheSheet) {
    Sheet s(4, 4);
    s.SetCol(3); // corners in any order, partly outside
    s.SetRow(5);
    s.SetCol2(2);
    s.SetRow2(2);
    s.SetText("a");
    EXPECT_EQ(s.GetText(2, 4), "");
    s.SetBlockMode(true);
    s.SetText("b");
    s.SetBlockMode(false);
    EXPECT_EQ(s.GetText(2, 2) + s.GetText(3, 4) + "|" + s.GetText(1, 2) + s.GetText(4, 4) + s.GetText(3, 5),
              "bb|");

    // Emptying the rows after one reaches text however it was written: by block, by cell, or kept
    // through a resize.
    s.SetText(4, 3, "c");
    s.SetMaxRows(6);
    s.SetText(1, 6, "d");
    s.clearTextAfterRow(2);
    EXPECT_EQ(s.GetText(2, 2) + "|" + s.GetText(3, 3) + s.GetText(3, 4) + s.GetText(4, 3) + s.GetText(1, 6),
              "b|");
}

TEST(Sheet, NumberReadsOfTextThatIsNotANumber) {
    Sheet s(1, 1);
    for (const auto& [text, value] :
         test::cases("grid", "integerReads").get<std::vector<std::pair<std::string, int>>>()) {
        s.SetText(1, 1, text);
        EXPECT_EQ(s.GetInteger(1, 1), value) << text;
    }
    for (const auto& [text, value] :
         test::cases("grid", "floatReads").get<std::vector<std::pair<std::string, double>>>()) {
        s.SetText(1, 1, text);
        EXPECT_EQ(s.GetFloat(1, 1), value) << text;
    }
}

// What each kind of editor keeps of typed text (tests/data/cases/grid.json). The tally grid's own
// editors are checked with the tally grid; these are the rules underneath.
TEST(CellEditor, AcceptRules) {
    const CellEditor dbh = CellEditor::integer(6, 40, 2);
    const CellEditor height = CellEditor::decimal(1, 3.5, 0.5, 1);
    const CellEditor crown = CellEditor::list({"Dominant", "Co-dominant", "Intermediate", "Suppressed"});
    // clang-format off
    const std::map<std::string, CellEditor> editors{
        {"species", CellEditor::text(4, true, true)}, {"name", CellEditor::text(4)}, {"dbh", dbh}, {"height", height},
        {"plot", CellEditor::integer(0, 100)}, {"treeNumber", CellEditor::decimal(-9999999.99, 9999999.99, 1, 2)},
        {"crown", crown}};
    // clang-format on
    for (const auto& c : test::cases("grid", "accept")) {
        const auto kept = c[2].is_null() ? std::nullopt : std::optional<std::string>(c[2]);
        EXPECT_EQ(editors.at(c[0]).accept(c[1].get<std::string>()), kept) << c.dump();
    }
    // The 0 the dialog writes into empty tree rows is held without a mark; other misfits are not.
    for (const char* zero : {"0", "0.0", "-0"})
        EXPECT_TRUE(dbh.holds(zero) && height.holds(zero)) << zero;
    EXPECT_FALSE(dbh.holds("45") || height.holds("4") || crown.holds("0"));
    // A file's comma is a cell separator, never a decimal mark: a file's "2,5" is refused and marked.
    EXPECT_FALSE(height.accept("2,5", parseNumber("2,5")) || height.holds("2,5"));

    // A refusal names the limits in their shortest form, to two decimals at most.
    EXPECT_EQ(dbh.describe(), "a whole number from 6 to 40");
    EXPECT_EQ(height.describe(), "a number from 1 to 3.5");
    EXPECT_EQ(editors.at("treeNumber").describe(), "a number from -9999999.99 to 9999999.99");
    EXPECT_EQ(CellEditor::decimal(0.125, 1e20, 1, 2).describe(),
              "a number from 0.12 to 100000000000000000000");
}

TEST(StoredSheet, ReadsEditorsCellsAndReportsBadDocuments) {
    const auto r = loadStoredSheet(R"({"columns": 3, "rows": 4,
        "lists": {"v": ["High", "Low"]},
        "columnEditors": {"B": {"kind": "list", "list": "v"}},
        "editors": [{"range": "A2:A4", "editor": {"kind": "integer", "min": 0, "max": 9}}],
        "cells": [{"at": "A1:C1", "text": "Head", "static": true}]})");
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.sheet.GetText(3, 1), "Head");
    EXPECT_TRUE(r.sheet.formatAt(2, 1).staticText);
    EXPECT_EQ(r.sheet.accept(2, 3, "low"), "Low");
    EXPECT_FALSE(r.sheet.accept(1, 3, "10"));
    EXPECT_FALSE(r.sheet.accept(1, 1, "Head"));

    for (const char* bad :
         {"", "{", R"({"columns": 2})", R"({"columns": 2, "rows": 2, "cells": [{"at": "A0"}]})",
          R"({"columns": 2, "rows": 2, "editors": [{"range": "A1", "editor": {"kind": "x"}}]})",
          R"({"columns": 2, "rows": 2, "columnEditors": {"A": {"kind": "list", "list": "none"}}})"})
        EXPECT_FALSE(loadStoredSheet(bad).ok()) << bad;
}

} // namespace
} // namespace timbra
