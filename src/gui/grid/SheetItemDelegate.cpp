#include "grid/SheetItemDelegate.h"

#include "grid/CellEditorWidgets.h"
#include "grid/CellLook.h"
#include "grid/SheetTableModel.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QTableView>
#include <QToolTip>

using timbra::Sheet;

namespace {

const char* const colProperty = "sheetCol";
const char* const rowProperty = "sheetRow";

} // namespace

SheetItemDelegate::SheetItemDelegate(SheetTableModel* model, QObject* parent)
    : QStyledItemDelegate(parent), model_(model) {}

QWidget* SheetItemDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                         const QModelIndex& index) const {
    if (!(model_->flags(index) & Qt::ItemIsEditable)) return nullptr;
    const int col = index.column() + 1, row = index.row() + 1;
    QWidget* editor = createCellEditorWidget(model_->sheet().editorAt(col, row), parent);
    editor->setProperty(colProperty, col);
    editor->setProperty(rowProperty, row);
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        connect(combo, &QComboBox::activated, this, &SheetItemDelegate::commitListChoice);
    return editor;
}

void SheetItemDelegate::commitListChoice() {
    // A choice made in the list is final: commit it and close, leaving the cursor where it is.
    auto* combo = qobject_cast<QComboBox*>(sender());
    if (!combo) return;
    emit commitData(combo);
    emit finishEdit(combo, Move::Stay);
}

void SheetItemDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    setCellEditorText(editor, index.data(Qt::EditRole).toString());
}

void SheetItemDelegate::setModelData(QWidget* editor, QAbstractItemModel* /*model*/,
                                     const QModelIndex& index) const {
    const auto text = cellEditorText(editor);
    if (!text) return;
    const int col = index.column() + 1, row = index.row() + 1;
    if (unchanged(col, row, *text)) return;
    const auto accepted = model_->sheet().accept(col, row, text->toStdString());
    if (!accepted) {
        refuse(editor, col, row);
        return;
    }
    if (*accepted == model_->sheet().GetText(col, row)) return; // nothing changed
    if (model_->setData(index, *text)) emit edited(col, row);
}

bool SheetItemDelegate::unchanged(int col, int row, const QString& text) const {
    // The 0 of an empty tree row opens in a spin box as "0" (or "0.0"): leaving it untouched is no edit,
    // though a typed 0 would not fit.
    const std::string& held = model_->sheet().GetText(col, row);
    if (text.toStdString() == held) return true;
    const auto typed = timbra::parseNumber(text.toStdString()), holds = timbra::parseNumber(held);
    const auto kind = model_->sheet().editorAt(col, row).kind;
    const bool number = kind == timbra::CellEditor::Kind::Integer || kind == timbra::CellEditor::Kind::Float;
    return number && typed && holds && *typed == *holds;
}

void SheetItemDelegate::refuse(QWidget* editor, int col, int row) const {
    const QString reason = refusalText(model_->sheet().editorAt(col, row));
    QToolTip::showText(editor->mapToGlobal(QPoint(0, editor->height())), reason, editor->parentWidget());
    emit refused(col, row, reason);
}

bool SheetItemDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* editor = qobject_cast<QWidget*>(object);
    if (!editor || event->type() != QEvent::KeyPress) return QStyledItemDelegate::eventFilter(object, event);

    Move move = Move::Stay;
    const bool control = static_cast<QKeyEvent*>(event)->modifiers() & Qt::ControlModifier;
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Tab:
        move = control
                   ? (static_cast<QKeyEvent*>(event)->modifiers() & Qt::ShiftModifier ? Move::FocusPrevious
                                                                                      : Move::FocusNext)
                   : Move::Next;
        break;
    case Qt::Key_Backtab:
        move = control ? Move::FocusPrevious : Move::Previous;
        break;
    case Qt::Key_Enter:
    case Qt::Key_Return:
        move = Move::Down;
        break;
    case Qt::Key_Down:
    case Qt::Key_Up:
        // In a text cell the arrows leave the cell; lists and spin boxes use them to change the value.
        if (!qobject_cast<QLineEdit*>(editor)) return QStyledItemDelegate::eventFilter(object, event);
        move = static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down ? Move::Down : Move::Up;
        break;
    default:
        return QStyledItemDelegate::eventFilter(object, event);
    }

    // The edit ends here, at once: a value the cell refuses keeps the editor open and says why.
    const int col = editor->property(colProperty).toInt(), row = editor->property(rowProperty).toInt();
    const auto text = cellEditorText(editor);
    if (text && !unchanged(col, row, *text) && !model_->sheet().accept(col, row, text->toStdString())) {
        refuse(editor, col, row);
        return true;
    }
    emit commitData(editor);
    emit finishEdit(editor, move);
    return true;
}

void SheetItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    opt.text.clear(); // drawn below, so that it may run on into blank neighbours
    const QWidget* widget = opt.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    const Sheet& sheet = model_->sheet();
    const int col = index.column() + 1, row = index.row() + 1;
    const auto* view = qobject_cast<const QTableView*>(widget);
    if (!view) {
        drawCellBorders(*painter, opt.rect, sheet.formatAt(col, row));
        return;
    }

    // The text shown here is this cell's own, or one from the left that runs into it.
    int owner = col;
    while (owner > 1 && isBlankText(sheet.GetText(owner, row)))
        --owner;
    const std::string& text = sheet.GetText(owner, row);
    QFont font;
    QString shown;
    int end = col;
    if (!isBlankText(text)) {
        font = cellFont(view->font(), sheet.formatAt(owner, row));
        shown = QString::fromStdString(text);
        const double textWidth = QFontMetricsF(font).horizontalAdvance(shown) + 2 * CellTextPadding;
        end = textRunEnd(sheet, owner, row, sheet.GetMaxCols(), textWidth,
                         [view](int c) { return double(view->columnWidth(c - 1)); });
    }
    const bool runsOn = !shown.isEmpty() && end > col; // the text crosses this cell's right side

    // The view leaves a one-pixel line right of and below each cell for its grid, drawn without a
    // pen (CSpreadSheet): the lines are drawn here, except where a text runs across them.
    QRect textClip = opt.rect;
    if (view->showGrid()) {
        const QRect cell = opt.rect.adjusted(0, 0, 1, 1);
        const QColor line =
            QColor::fromRgb(QRgb(style->styleHint(QStyle::SH_Table_GridLineColor, &opt, widget)));
        painter->fillRect(QRect(cell.left(), cell.bottom(), cell.width(), 1), line);
        const QRect side(cell.right(), cell.top(), 1, cell.height() - 1);
        if (runsOn) {
            if (opt.backgroundBrush.style() != Qt::NoBrush) painter->fillRect(side, opt.backgroundBrush);
            textClip.setRight(cell.right());
        } else {
            painter->fillRect(side, line);
        }
    }
    drawCellBorders(*painter, opt.rect, sheet.formatAt(col, row));
    if (shown.isEmpty() || end < col) return;

    const int left = view->columnViewportPosition(owner - 1);
    const int right = view->columnViewportPosition(end - 1) + view->columnWidth(end - 1);
    const QRect run(left, opt.rect.top(), right - left, opt.rect.height());
    const bool selected = opt.state & QStyle::State_Selected;
    painter->save();
    painter->setClipRect(textClip);
    painter->setFont(font);
    painter->setPen(opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(run.adjusted(int(CellTextPadding), 0, -int(CellTextPadding), 0),
                      int(cellAlignment(sheet.editorAt(owner, row))) | Qt::TextSingleLine, shown);
    painter->restore();
}
