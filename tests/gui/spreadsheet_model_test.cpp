// The table model under the grid: model consistency, what cells show and allow, marks, sizes.
#include "grid/CellLook.h"
#include "grid/SheetTableModel.h"
#include "spreadsheet_test_sheet.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QSignalSpy>
#include <QtTest>

class SpreadSheetModelTest : public QObject {
    Q_OBJECT
private slots:
    void bulkChangesSignalOnceAndKeepTheModelConsistent();
    void cellsShowFontsLimitsAndLabels();
    void writesTheEditorRefusesNeverReachTheSheet();
    void marksLastUntilTheCellHoldsAcceptableText();
    void sizesComeFromTheSheet();
};

void SpreadSheetModelTest::bulkChangesSignalOnceAndKeepTheModelConsistent() {
    CSpreadSheet grid;
    QAbstractItemModelTester tester(grid.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy resets(grid.model(), &QAbstractItemModel::modelReset);
    QSignalSpy changes(grid.model(), &QAbstractItemModel::dataChanged);
    grid.setSheet(smallTally(1500));
    for (int r = 6; r <= 1500; ++r)
        grid.sheet().SetInteger(1, r, 0);
    grid.refresh();
    QCOMPARE(resets.count(), 1);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(changes[0][0].value<QModelIndex>(), cellIndex(grid, 1, 1));
    QCOMPARE(changes[0][1].value<QModelIndex>(), cellIndex(grid, 10, 1500));

    grid.sheet().SetMaxRows(44); // a size change made by code resets the model
    grid.refresh();
    QCOMPARE(resets.count(), 2);
    QCOMPARE(grid.model()->rowCount(), 44);
    grid.setSheet(timbra::Sheet(0, 0));
    grid.refresh();
}

void SpreadSheetModelTest::cellsShowFontsLimitsAndLabels() {
    CSpreadSheet grid;
    timbra::Sheet s = smallTally();
    s.SetCol(1);
    s.SetRow(1);
    s.SetFontSize(12);
    s.SetFontBold(true);
    grid.setSheet(std::move(s));
    const QAbstractItemModel* m = grid.model();

    const QFont title = m->data(cellIndex(grid, 1, 1), Qt::FontRole).value<QFont>();
    QCOMPARE(title.pointSizeF(), 12.0);
    QCOMPARE(title.bold(), true);
    QVERIFY(!m->data(cellIndex(grid, 5, 6), Qt::FontRole).isValid()); // plain cells keep the grid's font
    QCOMPARE(m->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Species Class"));
    QCOMPARE(m->data(cellIndex(grid, 5, 6), Qt::ToolTipRole).toString(),
             QStringLiteral("A whole number from 6 to 40"));

    // The "Stand Name" label looks like one and takes no edit; a read-only grid takes none at all.
    QCOMPARE(bool(m->flags(cellIndex(grid, 1, 2)) & Qt::ItemIsEditable), false);
    QCOMPARE(m->data(cellIndex(grid, 1, 2), Qt::BackgroundRole).value<QColor>(), labelBackground());
    QCOMPARE(bool(m->flags(cellIndex(grid, 3, 2)) & Qt::ItemIsEditable), true);
    grid.setReadOnly(true);
    QCOMPARE(bool(m->flags(cellIndex(grid, 3, 2)) & Qt::ItemIsEditable), false);
    QCOMPARE(grid.editTriggers(), QAbstractItemView::NoEditTriggers);
}

void SpreadSheetModelTest::writesTheEditorRefusesNeverReachTheSheet() {
    CSpreadSheet grid;
    grid.setSheet(smallTally());
    QAbstractItemModel* m = grid.model();
    grid.sheet().SetInteger(5, 6, 12);
    QCOMPARE(m->setData(cellIndex(grid, 5, 6), QStringLiteral("5")), false);
    QCOMPARE(m->setData(cellIndex(grid, 5, 6), QStringLiteral("twelve")), false);
    QCOMPARE(m->setData(cellIndex(grid, 1, 2), QStringLiteral("Name")), false); // a label
    QCOMPARE(grid.sheet().GetText(5, 6), std::string("12"));
    QCOMPARE(grid.sheet().GetText(1, 2), std::string("Stand Name"));
    // What is accepted is stored as the editor would store it.
    QCOMPARE(m->setData(cellIndex(grid, 10, 6), QStringLiteral("reserve")), true);
    QCOMPARE(grid.sheet().GetText(10, 6), std::string("Reserve"));
}

void SpreadSheetModelTest::marksLastUntilTheCellHoldsAcceptableText() {
    CSpreadSheet grid;
    timbra::Sheet s = smallTally();
    s.SetText(5, 6, "5");
    s.SetText(4, 7, "Codominant");
    grid.setSheet(std::move(s));
    grid.markCells({{5, 6}, {4, 7}, {99, 99}});
    QCOMPARE(grid.isMarked(5, 6), true);
    QCOMPARE(grid.isMarked(4, 7), true);
    QCOMPARE(grid.isMarked(99, 99), false);
    const QAbstractItemModel* m = grid.model();
    QCOMPARE(m->data(cellIndex(grid, 5, 6), Qt::BackgroundRole).value<QColor>(), markedBackground());
    QCOMPARE(m->data(cellIndex(grid, 5, 6), Qt::ToolTipRole).toString(),
             QStringLiteral("Not accepted here: this cell takes a whole number from 6 to 40."));

    // An edit clears its own mark; code that writes acceptable text clears one at the next refresh.
    QCOMPARE(grid.model()->setData(cellIndex(grid, 5, 6), QStringLiteral("8")), true);
    QCOMPARE(grid.isMarked(5, 6), false);
    grid.sheet().SetText(4, 7, "Codominant ");
    grid.refresh();
    QCOMPARE(grid.isMarked(4, 7), true);
    grid.sheet().SetText(4, 7, " ");
    grid.refresh();
    QCOMPARE(grid.isMarked(4, 7), false);
}

void SpreadSheetModelTest::sizesComeFromTheSheet() {
    CSpreadSheet grid;
    timbra::Sheet s = smallTally();
    s.SetColWidth(1, 13);
    s.SetColWidth(2, 26);
    s.SetRowHeight(1, 0);
    s.SetRowHeight(2, 18);
    grid.setSheet(std::move(s));
    QCOMPARE(grid.isRowHidden(0), true);
    const double dpi = grid.logicalDpiY();
    QCOMPARE(grid.rowHeight(1), int(std::lround(18 * dpi / 72)));
    QCOMPARE(grid.rowHeight(2), int(std::lround(timbra::Sheet::DefaultRowHeight * dpi / 72)));
    // Twice the characters is twice the text room.
    const int padding = grid.columnWidth(1) - 2 * grid.columnWidth(0);
    QVERIFY2(std::abs(padding + int(2 * cellTextPadding)) <= 1, qPrintable(QString::number(padding)));

    // A later refresh shows rows code has shown again, and new widths.
    grid.sheet().SetRowHeight(1, -1);
    grid.sheet().SetColWidth(1, 26);
    grid.refresh();
    QCOMPARE(grid.isRowHidden(0), false);
    QCOMPARE(grid.columnWidth(0), grid.columnWidth(1));
}

QTEST_MAIN(SpreadSheetModelTest)
#include "spreadsheet_model_test.moc"
