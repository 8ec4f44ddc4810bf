// The sheet core: addressing, block mode, the clears and outlines, number reads and the editors' rules.
#include "grid/Sheet.h"
#include "grid/StoredSheet.h"

#include <gtest/gtest.h>

#include <optional>

namespace timbra {
namespace {

TEST(Sheet, ReadsOutsideTheSheetGiveNothingAndWritesThereDoNothing) {
    Sheet s(3, 3);
    s.SetText(3, 3, "7");
    s.SetText(4, 3, "x");
    s.SetInteger(0, 1, 5);
    for (auto [c, r] : {std::pair{0, 1}, {1, 0}, {4, 1}, {1, 4}, {-1, -1}}) {
        EXPECT_EQ(s.GetText(c, r), "");
        EXPECT_EQ(s.GetInteger(c, r), 0);
        EXPECT_EQ(s.GetFloat(c, r), 0.0);
        EXPECT_FALSE(s.accept(c, r, "").has_value());
    }
    EXPECT_EQ(s.GetInteger(3, 3), 7);
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
    EXPECT_EQ(s.GetText(2, 2), "b");
    EXPECT_EQ(s.GetText(3, 4), "b");
    EXPECT_EQ(s.GetText(1, 2), "");
    EXPECT_EQ(s.GetText(4, 4), "");
    EXPECT_EQ(s.GetText(3, 5), "");

    // Emptying the rows after one reaches text however it was written: by block, by cell, or kept
    // through a resize.
    s.SetText(4, 3, "c");
    s.SetMaxRows(6);
    s.SetText(1, 6, "d");
    s.clearTextAfterRow(2);
    EXPECT_EQ(s.GetText(2, 2) + "|" + s.GetText(3, 3) + s.GetText(3, 4) + s.GetText(4, 3) + s.GetText(1, 6), "b|");
}

TEST(Sheet, NumberReadsOfTextThatIsNotANumber) {
    Sheet s(1, 1);
    const std::pair<const char*, int> integers[] = {
        {"", 0},       {" ", 0},           {"abc", 0},   {"12abc", 0},
        {" 7 ", 7},    {"+3", 3},          {"2.5", 3},   {"-2.5", -3},
        {"1e3", 1000}, {"99999999999", 0}, {"1e309", 0}, {"nan", 0},
        {"inf", 0},    {"0x10", 0},        {"1,5", 0},   {"2147483647", 2147483647},
    };
    for (auto [text, value] : integers) {
        s.SetText(1, 1, text);
        EXPECT_EQ(s.GetInteger(1, 1), value) << text;
    }
    const std::pair<const char*, double> floats[] = {{"2.5", 2.5}, {".5", 0.5},   {"1e309", 0},
                                                     {"-nan", 0},  {"1e-400", 0}, {"3.", 3}};
    for (auto [text, value] : floats) {
        s.SetText(1, 1, text);
        EXPECT_EQ(s.GetFloat(1, 1), value) << text;
    }
}

TEST(Sheet, SetFloatWritesTheEditorsDecimals) {
    Sheet s(2, 1);
    s.setCellEditor(1, 1, s.addEditor(CellEditor::decimal(1, 3.5, 0.5, 1)));
    s.SetFloat(1, 1, 0.0);
    EXPECT_EQ(s.GetText(1, 1), "0.0");
    s.SetFloat(1, 1, 3.14159);
    EXPECT_EQ(s.GetText(1, 1), "3.1");
    s.SetFloat(2, 1, 2.5);
    EXPECT_EQ(s.GetText(2, 1), "2.5");
}

// What each kind of editor keeps of typed text (nullopt: refused). The tally grid's own editors are
// checked with the tally grid; these are the rules underneath.
TEST(CellEditor, AcceptRules) {
    constexpr std::nullopt_t No = std::nullopt;
    const CellEditor species = CellEditor::text(4, true, true);
    const CellEditor name = CellEditor::text(4);
    const CellEditor dbh = CellEditor::integer(6, 40, 2);
    const CellEditor height = CellEditor::decimal(1, 3.5, 0.5, 1);
    const CellEditor plot = CellEditor::integer(0, 100);
    const CellEditor treeNumber = CellEditor::decimal(-9999999.99, 9999999.99, 1, 2);
    const CellEditor crown = CellEditor::list({"Dominant", "Co-dominant", "Intermediate", "Suppressed"});
    const struct {
        const CellEditor& editor;
        const char* typed;
        std::optional<std::string> kept;
    } cases[] = {
        // clang-format off
        {species, "YLPX", "YLPX"}, {species, "\u00C9", No}, {species, " ", " "}, // the blank of an empty tree row
        {name, "\u00C9t\u00E9s", "\u00C9t\u00E9s"}, // four characters, seven bytes
        {name, "\u00C9t\u00E9s!", No}, {name, "a\tb", No}, {name, "a\nb", No},
        {dbh, "6", "6"}, {dbh, " 40 ", "40"}, {dbh, "14.0", "14"}, {dbh, "14.5", No}, {dbh, "ten", No},
        {dbh, "1e309", No}, {dbh, "0", No}, {dbh, "-0", No}, // a typed 0 must fit like any value
        {plot, "0", "0"}, {plot, "100", "100"},
        {height, "3.5", "3.5"}, {height, "2", "2.0"}, {height, "2.25", "2.25"}, {height, "0.0", No},
        {height, "nan", No}, {treeNumber, "1", "1.00"}, {treeNumber, "1.00", "1.00"}, {treeNumber, "-0", "0.00"},
        {treeNumber, "1e2", "100.00"}, // one form per value
        {crown, "co-DOMINANT", "Co-dominant"}, {crown, " Suppressed ", "Suppressed"}, {crown, "Dom", No},
        {crown, "", ""},
        // clang-format on
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.editor.accept(c.typed), c.kept) << "typed \"" << c.typed << "\"";
    // The 0 the dialog writes into empty tree rows is held without a mark; other misfits are not.
    for (const char* zero : {"0", "0.0", "-0"})
        EXPECT_TRUE(dbh.holds(zero) && height.holds(zero)) << zero;
    EXPECT_FALSE(dbh.holds("45") || height.holds("4") || crown.holds("0"));
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
