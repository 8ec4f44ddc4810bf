#include "cli/TextOutput.h"

#include "core/grid/CellEditor.h"
#include "core/grid/DelimitedText.h"

#include <algorithm>
#include <ostream>

namespace timbra::cli {

std::string csvLine(const std::vector<std::string>& cells) {
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i) line.push_back(',');
        line += quoteCell(cells[i], ',');
    }
    line.push_back('\n');
    return line;
}

std::string visible(std::string_view text) {
    constexpr char hex[] = "0123456789ABCDEF";
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0u;
        if (byte < 0x20 || byte == 0x7F) {
            shown += {'\\', 'x', hex[byte >> 4], hex[byte & 15]};
        } else if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) { // U+0080 to U+009F
            shown += {'\\', 'u', '0', '0', hex[next >> 4], hex[next & 15]};
            ++i;
        } else {
            shown.push_back(text[i]);
        }
    }
    return shown;
}

void printError(std::string_view text, std::ostream& err) {
    err << "timbra-cli: " << visible(text) << '\n';
}

void printAligned(const std::vector<std::vector<std::string>>& cellRows,
                  const std::vector<bool>& rightAligned, std::ostream& out) {
    std::vector<std::vector<std::string>> rows;
    for (const auto& cells : cellRows) {
        std::vector<std::string>& row = rows.emplace_back();
        for (const std::string& cell : cells)
            row.push_back(visible(cell));
    }
    std::size_t columns = 0;
    for (const auto& row : rows)
        columns = std::max(columns, row.size());
    // Widths from the full rows only, so that an error row's long last cell does not widen a column.
    std::vector<std::size_t> width(columns, 0);
    for (const auto& row : rows)
        if (row.size() == columns)
            for (std::size_t c = 0; c < columns; ++c)
                width[c] = std::max(width[c], utf8Length(row[c]));

    for (const auto& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            const bool last = c + 1 == row.size();
            const std::size_t pad = width[c] > utf8Length(row[c]) ? width[c] - utf8Length(row[c]) : 0;
            const bool right = c < rightAligned.size() && rightAligned[c];
            if (c) line += "  ";
            if (right) line.append(pad, ' ');
            line += row[c];
            if (!right && !last) line.append(pad, ' ');
        }
        out << line << '\n';
    }
}

} // namespace timbra::cli
