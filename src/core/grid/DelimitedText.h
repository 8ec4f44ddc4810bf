#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace timbra {

// Reads delimited text cell by cell: tally files (cells separated by ",") and clipboard text (by tabs).
// Rows end in CR, LF or CRLF, and a final row end adds no row. A cell that begins with a double quote
// and is closed by one right before a delimiter or a row end is quoted: it may hold delimiters, line
// breaks and doubled quotes. Any other quote is ordinary text, so files written without quoting read
// as they always did. After one malformed quoted cell the rest of the text is read literally, which
// keeps reading linear in the text's length whatever it holds.
class DelimitedReader {
public:
    DelimitedReader(std::string_view text, char delimiter) : text_(text), delimiter_(delimiter) {}

    enum class Status {
        Cell,         // a cell was read
        End,          // no more cells
        Unterminated, // a quoted cell runs to the end of the text; it is then read literally
    };
    // Reads the next cell; lastInRow tells whether it ends its row. After Unterminated the same call
    // again returns the cell read literally.
    Status next(std::string& cell, bool& lastInRow);

    // Bytes consumed so far.
    std::size_t position() const { return pos_; }

private:
    enum class Quoted { Closed, Malformed, Unterminated };
    Quoted readQuoted(std::string& cell);
    void finishCell(bool& lastInRow);

    std::string_view text_;
    char delimiter_;
    std::size_t pos_ = 0;
    bool afterDelimiter_ = false; // a delimiter right before the end still opens an empty cell
    bool quoting_ = true;
};

// The cell as it must be written so that the reader gives it back whole: quoted, with quotes doubled,
// when it holds the delimiter, a double quote, a CR or an LF, or begins with a byte-order mark; as it
// is otherwise.
std::string quoteCell(std::string_view cell, char delimiter);
// The length of quoteCell(cell, delimiter), without building it.
std::size_t quotedSize(std::string_view cell, char delimiter);

} // namespace timbra
