// The grid on a small tally-like sheet built in code: the model, typing and the keys, the
// clipboard and printing.
#include "grid/CSpreadSheet.h"
#include "grid/CellLook.h"
#include "grid/SheetPrintLayout.h"
#include "input_test_prompter.h"

#include <QAbstractItemModelTester>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QProgressDialog>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

timbra::Sheet smallTally(int rows = 30) {
    using timbra::CellEditor;
    timbra::Sheet s(10, rows);
    const QStringList headings = QString("Plot #,Tree #,Species,Species Class,DBH,Height,Grade,Vigor,"
                                         "Crown Class,Tree Class")
                                     .split(',');
    for (int c = 1; c <= 10; ++c)
        s.setColHeading(c, headings[c - 1].toStdString());
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
QModelIndex cellIndex(const CSpreadSheet& grid, int col, int row) {
    return grid.model()->index(row - 1, col - 1);
}

void select(CSpreadSheet& grid, int col1, int row1, int col2, int row2) {
    grid.setCurrentIndex(cellIndex(grid, col1, row1));
    grid.selectionModel()->select(QItemSelection(cellIndex(grid, col1, row1), cellIndex(grid, col2, row2)),
                                  QItemSelectionModel::ClearAndSelect);
}

// Types keys into whatever has the focus: the grid, or the editor it opened.
void typeKeys(const QString& text) {
    for (const QChar ch : text)
        QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
}

void pressKey(Qt::Key key) {
    QTest::keyClick(QApplication::focusWidget(), key);
}

// Temporary files left beside a PDF: their names start with a dot.
QStringList hiddenFiles(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral(".*")}, QDir::Files | QDir::Hidden);
}

void pdfOutput(QPrinter& printer, const QString& path) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
}

} // namespace

class SpreadSheetTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void modelSignalsOnceAndStaysConsistent();
    void cellsShowFontsLimitsLabelsAndSizes();
    void gridLinesStopAtTextsThatRunOn();
    void refusedWritesAndMarks();
    void typedTextAndListChoices();
    void refusedNumbersNeverReachTheSheet();
    void spinningStepsFromNotEnteredToTheLowestValue();
    void keysMoveEndAndClear();
    void cellChangedFollowsTypedEditsOnly();
    void clipboard();
    void printsTheCellTextsOfTheRange();
    void printFailuresAndCancels();

private:
    CSpreadSheet* grid_ = nullptr;
    QTemporaryDir dir_;
    std::unique_ptr<TestPrompter> prompter_;
    std::string text(int col, int row) const { return grid_->sheet().GetText(col, row); }
    QPoint cursor() const { return {grid_->currentIndex().column() + 1, grid_->currentIndex().row() + 1}; }
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

void SpreadSheetTest::init() {
    QGuiApplication::clipboard()->clear();
    prompter_ = std::make_unique<TestPrompter>();
    grid_ = new CSpreadSheet;
    grid_->setSheet(smallTally());
    grid_->resize(900, 500);
    grid_->show();
    grid_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(grid_));
    grid_->setFocus();
}

void SpreadSheetTest::cleanup() {
    delete grid_;
    grid_ = nullptr;
    prompter_.reset();
}

void SpreadSheetTest::modelSignalsOnceAndStaysConsistent() {
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

void SpreadSheetTest::cellsShowFontsLimitsLabelsAndSizes() {
    timbra::Sheet s = smallTally();
    s.SetCol(1);
    s.SetRow(1);
    s.SetFontSize(12);
    s.setFontBold(true);
    s.SetColWidth(1, 13);
    s.SetColWidth(2, 26);
    s.SetRowHeight(1, 0);
    s.SetRowHeight(2, 18);
    CSpreadSheet& grid = *grid_;
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

    QCOMPARE(grid.isRowHidden(0), true);
    const double dpi = grid.logicalDpiY();
    QCOMPARE(grid.rowHeight(1), int(std::lround(18 * dpi / 72)));
    QCOMPARE(grid.rowHeight(2), int(std::lround(timbra::Sheet::DefaultRowHeight * dpi / 72)));
    // Twice the characters is twice the text room.
    const int padding = grid.columnWidth(1) - 2 * grid.columnWidth(0);
    QVERIFY2(std::abs(padding + int(2 * CellTextPadding)) <= 1, qPrintable(QString::number(padding)));
    // A later refresh shows rows code has shown again, and new widths.
    grid.sheet().SetRowHeight(1, -1);
    grid.sheet().SetColWidth(1, 26);
    grid.refresh();
    QCOMPARE(grid.isRowHidden(0), false);
    QCOMPARE(grid.columnWidth(0), grid.columnWidth(1));

    grid.setReadOnly(true);
    QCOMPARE(bool(m->flags(cellIndex(grid, 3, 2)) & Qt::ItemIsEditable), false);
    QCOMPARE(grid.editTriggers(), QAbstractItemView::NoEditTriggers);
}

// Writes an editor refuses never reach the sheet; marks last until the cell holds acceptable text.
// A text running on into blank cells is not crossed by their grid lines; every other cell side is.
void SpreadSheetTest::gridLinesStopAtTextsThatRunOn() {
    timbra::Sheet s(3, 2);
    s.SetText(1, 1, std::string(40, 'W'));
    s.SetText(1, 2, "W");
    CSpreadSheet& grid = *grid_;
    grid.setSheet(std::move(s));
    grid.clearSelection();
    grid.setCurrentIndex({});
    const QImage shot = grid.viewport()->grab().toImage();
    // Pixels of the line right of column A, within a row, that have the grid's colour.
    const int x = grid.columnViewportPosition(1) - 1;
    const QColor line = shot.pixelColor(x, grid.rowViewportPosition(1));
    QVERIFY(line != grid.palette().color(QPalette::Base));
    const auto linePixels = [&](int row) {
        int count = 0;
        for (int y = grid.rowViewportPosition(row);
             y < grid.rowViewportPosition(row) + grid.rowHeight(row) - 1; ++y)
            count += shot.pixelColor(x, y) == line;
        return count;
    };
    QCOMPARE(linePixels(1), grid.rowHeight(1) - 1);
    QVERIFY2(linePixels(0) < grid.rowHeight(0) / 2, qPrintable(QString::number(linePixels(0))));
}

void SpreadSheetTest::refusedWritesAndMarks() {
    QAbstractItemModel* m = grid_->model();
    grid_->sheet().SetInteger(5, 6, 12);
    QCOMPARE(m->setData(cellIndex(*grid_, 5, 6), QStringLiteral("5")), false);
    QCOMPARE(m->setData(cellIndex(*grid_, 5, 6), QStringLiteral("twelve")), false);
    QCOMPARE(m->setData(cellIndex(*grid_, 1, 2), QStringLiteral("Name")), false); // a label
    QCOMPARE(text(5, 6), std::string("12"));
    QCOMPARE(text(1, 2), std::string("Stand Name"));
    QCOMPARE(m->setData(cellIndex(*grid_, 10, 6), QStringLiteral("reserve")), true);
    QCOMPARE(text(10, 6), std::string("Reserve")); // stored as the editor would store it

    grid_->sheet().SetText(5, 6, "5");
    grid_->sheet().SetText(4, 7, "Codominant");
    grid_->markCells({{5, 6}, {4, 7}, {99, 99}});
    QCOMPARE(grid_->isMarked(5, 6), true);
    QCOMPARE(grid_->isMarked(4, 7), true);
    QCOMPARE(grid_->isMarked(99, 99), false);
    QCOMPARE(m->data(cellIndex(*grid_, 5, 6), Qt::BackgroundRole).value<QColor>(), markedBackground());
    QCOMPARE(m->data(cellIndex(*grid_, 5, 6), Qt::ToolTipRole).toString(),
             QStringLiteral("Not accepted here: this cell takes a whole number from 6 to 40."));

    // An edit clears its own mark; code that writes acceptable text clears one at the next refresh.
    QCOMPARE(m->setData(cellIndex(*grid_, 5, 6), QStringLiteral("8")), true);
    QCOMPARE(grid_->isMarked(5, 6), false);
    grid_->sheet().SetText(4, 7, "Codominant ");
    grid_->refresh();
    QCOMPARE(grid_->isMarked(4, 7), true);
    grid_->sheet().SetText(4, 7, " ");
    grid_->refresh();
    QCOMPARE(grid_->isMarked(4, 7), false);
}

void SpreadSheetTest::typedTextAndListChoices() {
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
}

void SpreadSheetTest::refusedNumbersNeverReachTheSheet() {
    QSignalSpy refusals(grid_, &CSpreadSheet::editRefused);
    grid_->sheet().SetInteger(5, 6, 12);
    grid_->refresh();

    // A DBH of 5 or 0 can never become valid: the key is refused and the old value stays.
    for (const char* key : {"5", "0"}) {
        type(5, 6, QLatin1String(key));
        QTRY_COMPARE(editing(), false);
        QCOMPARE(text(5, 6), std::string("12"));
    }
    // The 0 of an empty tree row, opened and left untouched, is no refused edit.
    grid_->sheet().SetInteger(5, 7, 0);
    type(5, 7, QString(), Qt::Key_F2);
    pressKey(Qt::Key_Tab);
    QTRY_COMPARE(editing(), false);
    QCOMPARE(refusals.count(), 0);
    QCOMPARE(text(5, 7), std::string("0"));

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

void SpreadSheetTest::spinningStepsFromNotEnteredToTheLowestValue() {
    grid_->sheet().SetInteger(5, 6, 0);
    grid_->refresh();
    for (const auto& [arrow, expected] : {std::pair{Qt::Key_Up, "8"}, {Qt::Key_Down, ""}}) {
        type(5, 6, QString(), Qt::Key_F2);
        pressKey(arrow);
        pressKey(arrow);
        pressKey(Qt::Key_Enter);
        // Up: 0, 6, 8 (DBH steps by 2 from its lowest value); down: 8, 6, back to not entered (empty:
        // a typed 0 does not fit a DBH).
        QTRY_COMPARE(text(5, 6), std::string(expected));
    }
}

// Tab, Enter and the arrows move; Escape reverts an edit; Delete clears values but not labels.
void SpreadSheetTest::keysMoveEndAndClear() {
    type(1, 6, QStringLiteral("3"), Qt::Key_Tab);
    QTRY_COMPARE(cursor(), QPoint(2, 6));
    QCOMPARE(text(1, 6), std::string("3"));
    QCOMPARE(editing(), false); // Tab moves on; it does not open the next cell

    typeKeys(QStringLiteral("7"));
    pressKey(Qt::Key_Enter);
    QTRY_COMPARE(cursor(), QPoint(2, 7));
    QCOMPARE(text(2, 6), std::string("7.00"));

    pressKey(Qt::Key_Backtab);
    pressKey(Qt::Key_Enter); // not editing: Enter moves down too
    pressKey(Qt::Key_Right);
    pressKey(Qt::Key_Right);
    QCOMPARE(cursor(), QPoint(3, 8));

    // In a text cell the arrows end the edit and move.
    typeKeys(QStringLiteral("a"));
    pressKey(Qt::Key_Down);
    QCOMPARE(cursor(), QPoint(3, 9));
    QCOMPARE(text(3, 8), std::string("A"));

    grid_->sheet().SetInteger(5, 6, 14);
    grid_->refresh();
    type(3, 8, QStringLiteral("sw"), Qt::Key_Escape);
    QTRY_COMPARE(editing(), false);
    QCOMPARE(text(3, 8), std::string("A"));

    QSignalSpy changed(grid_, &CSpreadSheet::CellChanged);
    QSignalSpy blocks(grid_, &CSpreadSheet::blockChanged);
    pressKey(Qt::Key_Delete);
    QCOMPARE(text(3, 8), std::string());
    QCOMPARE(changed.count(), 1); // clearing one cell is an edit of that cell

    select(*grid_, 1, 2, 5, 6);
    pressKey(Qt::Key_Delete);
    QCOMPARE(text(5, 6), std::string());
    QCOMPARE(text(1, 2), std::string("Stand Name"));
    QCOMPARE(blocks.count(), 2);
    QCOMPARE(blocks[1], (QList<QVariant>{1, 2, 5, 6}));
    QCOMPARE(changed.count(), 1);
}

void SpreadSheetTest::cellChangedFollowsTypedEditsOnly() {
    QSignalSpy changed(grid_, &CSpreadSheet::CellChanged);
    grid_->sheet().SetInteger(5, 7, 20);
    grid_->refresh();
    grid_->model()->setData(cellIndex(*grid_, 5, 8), QStringLiteral("10"));
    QCOMPARE(changed.count(), 0);

    type(5, 6, QStringLiteral("8"));
    QTRY_COMPARE(changed.count(), 1);
    QCOMPARE(changed[0], (QList<QVariant>{5, 6}));

    // Ending an edit without a change raises nothing.
    type(5, 7, QString(), Qt::Key_F2);
    pressKey(Qt::Key_Enter);
    QTRY_COMPARE(editing(), false);
    QCOMPARE(changed.count(), 1);
}

// Copy writes tab-separated text and HTML; Paste fills from the cursor what each cell takes and
// counts the rest; Cut clears values but not labels; a read-only grid neither cuts nor pastes.
void SpreadSheetTest::clipboard() {
    timbra::Sheet& s = grid_->sheet();
    s.SetText(3, 6, "YLP");
    s.SetText(4, 6, "Desirable");
    s.SetText(3, 7, "SUM");
    s.SetText(4, 7, "Acceptable");
    grid_->refresh();
    select(*grid_, 3, 6, 4, 7);
    grid_->DoAction(CSpreadSheet::CopyAction);
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    QCOMPARE(mime->text(), QStringLiteral("YLP\tDesirable\nSUM\tAcceptable\n"));
    QVERIFY2(mime->html().contains(QStringLiteral("<td>SUM</td><td>Acceptable</td>")),
             qPrintable(mime->html()));

    QSignalSpy blocks(grid_, &CSpreadSheet::blockChanged);
    QSignalSpy changed(grid_, &CSpreadSheet::CellChanged);
    select(*grid_, 3, 10, 3, 10);
    grid_->DoAction(CSpreadSheet::PasteAction);
    QCOMPARE(text(3, 11) + '|' + text(4, 10), "SUM|Desirable");
    QCOMPARE(blocks.count(), 1);
    QCOMPARE(blocks[0], (QList<QVariant>{3, 10, 4, 11}));
    QCOMPARE(changed.count(), 0); // a paste is not a typed edit
    QCOMPARE(prompter_->messages.size(), 0);

    // Text from another spreadsheet, with CRLF rows; a DBH of 5 does not fit its cell.
    s.SetInteger(5, 13, 20);
    QGuiApplication::clipboard()->setText(QStringLiteral("ylp\tdesirable\t5\r\nswg\tacceptable\t12\r\n"));
    select(*grid_, 3, 12, 3, 12);
    grid_->DoAction(CSpreadSheet::PasteAction);
    QCOMPARE(text(3, 12) + '|' + text(5, 12) + '|' + text(5, 13), "YLP||12");
    QCOMPARE(prompter_->messages.size(), 1);
    QCOMPARE(prompter_->messages[0].caption, QStringLiteral("Timbra"));
    QCOMPARE(prompter_->messages[0].text,
             QStringLiteral(
                 "1 pasted value does not fit its cell and was left out; that cell keeps what it held."));
    // A grade of 4 and a vigor of "4" do not fit either.
    QGuiApplication::clipboard()->setText(QStringLiteral("4\t4\r\n"));
    select(*grid_, 7, 29, 7, 30);
    grid_->DoAction(CSpreadSheet::PasteAction);
    QCOMPARE(prompter_->messages.size(), 2);
    QVERIFY2(prompter_->messages[1].text.startsWith(QStringLiteral("2 pasted values")),
             qPrintable(prompter_->messages[1].text));
    // Rows past the last row and a NUL are told as what they are, not as values that do not fit.
    QGuiApplication::clipboard()->setText(QStringLiteral("desirable\t8\n") + QChar(0) +
                                          QStringLiteral("x\t8\nacceptable\t10\n"));
    select(*grid_, 4, 29, 4, 29);
    grid_->DoAction(CSpreadSheet::PasteAction);
    QCOMPARE(text(4, 29) + '|' + text(5, 30), "Desirable|8");
    QCOMPARE(prompter_->messages.size(), 3);
    QCOMPARE(
        prompter_->messages[2].text,
        QStringLiteral("The paste ran past row 30, the last row of the grid; 1 pasted row was left out.\n"
                       "1 pasted value holds a control character, which no cell takes, and was left out; "
                       "that cell keeps what it held."));

    s.SetText(3, 2, "Oak flat");
    select(*grid_, 1, 2, 3, 2);
    grid_->DoAction(CSpreadSheet::CutAction);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Stand Name\t\tOak flat\n"));
    QCOMPARE(text(3, 2) + '|' + text(1, 2), "|Stand Name");
    QCOMPARE(grid_->model()->data(cellIndex(*grid_, 3, 2)).toString(), QString());

    s.SetText(3, 2, "Oak bottom");
    grid_->setReadOnly(true);
    grid_->DoAction(CSpreadSheet::CutAction);
    grid_->DoAction(CSpreadSheet::PasteAction);
    QCOMPARE(text(3, 2), std::string("Oak bottom"));
}

// The cells' texts of the print range, headings on every page, hidden rows left out, wide sheets
// scaled to the page width.
void SpreadSheetTest::printsTheCellTextsOfTheRange() {
    timbra::Sheet s = smallTally(300);
    for (int r = 6; r <= 300; ++r)
        s.SetText(3, r, r == 300 ? "LAST" : "YLP");
    s.SetText(3, 2, "Oak bottom");
    s.SetText(10, 6, "Cutting Stock");
    s.SetText(3, 20, "SWG");
    s.SetText(1, 1, "Hidden row");
    s.SetRowHeight(1, 0);
    grid_->setSheet(std::move(s));

    const QString whole = dir_.filePath(QStringLiteral("whole.pdf"));
    QPrinter printer;
    pdfOutput(printer, whole);
    QString error;
    QVERIFY2(grid_->printTo(printer, &error), qPrintable(error));
    QCOMPARE(hiddenFiles(dir_.path()), QStringList());
    const QString text = pdfText(whole);
    if (text.isEmpty()) QSKIP("pdftotext is not installed");
    for (const char* expected : {"Stand Name", "Oak bottom", "Cutting Stock", "SWG"})
        QVERIFY2(text.contains(QLatin1String(expected)), expected);
    QVERIFY(!text.contains(QStringLiteral("Hidden row")));
    QStringList pages = text.split(QChar(u'\f'));
    pages.removeAll(QString());
    QVERIFY2(pages.size() >= 3, qPrintable(QString::number(pages.size())));
    for (const QString& p : pages)
        QVERIFY(p.contains(QStringLiteral("Crown Class")));
    QVERIFY(pages.last().contains(QStringLiteral("LAST")) && pages.last().contains(QStringLiteral("300")));

    // Block of rows 1 to 8: the far corner counts without block mode.
    grid_->SetPrintRange(1);
    grid_->sheet().SetCol(1);
    grid_->sheet().SetRow(1);
    grid_->sheet().SetCol2(10);
    grid_->sheet().SetRow2(8);
    const QString block = dir_.filePath(QStringLiteral("block.pdf"));
    pdfOutput(printer, block);
    QVERIFY2(grid_->printTo(printer, &error), qPrintable(error));
    const QString blockText = pdfText(block);
    QVERIFY(blockText.contains(QStringLiteral("Cutting Stock")) &&
            !blockText.contains(QStringLiteral("SWG")));
    QCOMPARE(grid_->sheet().GetBlockMode(), false);

    timbra::Sheet report(11, 44);
    report.SetColWidth(1, 13);
    report.SetColWidth(11, 35);
    QImage page(800, 1000, QImage::Format_RGB32);
    QVERIFY(SheetPrintLayout(report, {1, 1, 11, 44}, QFont(), page, QSizeF(400, 1000)).scale() < 1.0);
    QCOMPARE(SheetPrintLayout(report, {1, 1, 2, 44}, QFont(), page, QSizeF(800, 1000)).scale(), 1.0);
}

void SpreadSheetTest::printFailuresAndCancels() {
    TestPrompter& prompter = *prompter_;
    grid_->DoAction(CSpreadSheet::PrintAction); // the user cancels the print dialog
    QCOMPARE(prompter.printRequests, 1);
    prompter.pdfPath = dir_.filePath(QStringLiteral("printed.pdf"));
    grid_->PrintSheet();
    QVERIFY(QFile::exists(prompter.pdfPath));
    QCOMPARE(prompter.messages.size(), 0);

    prompter.pdfPath = dir_.filePath(QStringLiteral("no-such-folder/printed.pdf"));
    grid_->PrintSheet();
    QCOMPARE(prompter.messages.size(), 1);
    QCOMPARE(prompter.messages[0].caption, QStringLiteral("Timbra"));
    QCOMPARE(prompter.messages[0].text,
             QStringLiteral("The print was not saved. Cannot save \"%1\": No such file or directory.")
                 .arg(prompter.pdfPath));

    // The silent fallback of a default printer without a print server: PDF without a file.
    QPrinter printer;
    pdfOutput(printer, QString());
    QString error;
    QCOMPARE(grid_->printTo(printer, &error), false);
    QCOMPARE(error, QStringLiteral("No printer is available, and no file was chosen to print to."));

    // Cancelled in the progress box: the older file at that name survives, no other file is left.
    grid_->setSheet(smallTally(300));
    grid_->SetPrintAbortText(QStringLiteral("Printing - Click Cancel to quit"));
    const QString path = dir_.filePath(QStringLiteral("cancelled.pdf"));
    QFile older(path);
    QVERIFY(older.open(QIODevice::WriteOnly));
    older.write("older print");
    older.close();
    QString shownText;
    QTimer::singleShot(0, grid_, [&] {
        auto* progress = grid_->findChild<QProgressDialog*>();
        QVERIFY(progress);
        shownText = progress->labelText();
        progress->cancel();
    });
    prompter.pdfPath = path;
    grid_->PrintSheet(); // a cancel is the user's choice: nothing to tell
    QCOMPARE(prompter.messages.size(), 1);
    QCOMPARE(shownText, QStringLiteral("Printing - Click Cancel to quit"));
    QCOMPARE(hiddenFiles(dir_.path()), QStringList());
    QVERIFY(older.open(QIODevice::ReadOnly));
    QCOMPARE(older.readAll(), QByteArray("older print"));
}

QTEST_MAIN(SpreadSheetTest)
#include "spreadsheet_test.moc"
