#include "gui/grid/CSpreadSheet.h"

#include "gui/grid/CellLook.h"
#include "gui/grid/SheetTableModel.h"

#include <QFontMetricsF>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScopedValueRollback>

#include <climits>
#include <cmath>

using timbra::Sheet;

CSpreadSheet::CSpreadSheet(QWidget* parent)
    : QTableView(parent), model_(new SheetTableModel(this)), delegate_(new SheetItemDelegate(model_, this)) {
    setObjectName(QStringLiteral("spreadSheet"));
    setModel(model_);
    setItemDelegate(delegate_);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(true);
    setWordWrap(false);
    // The delegate draws the grid lines, so that a text running on into blank cells is not crossed
    // by their lines; the view keeps its one-pixel room for them (a grid hidden with setShowGrid
    // has none).
    setGridStyle(Qt::NoPen);
    // Sizes come from the sheet; measuring contents on a 1,500-row grid would cost far more.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setMinimumSectionSize(1);
    // A column the user widens by its heading's edge (dragged, or fitted by a double click) keeps
    // that width in the sheet, so that showing the sheet's changes does not take it back.
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int index, int, int size) {
        if (applyingSizes_ || widthUnit_ <= 0) return;
        const double padding = 2 * CellTextPadding * logicalDpiX() / 96.0;
        sheet().SetColWidth(index + 1, std::max(0.0, size - padding) / widthUnit_);
    });

    connect(delegate_, &SheetItemDelegate::edited, this, [this](int col, int row) {
        editedCell_ = {col, row};
    });
    connect(delegate_, &SheetItemDelegate::refused, this, &CSpreadSheet::editRefused);
    connect(delegate_, &SheetItemDelegate::finishEdit, this, &CSpreadSheet::finishEdit);
}

CSpreadSheet::~CSpreadSheet() = default;

Sheet& CSpreadSheet::sheet() {
    return model_->sheet();
}

const Sheet& CSpreadSheet::sheet() const {
    return model_->sheet();
}

void CSpreadSheet::setSheet(Sheet sheet) {
    const int col = sheet.activeCol(), row = sheet.activeRow();
    model_->setSheet(std::move(sheet));
    horizontalHeader()->setHidden(!this->sheet().colHeadingsShown());
    widthUnit_ = widthUnit(this->sheet(), font());
    applySizes();
    SetActiveCell(col, row);
}

void CSpreadSheet::attachSheet(Sheet& sheet, SheetEditTarget* target) {
    model_->attachSheet(sheet, target);
    widthUnit_ = widthUnit(sheet, font());
    applySizes();
    SetActiveCell(sheet.activeCol(), sheet.activeRow());
}

void CSpreadSheet::showChanges(const timbra::CellChanges& cells) {
    model_->cellsChanged(cells);
}

void CSpreadSheet::refresh() {
    model_->refresh();
    applySizes();
}

void CSpreadSheet::applySizes() {
    const Sheet& s = sheet();
    const double dpiX = logicalDpiX(), dpiY = logicalDpiY();
    const QScopedValueRollback<bool> applying(applyingSizes_, true);
    QHeaderView* columns = horizontalHeader();
    for (int c = 1; c <= s.GetMaxCols(); ++c) {
        // Rounded up, so that a text the unit was chosen to fit is not clipped by part of a pixel.
        const int px = int(std::ceil(columnPixels(s.GetColWidth(c), widthUnit_, dpiX) - 1e-6));
        if (columns->sectionSize(c - 1) != px) columns->resizeSection(c - 1, px);
    }
    // Only rows of their own height are touched; the rest follow the default size.
    QHeaderView* rows = verticalHeader();
    const int defaultPx = int(std::lround(rowPixels(Sheet::DefaultRowHeight, dpiY)));
    if (rows->defaultSectionSize() != defaultPx) rows->setDefaultSectionSize(defaultPx);
    for (int r = 1; r <= s.GetMaxRows(); ++r) {
        const double points = s.GetRowHeight(r);
        const bool hidden = points <= 0;
        if (isRowHidden(r - 1) != hidden) setRowHidden(r - 1, hidden);
        if (hidden) continue;
        const int px =
            points == Sheet::DefaultRowHeight ? defaultPx : int(std::lround(rowPixels(points, dpiY)));
        if (rows->sectionSize(r - 1) != px) rows->resizeSection(r - 1, px);
    }
}

void CSpreadSheet::setReadOnly(bool readOnly) {
    model_->setReadOnly(readOnly);
    setEditTriggers(readOnly ? QAbstractItemView::NoEditTriggers
                             : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                   QAbstractItemView::AnyKeyPressed);
}

bool CSpreadSheet::isReadOnly() const {
    return model_->isReadOnly();
}

void CSpreadSheet::SetActiveCell(int col, int row) {
    Sheet& s = sheet();
    s.SetActiveCell(col, row);
    const QModelIndex index = model_->index(s.activeRow() - 1, s.activeCol() - 1);
    if (!index.isValid()) return;
    setCurrentIndex(index);
    scrollTo(index);
}

void CSpreadSheet::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (current.isValid()) sheet().SetActiveCell(current.column() + 1, current.row() + 1);
}

void CSpreadSheet::DoAction(int code) {
    switch (code) {
    case CopyAction:
        copySelection();
        break;
    case CutAction:
        cutSelection();
        break;
    case PasteAction:
        pasteAtSelection();
        break;
    case PrintAction:
        PrintSheet();
        break;
    default:
        sheet().DoAction(code);
        model_->blockChanged(sheet().currentBlock());
        break;
    }
}

void CSpreadSheet::markCells(const std::vector<std::pair<int, int>>& cells) {
    for (const auto& [col, row] : cells)
        model_->mark(col, row);
}

bool CSpreadSheet::isMarked(int col, int row) const {
    return model_->isMarked(col, row);
}

Sheet::Block CSpreadSheet::selectedBlock() const {
    const QItemSelection selection = selectionModel()->selection();
    if (selection.isEmpty()) {
        const QModelIndex current = currentIndex();
        if (!current.isValid()) return {1, 1, 0, 0};
        return {current.column() + 1, current.row() + 1, current.column() + 1, current.row() + 1};
    }
    Sheet::Block b{INT_MAX, INT_MAX, 0, 0};
    for (const QItemSelectionRange& range : selection) {
        b.col1 = std::min(b.col1, range.left() + 1);
        b.row1 = std::min(b.row1, range.top() + 1);
        b.col2 = std::max(b.col2, range.right() + 1);
        b.row2 = std::max(b.row2, range.bottom() + 1);
    }
    return b;
}

void CSpreadSheet::keyPressEvent(QKeyEvent* event) {
    // Ctrl+Tab and Ctrl+Shift+Tab leave the grid, as in other Qt tables; Tab alone moves between cells.
    const bool control = event->modifiers() & Qt::ControlModifier;
    if (control && (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)) {
        const bool back = event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
        moveCursorBy(back ? SheetItemDelegate::Move::FocusPrevious : SheetItemDelegate::Move::FocusNext);
        return;
    }
    if (state() != QAbstractItemView::EditingState) {
        if (event->matches(QKeySequence::Copy)) return copySelection();
        if (event->matches(QKeySequence::Cut)) return cutSelection();
        if (event->matches(QKeySequence::Paste)) return pasteAtSelection();
        switch (event->key()) {
        case Qt::Key_Delete:
            return clearSelectedValues();
        case Qt::Key_Enter:
        case Qt::Key_Return:
            moveCursorBy(event->modifiers() & Qt::ShiftModifier ? SheetItemDelegate::Move::Up
                                                                : SheetItemDelegate::Move::Down);
            return;
        default:
            break;
        }
    }
    QTableView::keyPressEvent(event);
}

bool CSpreadSheet::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (!QTableView::edit(index, trigger, event)) return false;
    // F2 and a double click open the cell's text for changing; typing over the cell replaces it.
    if (trigger == EditKeyPressed || trigger == DoubleClicked || trigger == SelectedClicked)
        if (QWidget* editor = indexWidget(index)) SheetItemDelegate::keepCaretKeys(editor);
    return true;
}

void CSpreadSheet::finishEdit(QWidget* editor, SheetItemDelegate::Move move) {
    // Close and move first, then announce the change, so that a handler of CellChanged that puts
    // the cursor somewhere has the last word.
    const auto edited = std::exchange(editedCell_, std::nullopt);
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    moveCursorBy(move);
    if (edited) emit CellChanged(edited->first, edited->second);
}

void CSpreadSheet::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    const auto edited = std::exchange(editedCell_, std::nullopt);
    QTableView::closeEditor(editor, hint);
    if (edited) emit CellChanged(edited->first, edited->second);
}

void CSpreadSheet::moveCursorBy(SheetItemDelegate::Move move) {
    CursorAction action = MoveNext;
    switch (move) {
    case SheetItemDelegate::Move::Stay:
        return;
    case SheetItemDelegate::Move::Next:
        action = MoveNext;
        break;
    case SheetItemDelegate::Move::Previous:
        action = MovePrevious;
        break;
    case SheetItemDelegate::Move::Down:
        action = MoveDown;
        break;
    case SheetItemDelegate::Move::Up:
        action = MoveUp;
        break;
    case SheetItemDelegate::Move::Left:
        action = MoveLeft;
        break;
    case SheetItemDelegate::Move::Right:
        action = MoveRight;
        break;
    case SheetItemDelegate::Move::PageDown:
        action = MovePageDown;
        break;
    case SheetItemDelegate::Move::PageUp:
        action = MovePageUp;
        break;
    case SheetItemDelegate::Move::FocusNext:
    case SheetItemDelegate::Move::FocusPrevious:
        // The widget's own focus chain, not the table's cell-by-cell Tab navigation.
        QWidget::focusNextPrevChild(move == SheetItemDelegate::Move::FocusNext);
        return;
    }
    const QModelIndex next = moveCursor(action, Qt::NoModifier);
    if (next.isValid()) setCurrentIndex(next);
}

void CSpreadSheet::announceBlock(const Sheet::Block& block) {
    if (block.empty()) return;
    model_->blockChanged(block);
    emit blockChanged(block.col1, block.row1, block.col2, block.row2);
}
