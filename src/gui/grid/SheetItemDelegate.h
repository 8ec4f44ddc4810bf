#pragma once

#include <QStyledItemDelegate>

class QKeyEvent;
class SheetTableModel;

// Creates each cell's editor from the sheet (list, text, whole or decimal number), ends edits as
// a spreadsheet does, and paints cells with their fonts, outlines, grid lines and texts that run
// on into blank cells to their right (no grid line crosses such a text).
class SheetItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // Where the cursor goes once an edit has ended; FocusNext and FocusPrevious (Ctrl+Tab and
    // Ctrl+Shift+Tab) take the keyboard focus out of the grid to the dialog's next or previous control.
    enum class Move {
        Stay,
        Next,
        Previous,
        Down,
        Up,
        Left,
        Right,
        PageDown,
        PageUp,
        FocusNext,
        FocusPrevious
    };

    SheetItemDelegate(SheetTableModel* model, QObject* parent);

    // An editor opened to change the cell's text (F2, a double click) keeps Left and Right for its
    // caret; in one opened by typing over the cell they end the edit and move, as the other arrows do.
    static void keepCaretKeys(QWidget* editor);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

signals:
    // A committed edit changed the cell (col, row), both from 1.
    void edited(int col, int row) const;
    // The cell refused what its editor held; `reason` says what the cell takes.
    void refused(int col, int row, const QString& reason) const;
    // The key that ends an edit was pressed: the editor's value is committed; close it and move.
    void finishEdit(QWidget* editor, SheetItemDelegate::Move move);

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void commitListChoice();
    void refuse(QWidget* editor, int col, int row) const;
    // The key ends the edit (commits it and moves) and where the cursor goes; Stay when it does not.
    static Move endingMove(const QWidget* editor, const QKeyEvent& key);
    // The key would put text into the editor that its cell can never take.
    static bool refusesKey(QWidget* editor, const QKeyEvent& key);
    // The editor still holds what the cell holds (the same text, or in a number cell the same value).
    bool unchanged(int col, int row, const QString& text) const;

    SheetTableModel* model_;
};
