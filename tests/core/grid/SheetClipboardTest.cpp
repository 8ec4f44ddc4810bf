#include "core/grid/SheetClipboard.h"
#include "core/TestFiles.h"

#include <gtest/gtest.h>

namespace timbra {
namespace {

// Three columns: a species code (upper-cased, at most 4 letters), a DBH from 6 to 40 and a crown
// class list; row 1 is a read-only heading.
Sheet smallTally() {
    Sheet s(3, 5);
    s.setColumnEditor(1, s.addEditor(CellEditor::text(4, true, true)));
    s.setColumnEditor(2, s.addEditor(CellEditor::integer(6, 40, 2)));
    s.setColumnEditor(3, s.addEditor(CellEditor::list({"Dominant", "Co-dominant", "Intermediate"})));
    s.SetText(1, 1, "Species");
    s.SetCol(1);
    s.SetRow(1);
    s.SetCellType(Sheet::StaticTextType);
    return s;
}

// The first rows' cells, "|" between cells and "/" between rows.
std::string rowsOf(const Sheet& s, int rows) {
    std::string out;
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= s.GetMaxCols(); ++c)
            out += (c > 1 ? "|" : r > 1 ? "/" : "") + s.GetText(c, r);
    return out;
}

TEST(SheetClipboard, ParsesSpreadsheetText) {
    for (const auto& [text, table] :
         test::cases("clipboard", "parse").get<std::vector<std::pair<std::string, TextTable>>>())
        EXPECT_EQ(parseClipboardText(text), table) << text;
}

TEST(SheetClipboard, CopyQuotesWhatNeedsItAndParsesBack) {
    Sheet s(3, 3);
    s.SetText(1, 1, "plain");
    s.SetText(2, 1, "tab\there");
    s.SetText(3, 1, "say \"hi\"");
    s.SetText(1, 2, "line\r\nbreak");
    s.SetText(2, 2, " ");
    const std::string text = formatClipboardText(s, {1, 1, 3, 2});
    EXPECT_EQ(text, "plain\t\"tab\there\"\t\"say \"\"hi\"\"\"\n\"line\r\nbreak\"\t \t\n");
    EXPECT_EQ(parseClipboardText(text),
              (TextTable{{"plain", "tab\there", "say \"hi\""}, {"line\r\nbreak", " ", ""}}));
    EXPECT_EQ(formatClipboardText(s, {3, 3, 9, 9}), "\n"); // clipped to the sheet
}

TEST(SheetClipboard, PasteChecksEveryCellAndNormalises) {
    Sheet s = smallTally();
    const TextTable table = {{"ylp", "14", "co-dominant"}, {"Y1", "45", "Codominant"}, {"swg", "0", " "}};
    const PasteResult r = pasteIntoSheet(s, 1, 1, table);
    EXPECT_EQ(r.written, 4);
    EXPECT_EQ(r.refused, 5); // the heading, a digit in a code, DBHs of 45 and 0, an unknown crown class
    EXPECT_EQ(rowsOf(s, 3), "Species|14|Co-dominant/||/SWG|| ");
    EXPECT_EQ(std::tuple(r.changed.col1, r.changed.row1, r.changed.col2, r.changed.row2),
              std::tuple(1, 1, 3, 3));
}

// Every pasted value is told apart: written, already there, refused by its editor, refused for a
// control character, beside the sheet, or in a row below the last row.
TEST(SheetClipboard, PasteCountsWhatHappenedToEachValue) {
    Sheet s = smallTally();
    const auto counts = [](const PasteResult& r) {
        return std::vector{r.written, r.unchanged,         r.refused,        r.refusedControl,
                           r.outside, r.valuesPastLastRow, r.rowsPastLastRow};
    };
    // The heading pasted back onto itself, and "14" onto 14, change nothing and are not refused.
    s.SetText(2, 2, "14");
    EXPECT_EQ(counts(pasteIntoSheet(s, 1, 1, {{"Species", "x"}, {"wo", "14"}})),
              (std::vector{1, 2, 1, 0, 0, 0, 0}));
    EXPECT_EQ(counts(pasteIntoSheet(s, 1, 3, {{std::string("W\0O", 3), "8", "Dominant", "x"}})),
              (std::vector{2, 0, 0, 1, 1, 0, 0}));
    // Rows past the sheet's last row are counted, not refused.
    const TextTable tall(100000, {"WO", "8"});
    EXPECT_EQ(counts(pasteIntoSheet(s, 1, 4, tall)), (std::vector{4, 0, 0, 0, 0, 199996, 99998}));
}

// The grid as it opened (a DBH and a height of 0, a blank species) pastes back into any row, in its
// own form, though no one could type those zeros; other values keep their editors' rules.
TEST(SheetClipboard, TheOpeningGridsValuesPasteBack) {
    Sheet opening(3, 3);
    opening.setColumnEditor(1, opening.addEditor(CellEditor::integer(6, 40, 2)));
    opening.setColumnEditor(2, opening.addEditor(CellEditor::decimal(1, 3.5, 0.5, 1)));
    opening.setColumnEditor(3, opening.addEditor(CellEditor::text(4, true, true)));
    for (int r = 2; r <= 3; ++r) {
        opening.SetText(1, r, "0");
        opening.SetText(2, r, "0.0");
        opening.SetText(3, r, " ");
    }
    Sheet s = opening;
    for (int r = 2; r <= 3; ++r) {
        s.SetText(1, r, "14");
        s.SetText(2, r, "2.5");
        s.SetText(3, r, "YLP");
    }
    const TextTable emptyRows = {{"0", "0.0", " "}, {"0", "0", "x"}};
    Sheet without = s;
    EXPECT_EQ(pasteIntoSheet(without, 1, 2, emptyRows).refused, 4); // without the opening grid
    const PasteResult r = pasteIntoSheet(s, 1, 2, emptyRows, &opening);
    EXPECT_EQ(std::tuple(r.written, r.refused), std::tuple(6, 0));
    EXPECT_EQ(rowsOf(s, 3), "||/0|0.0| /0|0.0|X");
    // Only the opening value of that very cell: row 1 opened empty, and "0" is still no DBH there.
    EXPECT_EQ(pasteIntoSheet(s, 1, 1, {{"0", "2,5"}}, &opening).refused, 1);
    EXPECT_EQ(rowsOf(s, 1), "|2.5|");
}

TEST(SheetClipboard, PastedWindows1252TextIsConverted) {
    Sheet s(1, 1);
    EXPECT_EQ(pasteIntoSheet(s, 1, 1, {{"\xC9rable"}}).written, 1);
    EXPECT_EQ(s.GetText(1, 1), "\u00C9rable");
}

TEST(SheetClipboard, OneCellFillsTheSelection) {
    Sheet s = smallTally();
    PasteResult r = pasteIntoSheet(s, Sheet::Block{1, 1, 1, 4}, {{"wo"}});
    EXPECT_EQ(r.written, 3);
    EXPECT_EQ(r.refused, 1);
    EXPECT_EQ(s.GetText(1, 4), "WO");
    EXPECT_EQ(s.GetText(1, 5), "");
    r = pasteIntoSheet(s, Sheet::Block{2, 2, 3, 4}, {{"8", "Dominant"}});
    EXPECT_EQ(r.written, 2);
    EXPECT_EQ(s.GetText(2, 3), "");
}

TEST(SheetClipboard, CutClearsValuesButNotEditorsOrLabels) {
    Sheet s = smallTally();
    pasteIntoSheet(s, 1, 2, {{"WO", "8", "Dominant"}});
    clearBlockValues(s, {1, 1, 3, 2});
    EXPECT_EQ(rowsOf(s, 2), "Species||/||");
    EXPECT_FALSE(s.accept(2, 2, "45").has_value());
}

} // namespace
} // namespace timbra
