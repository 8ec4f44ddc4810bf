#include "core/grid/CellChanges.h"

#include <algorithm>

namespace timbra {

void CellChanges::add(int col, int row, std::string_view before, std::string_view after) {
    const auto start = static_cast<std::uint32_t>(texts_.size());
    texts_.append(before);
    const auto middle = static_cast<std::uint32_t>(texts_.size());
    texts_.append(after);
    entries_.push_back({static_cast<std::uint16_t>(col), static_cast<std::uint16_t>(row), start, middle});
}

void CellChanges::shrink() {
    entries_.shrink_to_fit();
    texts_.shrink_to_fit();
}

std::uint32_t CellChanges::end(std::size_t i) const {
    return i + 1 < entries_.size() ? entries_[i + 1].start : static_cast<std::uint32_t>(texts_.size());
}

CellChanges::Change CellChanges::operator[](std::size_t i) const {
    const Entry& e = entries_[i];
    const std::string_view all = texts_;
    return {e.col, e.row, all.substr(e.start, e.middle - e.start), all.substr(e.middle, end(i) - e.middle)};
}

Sheet::Block CellChanges::bounds() const {
    if (entries_.empty()) return {1, 1, 0, 0};
    Sheet::Block b{entries_.front().col, entries_.front().row, entries_.front().col, entries_.front().row};
    for (const Entry& e : entries_) {
        b.col1 = std::min<int>(b.col1, e.col);
        b.row1 = std::min<int>(b.row1, e.row);
        b.col2 = std::max<int>(b.col2, e.col);
        b.row2 = std::max<int>(b.row2, e.row);
    }
    return b;
}

bool CellChanges::contains(int col, int row) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [col, row](const Entry& e) { return e.col == col && e.row == row; });
}

std::size_t CellChanges::bytes() const {
    return sizeof(*this) + entries_.capacity() * sizeof(Entry) + texts_.capacity();
}

void CellChanges::writeBefore(Sheet& sheet) const {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const Change c = (*this)[i];
        sheet.SetText(c.col, c.row, c.before);
    }
}

void CellChanges::writeAfter(Sheet& sheet) const {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const Change c = (*this)[i];
        sheet.SetText(c.col, c.row, c.after);
    }
}

} // namespace timbra
