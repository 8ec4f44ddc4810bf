// Typing into the grid: the editors' limits, list choices by letter, the keys that move and end
// edits, Escape and Delete, and which edits raise CellChanged.
#include "app/ProgramProfile.h"
#include "spreadsheet_test_sheet.h"

#include <QApplication>
#include <QSignalSpy>
#include <QtTest>

class SpreadSheetEditingTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void textAndListCellsTakeWhatTheirEditorsAllow();
    void refusedNumbersNeverReachTheSheet();
    void spinningStepsFromNotEnteredToTheLowestValue();
    void tabEnterAndArrowsMoveBetweenCells();
    void escapeRevertsAndDeleteClears();
    void cellChangedFollowsTypedEditsOnly();

private:
    CSpreadSheet* grid_ = nullptr;
    std::string text(int col, int row) const { return grid_->sheet().GetText(col, row); }
    bool editing() const {
        for (const QWidget* editor : grid_->findChildren<QWidget*>(QStringLiteral("cellEditor")))
            if (editor->isVisible()) return true;
        return false;
    }
    // Puts the cursor on a cell, types over it and ends with `end`.
    void type(int col, int row, const QString& keys, Qt::Key end = Qt::Key_Enter) {
        grid_->SetActiveCell(col, row);
        typeKeys(keys);
        pressKey(end);
    }
};

void SpreadSheetEditingTest::init() {
    grid_ = new CSpreadSheet;
    grid_->setSheet(smallTally());
    grid_->resize(900, 500);
    grid_->show();
    grid_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(grid_));
    grid_->setFocus();
}

void SpreadSheetEditingTest::cleanup() {
    delete grid_;
    grid_ = nullptr;
}

void SpreadSheetEditingTest::textAndListCellsTakeWhatTheirEditorsAllow() {
    type(3, 6, QStringLiteral("ylp"));
    QTRY_COMPARE(text(3, 6), std::string("YLP"));
    // Letters only and four at most: the digit and the fifth letter are refused as typed.
    type(3, 7, QStringLiteral("su1mqx"), Qt::Key_Return);
    QTRY_COMPARE(text(3, 7), std::string("SUMQ"));

    // A list item by its first letter; typing it again goes on to the next item with that letter.
    type(10, 6, QStringLiteral("r"));
    QTRY_COMPARE(text(10, 6), std::string("Reserve"));
    type(9, 6, QStringLiteral("c"), Qt::Key_Tab);
    QTRY_COMPARE(text(9, 6), std::string("Co-dominant"));
    type(10, 7, QStringLiteral("cc"));
    QTRY_COMPARE(text(10, 7), std::string("Cull"));

    // Opening a list and leaving it without a choice writes nothing over the blank.
    grid_->sheet().SetText(4, 6, " ");
    type(4, 6, QString(), Qt::Key_F2);
    pressKey(Qt::Key_Enter);
    QTRY_COMPARE(editing(), false);
    QCOMPARE(text(4, 6), std::string(" "));

    // The same through the program's stored tally grid.
    grid_->setSheet(timbra::timbraProfile().loadTallyGrid());
    type(3, 6, QStringLiteral("ylp"), Qt::Key_Tab);
    type(10, 6, QStringLiteral("r"));
    QTRY_COMPARE(text(3, 6), std::string("YLP"));
    QTRY_COMPARE(text(10, 6), std::string("Reserve"));
}

void SpreadSheetEditingTest::refusedNumbersNeverReachTheSheet() {
    QSignalSpy refusals(grid_, &CSpreadSheet::editRefused);
    grid_->sheet().SetInteger(5, 6, 12);
    grid_->refresh();

    // A DBH of 5 can never become valid: the key is refused and the old value stays.
    type(5, 6, QStringLiteral("5"));
    QTRY_COMPARE(editing(), false);
    QCOMPARE(text(5, 6), std::string("12"));

    // "1" could still become 16, so it is kept while typing; Enter and Tab refuse it, say why,
    // and leave the editor open until the user mends or abandons the value.
    type(5, 6, QStringLiteral("1"));
    pressKey(Qt::Key_Tab);
    QCOMPARE(editing(), true);
    QCOMPARE(refusals.count(), 2);
    QCOMPARE(refusals[0][2].toString(),
             QStringLiteral("Not accepted here: this cell takes a whole number from 6 to 40."));
    QCOMPARE(text(5, 6), std::string("12"));
    typeKeys(QStringLiteral("6"));
    pressKey(Qt::Key_Enter);
    QTRY_COMPARE(text(5, 6), std::string("16"));

    // A height of 4 is refused as typed; 2.5 is taken.
    type(6, 6, QStringLiteral("4"));
    QTRY_COMPARE(editing(), false);
    QCOMPARE(text(6, 6), std::string());
    type(6, 6, QStringLiteral("2.5"));
    QTRY_COMPARE(text(6, 6), std::string("2.5"));
}

void SpreadSheetEditingTest::spinningStepsFromNotEnteredToTheLowestValue() {
    grid_->sheet().SetInteger(5, 6, 0);
    grid_->refresh();
    type(5, 6, QString(), Qt::Key_F2);
    pressKey(Qt::Key_Up);
    pressKey(Qt::Key_Up);
    pressKey(Qt::Key_Enter);
    QTRY_COMPARE(text(5, 6), std::string("8")); // 0, 6, 8: DBH steps by 2 from its lowest value

    type(5, 6, QString(), Qt::Key_F2);
    pressKey(Qt::Key_Down);
    pressKey(Qt::Key_Down);
    pressKey(Qt::Key_Enter);
    QTRY_COMPARE(text(5, 6), std::string("0")); // 8, 6, then back to not entered
}

void SpreadSheetEditingTest::tabEnterAndArrowsMoveBetweenCells() {
    type(1, 6, QStringLiteral("3"), Qt::Key_Tab);
    QTRY_COMPARE(cursorOf(*grid_), QPoint(2, 6));
    QCOMPARE(text(1, 6), std::string("3"));
    QCOMPARE(editing(), false); // Tab moves on; it does not open the next cell

    typeKeys(QStringLiteral("7"));
    pressKey(Qt::Key_Enter);
    QTRY_COMPARE(cursorOf(*grid_), QPoint(2, 7));
    QCOMPARE(text(2, 6), std::string("7.00"));

    pressKey(Qt::Key_Backtab);
    pressKey(Qt::Key_Enter); // not editing: Enter moves down too
    pressKey(Qt::Key_Right);
    pressKey(Qt::Key_Right);
    QCOMPARE(cursorOf(*grid_), QPoint(3, 8));

    // In a text cell the arrows end the edit and move.
    typeKeys(QStringLiteral("a"));
    pressKey(Qt::Key_Down);
    QCOMPARE(cursorOf(*grid_), QPoint(3, 9));
    QCOMPARE(text(3, 8), std::string("A"));
}

void SpreadSheetEditingTest::escapeRevertsAndDeleteClears() {
    grid_->sheet().SetText(3, 6, "YLP");
    grid_->sheet().SetInteger(5, 6, 14);
    grid_->refresh();
    type(3, 6, QStringLiteral("sw"), Qt::Key_Escape);
    QTRY_COMPARE(editing(), false);
    QCOMPARE(text(3, 6), std::string("YLP"));

    QSignalSpy changed(grid_, &CSpreadSheet::CellChanged);
    QSignalSpy blocks(grid_, &CSpreadSheet::blockChanged);
    pressKey(Qt::Key_Delete);
    QCOMPARE(text(3, 6), std::string());
    QCOMPARE(changed.count(), 1); // clearing one cell is an edit of that cell

    // A block: values go, labels stay.
    grid_->setCurrentIndex(cellIndex(*grid_, 1, 2));
    grid_->selectionModel()->select(QItemSelection(cellIndex(*grid_, 1, 2), cellIndex(*grid_, 5, 6)),
                                    QItemSelectionModel::ClearAndSelect);
    pressKey(Qt::Key_Delete);
    QCOMPARE(text(5, 6), std::string());
    QCOMPARE(text(1, 2), std::string("Stand Name"));
    QCOMPARE(blocks.count(), 2);
    QCOMPARE(blocks[1], (QList<QVariant>{1, 2, 5, 6}));
    QCOMPARE(changed.count(), 1);
}

void SpreadSheetEditingTest::cellChangedFollowsTypedEditsOnly() {
    QSignalSpy changed(grid_, &CSpreadSheet::CellChanged);
    grid_->sheet().SetInteger(5, 7, 20);
    grid_->refresh();
    grid_->model()->setData(cellIndex(*grid_, 5, 8), QStringLiteral("10"));
    QCOMPARE(changed.count(), 0);

    // A handler that moves the cursor has the last word over the key's own move.
    connect(grid_, &CSpreadSheet::CellChanged, grid_, [this](int, int row) { grid_->SetActiveCell(9, row); });
    type(5, 6, QStringLiteral("8"));
    QTRY_COMPARE(changed.count(), 1);
    QCOMPARE(changed[0], (QList<QVariant>{5, 6}));
    QCOMPARE(cursorOf(*grid_), QPoint(9, 6));

    // Ending an edit without a change raises nothing.
    type(5, 7, QString(), Qt::Key_F2);
    pressKey(Qt::Key_Enter);
    QTRY_COMPARE(editing(), false);
    QCOMPARE(changed.count(), 1);
}

QTEST_MAIN(SpreadSheetEditingTest)
#include "spreadsheet_editing_test.moc"
