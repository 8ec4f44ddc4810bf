#include "core/grid/DelimitedText.h"

namespace timbra {

namespace {
bool isRowEnd(char c) {
    return c == '\r' || c == '\n';
}

bool needsQuotes(std::string_view cell, char delimiter) {
    // A byte-order mark at the very start would be taken for the mark of the whole text and dropped.
    const char specials[] = {delimiter, '"', '\r', '\n'};
    return cell.find_first_of(std::string_view(specials, sizeof specials)) != std::string_view::npos ||
           cell.starts_with("\xEF\xBB\xBF");
}
} // namespace

DelimitedReader::Status DelimitedReader::next(std::string& cell, bool& lastInRow) {
    std::string_view view;
    const Status status = next(view, cell, lastInRow);
    if (status == Status::Cell && view.data() != cell.data()) cell.assign(view);
    return status;
}

// Reads a quoted cell starting at the opening quote and moves past it when it is closed by a quote
// right before a delimiter, a row end or the end of the text; otherwise leaves the cell to be read as
// plain text. Reading stays linear: a failed cell stops at the first lone quote after its opening,
// and the cells that start before that quote are runs of doubled quotes that fail or close at once.
// Only a cell with doubled quotes is copied, into `decoded`; any other views the text between its quotes.
bool DelimitedReader::readQuoted(std::string_view& cell, std::string& decoded) {
    std::size_t i = pos_ + 1;
    bool heldRowEnd = false, doubledQuotes = false;
    decoded.clear();
    while (i < text_.size()) {
        const std::size_t quote = text_.find('"', i);
        if (quote == std::string_view::npos) break;
        const std::string_view part = text_.substr(i, quote - i);
        heldRowEnd = heldRowEnd || part.find_first_of("\r\n") != std::string_view::npos;
        if (quote + 1 < text_.size() && text_[quote + 1] == '"') {
            decoded.append(part);
            decoded.push_back('"');
            doubledQuotes = true;
            i = quote + 2;
            continue;
        }
        const std::size_t after = quote + 1;
        if (after < text_.size() && text_[after] != delimiter_ && !isRowEnd(text_[after])) return false;
        if (doubledQuotes) {
            decoded.append(part);
            cell = decoded;
        } else {
            cell = text_.substr(pos_ + 1, quote - pos_ - 1);
        }
        pos_ = after;
        spannedRows_ = spannedRows_ || heldRowEnd;
        return true;
    }
    return false;
}

std::string quoteCell(std::string_view cell, char delimiter) {
    if (!needsQuotes(cell, delimiter)) return std::string(cell);
    std::string out = "\"";
    for (char c : cell) {
        if (c == '"') out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
    return out;
}

std::size_t quotedSize(std::string_view cell, char delimiter) {
    if (!needsQuotes(cell, delimiter)) return cell.size();
    std::size_t size = cell.size() + 2;
    for (char c : cell)
        if (c == '"') ++size;
    return size;
}

} // namespace timbra
