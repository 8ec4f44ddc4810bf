#include "core/grid/Sheet.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>

namespace timbra {

namespace {
const CellFormat plainFormat;
} // namespace

const std::string& Sheet::emptyText() {
    static const std::string empty;
    return empty;
}

Sheet::Sheet(int cols, int rows) {
    editors_.push_back(CellEditor::text(60));
    resize(cols, rows);
}

void Sheet::SetMaxCols(int cols) {
    resize(cols, rows_);
}
void Sheet::SetMaxRows(int rows) {
    resize(cols_, rows);
}

void Sheet::resize(int cols, int rows) {
    cols = std::max(cols, 0);
    rows = std::max(rows, 0);
    if (cols == cols_ && rows == rows_) return;
    std::vector<Cell> next(static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows));
    for (int r = 1; r <= std::min(rows, rows_); ++r)
        for (int c = 1; c <= std::min(cols, cols_); ++c)
            next[static_cast<std::size_t>(r - 1) * static_cast<std::size_t>(cols) +
                 static_cast<std::size_t>(c - 1)] = std::move(*cell(c, r));
    cells_ = std::move(next);
    cols_ = cols;
    rows_ = rows;
    lastTextRow_ = std::min(lastTextRow_, rows);
    columnEditors_.resize(static_cast<std::size_t>(cols), -1);
    colWidths_.resize(static_cast<std::size_t>(cols), -1);
    colHeadings_.resize(static_cast<std::size_t>(cols));
    rowHeights_.resize(static_cast<std::size_t>(rows), -1);
}

Sheet::Block Sheet::currentBlock() const {
    Block b{col_, row_, col_, row_};
    if (blockMode_)
        b = {std::min(col_, col2_), std::min(row_, row2_), std::max(col_, col2_), std::max(row_, row2_)};
    b.col1 = std::max(b.col1, 1);
    b.row1 = std::max(b.row1, 1);
    b.col2 = std::min(b.col2, cols_);
    b.row2 = std::min(b.row2, rows_);
    return b;
}

template <typename F> void Sheet::forBlock(F&& f) {
    const Block b = currentBlock();
    for (int r = b.row1; r <= b.row2; ++r)
        for (int c = b.col1; c <= b.col2; ++c)
            f(*cell(c, r));
}

std::string Sheet::GetText() const {
    return GetText(col_, row_);
}

void Sheet::SetText(std::string_view text) {
    forBlock([&](Cell& c) { c.setText(text); });
    if (const Block b = currentBlock(); !text.empty() && !b.empty())
        lastTextRow_ = std::max(lastTextRow_, b.row2);
}

void Sheet::SetText(int col, int row, std::string_view text) {
    Cell* c = cell(col, row);
    if (!c) return;
    c->setText(text);
    if (!text.empty()) lastTextRow_ = std::max(lastTextRow_, row);
}

void Sheet::setParsedText(int col, int row, std::string_view text, std::optional<double> number) {
    Cell* c = cell(col, row);
    if (!c) return;
    SetText(col, row, text);
    c->numberState = number ? IsNumber : NotNumber;
    c->number = number.value_or(0.0);
}

void Sheet::clearTextAfterRow(int row) {
    row = std::max(row, 0);
    for (int r = row + 1; r <= lastTextRow_; ++r)
        for (int c = 1; c <= cols_; ++c) {
            Cell& cell = cells_[static_cast<std::size_t>(r - 1) * static_cast<std::size_t>(cols_) +
                                static_cast<std::size_t>(c - 1)];
            if (!cell.text.empty()) cell.setText({});
        }
    lastTextRow_ = std::min(lastTextRow_, row);
}

void Sheet::parse(const Cell& c) {
    const auto v = parseNumber(c.text);
    c.numberState = v ? IsNumber : NotNumber;
    c.number = v.value_or(0.0);
}

int Sheet::roundedInteger(double v) {
    const double rounded = std::round(v);
    if (rounded < INT_MIN || rounded > INT_MAX) return 0;
    return static_cast<int>(rounded);
}

void Sheet::SetInteger(int col, int row, int value) {
    SetText(col, row, std::to_string(value));
}

void Sheet::SetFloat(int col, int row, double value) {
    if (!contains(col, row)) return;
    const CellEditor& e = editorAt(col, row);
    char buffer[400]; // room for the largest double written out in full
    if (e.kind == CellEditor::Kind::Float) {
        // The editor's decimals with a "." whatever the user's locale ("0.0", never "0,0").
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, value + 0.0, std::chars_format::fixed,
                                       std::min(e.decimals, 15))
                             .ptr;
        SetText(col, row, std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
    } else {
        // The shortest text that reads back as the same number ("0.1", not "0.10000000000000001").
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
        SetText(col, row, std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
    }
}

void Sheet::DoAction(int code) {
    switch (code) {
    case ClearWithFormatting:
        forBlock([](Cell& c) {
            c.setText({});
            c.format = CellFormat{};
        });
        break;
    case ClearValues:
        forBlock([](Cell& c) { c.setText({}); });
        break;
    case DrawBorders:
        if (borderType_ & OutlineBorder) outline(currentBlock());
        break;
    default:
        break;
    }
}

void Sheet::outline(const Block& b) {
    if (b.empty()) return;
    for (int r = b.row1; r <= b.row2; ++r)
        for (int c = b.col1; c <= b.col2; ++c) {
            CellFormat& f = cell(c, r)->format;
            if (c == b.col1) f.borders |= BorderLeft;
            if (c == b.col2) f.borders |= BorderRight;
            if (r == b.row1) f.borders |= BorderTop;
            if (r == b.row2) f.borders |= BorderBottom;
            f.borderColor = borderColor_;
        }
}

void Sheet::SetActiveCell(int col, int row) {
    activeCol_ = std::clamp(col, 1, std::max(cols_, 1));
    activeRow_ = std::clamp(row, 1, std::max(rows_, 1));
}

void Sheet::SetCellType(int type) {
    forBlock([&](Cell& c) { c.format.staticText = type == StaticTextType; });
}

void Sheet::SetFontSize(double points) {
    forBlock([&](Cell& c) { c.format.fontSize = static_cast<float>(points); });
}

void Sheet::setFontBold(bool bold) {
    forBlock([&](Cell& c) { c.format.bold = bold; });
}

void Sheet::SetColWidth(int col, double width) {
    if (col >= 1 && col <= cols_) colWidths_[static_cast<std::size_t>(col - 1)] = width;
}

void Sheet::SetRowHeight(int row, double height) {
    if (row >= 1 && row <= rows_) rowHeights_[static_cast<std::size_t>(row - 1)] = height;
}

double Sheet::GetColWidth(int col) const {
    if (col < 1 || col > cols_) return DefaultColWidth;
    const double w = colWidths_[static_cast<std::size_t>(col - 1)];
    return w < 0 ? DefaultColWidth : w;
}

double Sheet::GetRowHeight(int row) const {
    if (row < 1 || row > rows_) return DefaultRowHeight;
    const double h = rowHeights_[static_cast<std::size_t>(row - 1)];
    return h < 0 ? DefaultRowHeight : h;
}

void Sheet::setColHeading(int col, std::string text) {
    if (col >= 1 && col <= cols_) colHeadings_[static_cast<std::size_t>(col - 1)] = std::move(text);
}

std::string Sheet::colHeading(int col) const {
    if (col < 1 || col > cols_) return {};
    const std::string& h = colHeadings_[static_cast<std::size_t>(col - 1)];
    return h.empty() ? columnName(col) : h;
}

int Sheet::addEditor(CellEditor editor) {
    const auto found = std::find(editors_.begin(), editors_.end(), editor);
    if (found != editors_.end()) return static_cast<int>(found - editors_.begin());
    editors_.push_back(std::move(editor));
    return static_cast<int>(editors_.size() - 1);
}

void Sheet::setCellEditor(int col, int row, int editorId) {
    if (Cell* c = cell(col, row)) c->editor = static_cast<std::int16_t>(editorId);
}

void Sheet::setColumnEditor(int col, int editorId) {
    if (col >= 1 && col <= cols_)
        columnEditors_[static_cast<std::size_t>(col - 1)] = static_cast<std::int16_t>(editorId);
}

void Sheet::setDefaultEditor(int editorId) {
    defaultEditor_ = static_cast<std::int16_t>(editorId);
}

void Sheet::setCaption(int col, int row, std::string text) {
    for (auto& c : captions_)
        if (c.col == col && c.row == row) {
            c.text = std::move(text);
            return;
        }
    captions_.push_back({col, row, std::move(text)});
    lastCaptionRow_ = std::max(lastCaptionRow_, row);
}

const Sheet::Caption* Sheet::captionAt(int col, int row) const {
    if (row > lastCaptionRow_) return nullptr;
    for (const auto& c : captions_)
        if (c.col == col && c.row == row) return &c;
    return nullptr;
}

bool Sheet::isCaption(int col, int row, std::string_view text) const {
    const Caption* c = captionAt(col, row);
    return c && c->text == text;
}

std::optional<std::string> Sheet::accept(int col, int row, std::string_view text) const {
    if (!contains(col, row) || formatAt(col, row).staticText) return std::nullopt;
    if (isCaption(col, row, text)) return std::string(text);
    return editorAt(col, row).accept(text);
}

std::optional<std::string> Sheet::accept(int col, int row, std::string_view text,
                                         std::optional<double> number) const {
    if (!contains(col, row) || formatAt(col, row).staticText) return std::nullopt;
    if (isCaption(col, row, text)) return std::string(text);
    return editorAt(col, row).accept(text, number);
}

bool Sheet::accepts(int col, int row, std::string_view text) const {
    return contains(col, row) && !formatAt(col, row).staticText &&
           (editorAt(col, row).accepts(text) || isCaption(col, row, text));
}

bool Sheet::holds(int col, int row, std::string_view text) const {
    return contains(col, row) && !formatAt(col, row).staticText &&
           (editorAt(col, row).holds(text) || isCaption(col, row, text));
}

const CellFormat& Sheet::formatAt(int col, int row) const {
    const Cell* c = cell(col, row);
    return c ? c->format : plainFormat;
}

std::string columnName(int col) {
    std::string name;
    while (col > 0) {
        const int d = (col - 1) % 26;
        name.insert(name.begin(), static_cast<char>('A' + d));
        col = (col - 1) / 26;
    }
    return name;
}

int columnNumber(std::string_view name) {
    if (name.empty() || name.size() > 3) return 0;
    int col = 0;
    for (char ch : name) {
        const char u = (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch;
        if (u < 'A' || u > 'Z') return 0;
        col = col * 26 + (u - 'A' + 1);
    }
    return col;
}

} // namespace timbra
