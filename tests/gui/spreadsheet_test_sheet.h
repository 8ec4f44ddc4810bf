#pragma once

// A small tally-like sheet built in code, so the grid's tests do not depend on stored resources.
#include "grid/CSpreadSheet.h"

#include <QAbstractItemModel>
#include <QKeyEvent>
#include <QTest>

inline timbra::Sheet smallTally(int rows = 30) {
    using timbra::CellEditor;
    timbra::Sheet s(10, rows);
    const char* headings[] = {"Plot #", "Tree #", "Species", "Species Class", "DBH",
                              "Height", "Grade",  "Vigor",   "Crown Class",   "Tree Class"};
    for (int c = 1; c <= 10; ++c)
        s.SetColHeading(c, headings[c - 1]);
    s.SetText(1, 2, "Stand Name");
    s.SetCol(1);
    s.SetRow(2);
    s.SetCellType(timbra::Sheet::StaticTextType);
    const int editors[] = {
        s.addEditor(CellEditor::integer(0, 100)),
        s.addEditor(CellEditor::decimal(-9999999.99, 9999999.99, 1, 2)),
        s.addEditor(CellEditor::text(4, true, true)),
        s.addEditor(CellEditor::list({"Desirable", "Acceptable", "Unacceptable"})),
        s.addEditor(CellEditor::integer(6, 40, 2)),
        s.addEditor(CellEditor::decimal(1, 3.5, 0.5, 1)),
        s.addEditor(CellEditor::integer(1, 3)),
        s.addEditor(CellEditor::list({"High", "Medium", "Low"})),
        s.addEditor(CellEditor::list({"Dominant", "Co-dominant", "Intermediate", "Suppressed"})),
        s.addEditor(CellEditor::list({"Preferred", "Reserve", "Cutting Stock", "Cull"})),
    };
    for (int r = 6; r <= rows; ++r)
        for (int c = 1; c <= 10; ++c)
            s.setCellEditor(c, r, editors[c - 1]);
    return s;
}

// The grid's model index of cell (col, row), both from 1.
inline QModelIndex cellIndex(const CSpreadSheet& grid, int col, int row) {
    return grid.model()->index(row - 1, col - 1);
}

inline QPoint cursorOf(const CSpreadSheet& grid) {
    return {grid.currentIndex().column() + 1, grid.currentIndex().row() + 1};
}

// Types keys into whatever has the focus: the grid, or the editor it opened.
inline void typeKeys(const QString& text) {
    for (const QChar ch : text)
        QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
}

inline void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}
