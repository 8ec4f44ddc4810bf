#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace timbra {

// Reads delimited text cell by cell: tally files (cells separated by ",") and clipboard text (by tabs).
// Rows end in CR, LF or CRLF, and a final row end adds no row. A cell that begins with a double quote
// and is closed by one right before a delimiter, a row end or the end of the text is quoted: it may
// hold delimiters, line breaks and doubled quotes. Any other cell is plain text, quotes included, so
// files written without quoting read as they always did unless a cell is entirely quoted ("Oak").
// Without quoting, every cell is plain text.
class DelimitedReader {
public:
    DelimitedReader(std::string_view text, char delimiter, bool quoting = true)
        : text_(text), delimiter_(delimiter), quoting_(quoting) {
        endsCell_['\r'] = endsCell_['\n'] = endsCell_[static_cast<unsigned char>(delimiter)] = true;
    }

    enum class Status {
        Cell, // a cell was read
        End,  // no more cells
    };
    // Reads the next cell; lastInRow tells whether it ends its row.
    Status next(std::string& cell, bool& lastInRow);
    // The same without copying: `cell` views the text itself, or `decoded` for a quoted cell with
    // doubled quotes, so it lasts as long as the text or until the next call. Open reads every cell
    // of a tally this way, so the plain cell's path is inline.
    Status next(std::string_view& cell, std::string& decoded, bool& lastInRow) {
        if (pos_ >= text_.size() && !afterDelimiter_) return Status::End;
        afterDelimiter_ = false;
        if (!(quoting_ && pos_ < text_.size() && text_[pos_] == '"' && readQuoted(cell, decoded))) {
            std::size_t end = pos_;
            while (end < text_.size() && !endsCell_[static_cast<unsigned char>(text_[end])])
                ++end;
            cell = text_.substr(pos_, end - pos_);
            pos_ = end;
        }
        finishCell(lastInRow);
        return Status::Cell;
    }

    // Bytes consumed so far.
    std::size_t position() const { return pos_; }
    // True once a quoted cell held a row end, running over rows that plain reading would keep apart.
    bool quotedCellSpannedRows() const { return spannedRows_; }

private:
    bool readQuoted(std::string_view& cell, std::string& decoded);
    // Moves past the delimiter or row end after a cell.
    void finishCell(bool& lastInRow) {
        lastInRow = true;
        if (pos_ >= text_.size()) return;
        const char c = text_[pos_++];
        if (c == delimiter_) {
            lastInRow = false;
            afterDelimiter_ = true;
        } else if (c == '\r' && pos_ < text_.size() && text_[pos_] == '\n') {
            ++pos_;
        }
    }

    std::string_view text_;
    char delimiter_;
    bool quoting_;
    // The delimiter and the row ends, looked up by byte: a tally file is read a byte at a time.
    std::array<bool, 256> endsCell_{};
    std::size_t pos_ = 0;
    bool afterDelimiter_ = false; // a delimiter right before the end still opens an empty cell
    bool spannedRows_ = false;
};

// The cell as it must be written so that the reader gives it back whole: quoted, with quotes doubled,
// when it holds the delimiter, a double quote, a CR or an LF, or begins with a byte-order mark; as it
// is otherwise.
std::string quoteCell(std::string_view cell, char delimiter);
// The length of quoteCell(cell, delimiter), without building it.
std::size_t quotedSize(std::string_view cell, char delimiter);

} // namespace timbra
