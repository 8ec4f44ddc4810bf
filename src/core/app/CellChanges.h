#pragma once

#include "core/grid/Sheet.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace timbra {

// The cells one edit of the tally changed, each with its text before and after, in the order they
// were added (row by row for the whole-tally commands). It is all an undo step keeps: the texts sit
// in one packed buffer, so Clear over a full tally (15,000 cells) costs about 300 KB and a history
// of 100 such steps stays far below 64 MB. Cells are addressed as in the sheet; a tally has at
// most 10 columns and 1,501 rows, well inside the 16-bit positions kept here.
class CellChanges {
public:
    struct Change {
        int col, row;
        std::string_view before, after;
    };

    void add(int col, int row, std::string_view before, std::string_view after);
    // Gives spare capacity back once the edit is complete.
    void shrink();

    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    Change operator[](std::size_t i) const;
    // The smallest block that holds every changed cell; an empty block when none changed.
    Sheet::Block bounds() const;
    bool contains(int col, int row) const;
    // Memory held, for the history's bound.
    std::size_t bytes() const;

    // Writes every cell's text before (undo) or after (redo) the edit.
    void writeBefore(Sheet& sheet) const;
    void writeAfter(Sheet& sheet) const;

private:
    struct Entry {
        std::uint16_t col, row;
        std::uint32_t start; // the text before, then at `middle` the text after
        std::uint32_t middle;
    };
    std::uint32_t end(std::size_t i) const;

    std::vector<Entry> entries_;
    std::string texts_;
};

} // namespace timbra
