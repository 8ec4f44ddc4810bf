#include "gui/grid/SheetTableModel.h"

#include "gui/grid/CellLook.h"
#include "gui/grid/SheetEditTarget.h"

#include <algorithm>

using timbra::CellEditor;
using timbra::Sheet;

SheetTableModel::SheetTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void SheetTableModel::setSheet(Sheet sheet) {
    own_ = std::move(sheet);
    editTarget_ = nullptr;
    reset(&own_);
}

void SheetTableModel::attachSheet(Sheet& sheet, SheetEditTarget* target) {
    editTarget_ = target;
    reset(&sheet);
}

void SheetTableModel::reset(Sheet* sheet) {
    beginResetModel();
    sheet_ = sheet;
    rows_ = sheet_->GetMaxRows();
    cols_ = sheet_->GetMaxCols();
    marks_.assign(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(cols_), 0);
    markCount_ = 0;
    endResetModel();
}

void SheetTableModel::refresh() {
    if (rows_ != sheet_->GetMaxRows() || cols_ != sheet_->GetMaxCols()) {
        // Marks belong to cells of the old size; the sheet's new shape starts unmarked.
        beginResetModel();
        rows_ = sheet_->GetMaxRows();
        cols_ = sheet_->GetMaxCols();
        marks_.assign(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(cols_), 0);
        markCount_ = 0;
        endResetModel();
        return;
    }
    if (rows_ == 0 || cols_ == 0) return;
    blockChanged({1, 1, cols_, rows_});
    emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
}

void SheetTableModel::blockChanged(const Sheet::Block& block) {
    const Sheet::Block b{std::max(block.col1, 1), std::max(block.row1, 1), std::min(block.col2, cols_),
                         std::min(block.row2, rows_)};
    if (b.empty()) return;
    dropStaleMarks(b);
    emit dataChanged(index(b.row1 - 1, b.col1 - 1), index(b.row2 - 1, b.col2 - 1));
}

void SheetTableModel::cellsChanged(const timbra::CellChanges& cells) {
    // Cells come row by row; neighbouring rows share one range, from their leftmost to their
    // rightmost changed column.
    std::size_t i = 0;
    while (i < cells.size()) {
        Sheet::Block run{cells[i].col, cells[i].row, cells[i].col, cells[i].row};
        for (++i; i < cells.size(); ++i) {
            const auto c = cells[i];
            if (c.row < run.row1 || c.row > run.row2 + 1) break;
            run.col1 = std::min(run.col1, c.col);
            run.col2 = std::max(run.col2, c.col);
            run.row2 = std::max(run.row2, c.row);
        }
        blockChanged(run);
    }
}

void SheetTableModel::dropStaleMarks(const Sheet::Block& b) {
    if (markCount_ == 0) return;
    for (int r = b.row1; r <= b.row2; ++r)
        for (int c = b.col1; c <= b.col2; ++c) {
            auto& m = marks_[slot(c, r)];
            if (m && sheet_->holds(c, r, sheet_->GetText(c, r))) {
                m = 0;
                --markCount_;
            }
        }
}

void SheetTableModel::setReadOnly(bool readOnly) {
    if (readOnly == readOnly_) return;
    readOnly_ = readOnly;
    if (rows_ > 0 && cols_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1), {});
}

std::size_t SheetTableModel::slot(int col, int row) const {
    return static_cast<std::size_t>(row - 1) * static_cast<std::size_t>(cols_) +
           static_cast<std::size_t>(col - 1);
}

void SheetTableModel::mark(int col, int row) {
    if (col < 1 || row < 1 || col > cols_ || row > rows_) return;
    auto& m = marks_[slot(col, row)];
    if (m) return;
    m = 1;
    ++markCount_;
    const QModelIndex i = index(row - 1, col - 1);
    emit dataChanged(i, i);
}

bool SheetTableModel::isMarked(int col, int row) const {
    if (markCount_ == 0 || col < 1 || row < 1 || col > cols_ || row > rows_) return false;
    return marks_[slot(col, row)] != 0;
}

int SheetTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int SheetTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : cols_;
}

const QFont& SheetTableModel::fontFor(const timbra::CellFormat& format) const {
    const std::pair key{format.bold, format.fontSize};
    for (const auto& [k, font] : fonts_)
        if (k == key) return font;
    fonts_.emplace_back(key, cellFont(QFont(), format));
    return fonts_.back().second;
}

QVariant SheetTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int col = index.column() + 1, row = index.row() + 1;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return QString::fromStdString(sheet_->GetText(col, row));
    case Qt::FontRole: {
        const timbra::CellFormat& f = sheet_->formatAt(col, row);
        if (!f.bold && f.fontSize <= 0) return {};
        return fontFor(f);
    }
    case Qt::BackgroundRole:
        if (isMarked(col, row)) return markedBackground();
        if (sheet_->formatAt(col, row).staticText) return labelBackground();
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(cellAlignment(sheet_->editorAt(col, row)));
    case Qt::ToolTipRole:
        if (isMarked(col, row)) return refusalText(sheet_->editorAt(col, row));
        if (flags(index) & Qt::ItemIsEditable) return limitsText(sheet_->editorAt(col, row));
        return {};
    default:
        return {};
    }
}

QVariant SheetTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Horizontal) return QString::fromStdString(sheet_->colHeading(section + 1));
    return QString::number(section + 1);
}

Qt::ItemFlags SheetTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (!readOnly_ && !sheet_->formatAt(index.column() + 1, index.row() + 1).staticText)
        f |= Qt::ItemIsEditable;
    return f;
}

bool SheetTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
    const int col = index.column() + 1, row = index.row() + 1;
    const auto accepted = sheet_->accept(col, row, value.toString().toStdString());
    if (!accepted) return false;
    if (editTarget_) return editTarget_->typeCell(col, row, *accepted); // it announces the change
    sheet_->SetText(col, row, *accepted);
    if (isMarked(col, row)) {
        marks_[slot(col, row)] = 0;
        --markCount_;
    }
    emit dataChanged(index, index);
    return true;
}
