#include "grid/SheetClipboard.h"

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

TEST(SheetClipboard, ParsesSpreadsheetText) {
    const TextTable expected = {{"YLP", "14", "Dominant"}, {"SWG", "", "Intermediate"}};
    EXPECT_EQ(parseClipboardText("YLP\t14\tDominant\nSWG\t\tIntermediate\n"), expected);
    EXPECT_EQ(parseClipboardText("YLP\t14\tDominant\r\nSWG\t\tIntermediate\r\n"), expected);
    EXPECT_EQ(parseClipboardText("YLP\t14\tDominant\rSWG\t\tIntermediate"), expected);
    EXPECT_EQ(parseClipboardText(""), TextTable{});
    EXPECT_EQ(parseClipboardText("\n"), (TextTable{{""}}));
    EXPECT_EQ(parseClipboardText("a\t\n\nb"), (TextTable{{"a", ""}, {""}, {"b"}}));
}

TEST(SheetClipboard, QuotedCellsHoldTabsLineBreaksAndQuotes) {
    EXPECT_EQ(parseClipboardText("\"two\nlines\"\t\"a\tb\"\t\"say \"\"hi\"\"\"\n"),
              (TextTable{{"two\nlines", "a\tb", "say \"hi\""}}));
    // Quotes that do not wrap a whole cell are text.
    EXPECT_EQ(parseClipboardText("5\" pipe\t\"Big\" oak\n"), (TextTable{{"5\" pipe", "\"Big\" oak"}}));
    EXPECT_EQ(parseClipboardText("\"open\tend\n"), (TextTable{{"\"open", "end"}}));
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
    EXPECT_EQ(r.written, 5);
    EXPECT_EQ(r.refused, 4); // the heading, a digit in a code, a DBH of 45, an unknown crown class
    EXPECT_EQ(s.GetText(1, 1), "Species");
    EXPECT_EQ(s.GetText(2, 1), "14");
    EXPECT_EQ(s.GetText(3, 1), "Co-dominant");
    EXPECT_EQ(s.GetText(1, 2), "");
    EXPECT_EQ(s.GetText(1, 3), "SWG");
    EXPECT_EQ(s.GetText(3, 3), " ");
    EXPECT_EQ(r.changed.col1, 1);
    EXPECT_EQ(r.changed.row1, 1);
    EXPECT_EQ(r.changed.col2, 3);
    EXPECT_EQ(r.changed.row2, 3);

    // Past the sheet's edge.
    const PasteResult edge = pasteIntoSheet(s, 3, 5, {{"Dominant", "x"}, {"Dominant"}});
    EXPECT_EQ(edge.written, 1);
    EXPECT_EQ(edge.refused, 2);
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
    EXPECT_EQ(s.GetText(1, 1), "Species");
    EXPECT_EQ(s.GetText(1, 2), "");
    EXPECT_EQ(s.GetText(3, 2), "");
    EXPECT_FALSE(s.accept(2, 2, "45").has_value());
}

} // namespace
} // namespace timbra
