#include "gui/grid/SheetItemDelegate.h"

#include "gui/grid/CellEditorWidgets.h"
#include "gui/grid/CellLook.h"
#include "gui/grid/SheetTableModel.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QTableView>
#include <QToolTip>

using timbra::Sheet;

namespace {

const char* const colProperty = "sheetCol";
const char* const rowProperty = "sheetRow";
const char* const caretProperty = "sheetCaretKeys";

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

void SheetItemDelegate::keepCaretKeys(QWidget* editor) {
    // A list has no caret: its arrows always end the edit.
    if (!qobject_cast<QComboBox*>(editor)) editor->setProperty(caretProperty, true);
}

SheetItemDelegate::Move SheetItemDelegate::endingMove(const QWidget* editor, const QKeyEvent& key) {
    const Qt::KeyboardModifiers modifiers = key.modifiers();
    const bool control = modifiers & Qt::ControlModifier;
    // Alt with an arrow opens a list's items; Shift or Ctrl with an arrow selects or jumps within the text.
    const bool plainArrow = !(modifiers & (Qt::AltModifier | Qt::ControlModifier | Qt::ShiftModifier));
    const bool caret = editor->property(caretProperty).toBool();
    switch (key.key()) {
    case Qt::Key_Tab:
        return control ? (modifiers & Qt::ShiftModifier ? Move::FocusPrevious : Move::FocusNext) : Move::Next;
    case Qt::Key_Backtab:
        return control ? Move::FocusPrevious : Move::Previous;
    case Qt::Key_Enter:
    case Qt::Key_Return:
        return Move::Down;
    // The arrows and Page Up and Down move from cell to cell in every kind of cell; they never step a
    // number or a list's item.
    case Qt::Key_Down:
        return plainArrow ? Move::Down : Move::Stay;
    case Qt::Key_Up:
        return plainArrow ? Move::Up : Move::Stay;
    case Qt::Key_PageDown:
        return plainArrow ? Move::PageDown : Move::Stay;
    case Qt::Key_PageUp:
        return plainArrow ? Move::PageUp : Move::Stay;
    case Qt::Key_Left:
        return plainArrow && !caret ? Move::Left : Move::Stay;
    case Qt::Key_Right:
        return plainArrow && !caret ? Move::Right : Move::Stay;
    default:
        return Move::Stay;
    }
}

bool SheetItemDelegate::refusesKey(QWidget* editor, const QKeyEvent& key) {
    const QString typed = key.text();
    if (typed.isEmpty() || !typed.front().isPrint() ||
        (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        // A list finds its items by the letters typed; one that is in no item finds nothing.
        for (int i = 0; i < combo->count(); ++i)
            if (combo->itemText(i).contains(typed, Qt::CaseInsensitive)) return false;
        return true;
    }
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (!line) line = editor->findChild<QLineEdit*>(); // a spin box's
    if (!line) return false;
    // The text as it would be with the key typed over the selection, as the validator would see it.
    QString text = line->text();
    int pos = line->cursorPosition();
    if (line->hasSelectedText()) {
        pos = line->selectionStart();
        text.remove(pos, line->selectedText().size());
    }
    text.insert(pos, typed);
    pos += int(typed.size());
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(editor))
        return spin->validate(text, pos) == QValidator::Invalid;
    return line->validator() && line->validator()->validate(text, pos) == QValidator::Invalid;
}

bool SheetItemDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* editor = qobject_cast<QWidget*>(object);
    if (editor && event->type() == QEvent::Wheel) {
        // The wheel scrolls the grid under an open editor; it never steps the editor's value.
        if (QWidget* viewport = editor->parentWidget()) QCoreApplication::sendEvent(viewport, event);
        return true;
    }
    if (!editor || event->type() != QEvent::KeyPress) return QStyledItemDelegate::eventFilter(object, event);

    const auto& key = *static_cast<QKeyEvent*>(event);
    const int col = editor->property(colProperty).toInt(), row = editor->property(rowProperty).toInt();
    const Move move = endingMove(editor, key);
    if (move == Move::Stay) {
        // A key the cell can never take is dropped, and the user is told why, as for a refused edit.
        if (refusesKey(editor, key)) {
            refuse(editor, col, row);
            return true;
        }
        // Up, Down and the page keys with Shift or Ctrl still never step a value or an item; Alt with
        // an arrow opens a list's items.
        const bool stepKey = key.key() == Qt::Key_Up || key.key() == Qt::Key_Down ||
                             key.key() == Qt::Key_PageUp || key.key() == Qt::Key_PageDown;
        if (stepKey && !(qobject_cast<QComboBox*>(editor) && (key.modifiers() & Qt::AltModifier)))
            return true;
        return QStyledItemDelegate::eventFilter(object, event);
    }

    // The edit ends here, at once: a value the cell refuses keeps the editor open and says why.
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
