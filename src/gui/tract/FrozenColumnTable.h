#pragma once

#include <QTableView>

// A table whose first column stays in view when the others scroll sideways: a second view over the
// same model and selection shows only that column, laid over the table's own.
class FrozenColumnTable : public QTableView {
    Q_OBJECT
public:
    explicit FrozenColumnTable(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

private:
    void placeFrozenColumn();

    QTableView* frozen_;
};
