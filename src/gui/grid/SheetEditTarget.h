#pragma once

#include "core/grid/Sheet.h"
#include "core/grid/SheetClipboard.h"

#include <string>

// Where a grid's user edits go when a document keeps the sheet the grid shows (the input dialog's
// tally): the grid hands over what the user did, and the target writes it, records it and tells
// the grid which cells changed (CSpreadSheet::showChanges). A grid without a target writes to its
// own sheet.
class SheetEditTarget {
public:
    // A committed edit of one cell, with text the cell's editor accepts; false when not written.
    virtual bool typeCell(int col, int row, const std::string& text) = 0;
    virtual timbra::PasteResult paste(const timbra::Sheet::Block& at, const timbra::TextTable& table) = 0;
    // Cut (`cut`) or Delete over the block: its values go.
    virtual void clearBlock(const timbra::Sheet::Block& block, bool cut) = 0;

protected:
    ~SheetEditTarget() = default;
};
