#pragma once

#include "core/grid/Sheet.h"

#include <string>
#include <string_view>
#include <vector>

namespace timbra {

// Cut, Copy and Paste between a sheet and the clipboard's text, in the tab-separated form that
// spreadsheets exchange. The grid widget moves the text; the rules live here.

using TextTable = std::vector<std::vector<std::string>>;

// Tab-separated text as spreadsheets put on the clipboard: rows end in LF, CRLF or CR, usually with a
// trailing line break (which adds no row); a cell quoted with " may hold tabs, line breaks and doubled
// quotes.
TextTable parseClipboardText(std::string_view text);

// The block as tab-separated text, rows ending in "\n" (with a trailing one); cells holding a tab, a
// line break or a quote are quoted.
std::string formatClipboardText(const Sheet& sheet, const Sheet::Block& block);

// What a paste did with each pasted value: every value lands in exactly one of the counts.
struct PasteResult {
    int written = 0;
    int unchanged = 0;      // the text the cell already held
    int refused = 0;        // a value its cell's editor does not take
    int refusedControl = 0; // a value holding a control character (a NUL, a line break), which no cell takes
    int outside = 0;        // a value beside the sheet (past its last column) in a row of the sheet
    int valuesPastLastRow = 0;        // a value in a table row that fell below the sheet's last row
    int rowsPastLastRow = 0;          // those table rows
    Sheet::Block changed{1, 1, 0, 0}; // the cells written; empty when none was
};

// Writes the table from (col, row): every target cell is checked with Sheet::accept and written in its
// normalised form ("ylp" becomes "YLP"); a refused cell is left as it was. Text that is not valid UTF-8
// is read as Windows-1252 first. `opening`, when given, is the grid as it opened: the value it holds
// in a cell always pastes into that cell, in its form (the 0 of an empty tree row's DBH, which no
// one types), so that a block copied from the grid pastes back.
PasteResult pasteIntoSheet(Sheet& sheet, int col, int row, const TextTable& table,
                           const Sheet* opening = nullptr);

// Paste onto a selection: a single copied cell fills every cell of the target block, as spreadsheets
// do; any other table is written from the block's top-left cell.
PasteResult pasteIntoSheet(Sheet& sheet, const Sheet::Block& target, const TextTable& table,
                           const Sheet* opening = nullptr);

// Cut: clears the values of the block (editors stay). Read-only cells keep their text.
void clearBlockValues(Sheet& sheet, const Sheet::Block& block);

} // namespace timbra
