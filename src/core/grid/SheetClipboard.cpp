#include "core/grid/SheetClipboard.h"

#include "core/grid/DelimitedText.h"
#include "core/grid/TextEncoding.h"

#include <algorithm>

namespace timbra {

namespace {

constexpr char Tab = '\t';

bool hasControlCharacter(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 0x20 || u == 0x7F;
    });
}

// The opening grid's text of a cell when `text` is its value: the same text or, in a number cell, the
// same number ("0" for the "0.0" of an empty height).
std::optional<std::string> openingValue(const Sheet& opening, int col, int row, const std::string& text) {
    const std::string& held = opening.GetText(col, row);
    if (text == held) return held;
    const CellEditor& editor = opening.editorAt(col, row);
    if (editor.kind != CellEditor::Kind::Integer && editor.kind != CellEditor::Kind::Float)
        return std::nullopt;
    const auto pasted = parseNumber(editor.entered(text)), opened = parseNumber(held);
    if (pasted && opened && *pasted == *opened) return held;
    return std::nullopt;
}

// Writes one cell if its editor takes the text, and keeps the tally of the paste.
void pasteCell(Sheet& sheet, int col, int row, std::string_view pasted, PasteResult& result,
               const Sheet* opening) {
    if (!sheet.contains(col, row)) {
        ++result.outside;
        return;
    }
    const std::string text = toValidUtf8(pasted);
    // A copied block pasted back in place changes nothing, whatever its cells' editors take.
    if (text == sheet.GetText(col, row)) {
        ++result.unchanged;
        return;
    }
    auto accepted = sheet.accept(col, row, text);
    if (!accepted && opening && opening->contains(col, row) && !sheet.formatAt(col, row).staticText)
        accepted = openingValue(*opening, col, row, text);
    if (!accepted) {
        ++(hasControlCharacter(text) ? result.refusedControl : result.refused);
        return;
    }
    if (*accepted == sheet.GetText(col, row)) {
        ++result.unchanged;
        return;
    }
    sheet.SetText(col, row, *accepted);
    ++result.written;
    Sheet::Block& b = result.changed;
    if (b.empty()) {
        b = {col, row, col, row};
    } else {
        b = {std::min(b.col1, col), std::min(b.row1, row), std::max(b.col2, col), std::max(b.row2, row)};
    }
}

Sheet::Block clipped(const Sheet& sheet, const Sheet::Block& b) {
    return {std::max(b.col1, 1), std::max(b.row1, 1), std::min(b.col2, sheet.GetMaxCols()),
            std::min(b.row2, sheet.GetMaxRows())};
}

} // namespace

TextTable parseClipboardText(std::string_view text) {
    TextTable table;
    DelimitedReader reader(text, Tab);
    std::string cell;
    bool lastInRow = false, rowStarts = true;
    for (;;) {
        const auto status = reader.next(cell, lastInRow);
        if (status == DelimitedReader::Status::End) break;
        if (rowStarts) table.emplace_back();
        table.back().push_back(std::move(cell));
        rowStarts = lastInRow;
    }
    return table;
}

std::string formatClipboardText(const Sheet& sheet, const Sheet::Block& block) {
    const Sheet::Block b = clipped(sheet, block);
    std::string out;
    for (int r = b.row1; r <= b.row2; ++r) {
        for (int c = b.col1; c <= b.col2; ++c) {
            if (c > b.col1) out.push_back(Tab);
            out += quoteCell(sheet.GetText(c, r), Tab);
        }
        out.push_back('\n');
    }
    return out;
}

PasteResult pasteIntoSheet(Sheet& sheet, int col, int row, const TextTable& table, const Sheet* opening) {
    PasteResult result;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const int r = row + static_cast<int>(i);
        if (r > sheet.GetMaxRows()) { // the rest runs past the last row: counted, not visited cell by cell
            result.rowsPastLastRow = static_cast<int>(table.size() - i);
            for (; i < table.size(); ++i)
                result.valuesPastLastRow += static_cast<int>(table[i].size());
            break;
        }
        for (std::size_t j = 0; j < table[i].size(); ++j)
            pasteCell(sheet, col + static_cast<int>(j), r, table[i][j], result, opening);
    }
    return result;
}

PasteResult pasteIntoSheet(Sheet& sheet, const Sheet::Block& target, const TextTable& table,
                           const Sheet* opening) {
    const bool oneCell = table.size() == 1 && table.front().size() == 1;
    if (!oneCell) return pasteIntoSheet(sheet, target.col1, target.row1, table, opening);
    PasteResult result;
    const Sheet::Block b = clipped(sheet, target);
    for (int r = b.row1; r <= b.row2; ++r)
        for (int c = b.col1; c <= b.col2; ++c)
            pasteCell(sheet, c, r, table.front().front(), result, opening);
    return result;
}

void clearBlockValues(Sheet& sheet, const Sheet::Block& block) {
    const Sheet::Block b = clipped(sheet, block);
    for (int r = b.row1; r <= b.row2; ++r)
        for (int c = b.col1; c <= b.col2; ++c)
            if (!sheet.formatAt(c, r).staticText) sheet.SetText(c, r, "");
}

} // namespace timbra
