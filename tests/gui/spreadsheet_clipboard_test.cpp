// Copy, Cut and Paste of the grid through the system clipboard, as tab-separated text.
#include "input_test_prompter.h"
#include "spreadsheet_test_sheet.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QSignalSpy>
#include <QtTest>

class SpreadSheetClipboardTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void copiedBlockPastesElsewhere();
    void pasteWritesWhatFitsAndCountsTheRest();
    void cutClearsValuesButNotLabels();

private:
    void select(CSpreadSheet& grid, int col1, int row1, int col2, int row2);
};

void SpreadSheetClipboardTest::init() {
    QGuiApplication::clipboard()->clear();
}

void SpreadSheetClipboardTest::select(CSpreadSheet& grid, int col1, int row1, int col2, int row2) {
    grid.setCurrentIndex(cellIndex(grid, col1, row1));
    grid.selectionModel()->select(QItemSelection(cellIndex(grid, col1, row1), cellIndex(grid, col2, row2)),
                                  QItemSelectionModel::ClearAndSelect);
}

void SpreadSheetClipboardTest::copiedBlockPastesElsewhere() {
    TestPrompter prompter;
    CSpreadSheet grid;
    timbra::Sheet s = smallTally();
    s.SetText(3, 6, "YLP");
    s.SetText(4, 6, "Desirable");
    s.SetText(3, 7, "SUM");
    s.SetText(4, 7, "Acceptable");
    grid.setSheet(std::move(s));

    select(grid, 3, 6, 4, 7);
    grid.DoAction(CSpreadSheet::CopyAction);
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    QCOMPARE(mime->text(), QStringLiteral("YLP\tDesirable\nSUM\tAcceptable\n"));
    QVERIFY2(mime->html().contains(QStringLiteral("<td>SUM</td><td>Acceptable</td>")),
             qPrintable(mime->html()));

    QSignalSpy blocks(&grid, &CSpreadSheet::blockChanged);
    QSignalSpy changed(&grid, &CSpreadSheet::CellChanged);
    select(grid, 3, 10, 3, 10);
    grid.DoAction(CSpreadSheet::PasteAction);
    QCOMPARE(grid.sheet().GetText(3, 11), std::string("SUM"));
    QCOMPARE(grid.sheet().GetText(4, 10), std::string("Desirable"));
    QCOMPARE(blocks.count(), 1);
    QCOMPARE(blocks[0], (QList<QVariant>{3, 10, 4, 11}));
    QCOMPARE(changed.count(), 0); // a paste is not a typed edit
    QCOMPARE(prompter.messages.size(), 0);
}

void SpreadSheetClipboardTest::pasteWritesWhatFitsAndCountsTheRest() {
    TestPrompter prompter;
    CSpreadSheet grid;
    grid.setSheet(smallTally());
    grid.sheet().SetInteger(5, 7, 20);
    // Text from another spreadsheet, with CRLF rows; a DBH of 5 does not fit its cell.
    QGuiApplication::clipboard()->setText(QStringLiteral("ylp\tdesirable\t5\r\nswg\tacceptable\t12\r\n"));
    select(grid, 3, 6, 3, 6);
    grid.DoAction(CSpreadSheet::PasteAction);
    QCOMPARE(grid.sheet().GetText(3, 6), std::string("YLP"));
    QCOMPARE(grid.sheet().GetText(4, 6), std::string("Desirable"));
    QCOMPARE(grid.sheet().GetText(5, 6), std::string());
    QCOMPARE(grid.sheet().GetText(5, 7), std::string("12"));
    QCOMPARE(prompter.messages.size(), 1);
    QCOMPARE(prompter.messages[0].caption, QStringLiteral("Timbra"));
    QCOMPARE(prompter.messages[0].text,
             QStringLiteral(
                 "1 pasted value does not fit its cell and was left out; that cell keeps what it held."));

    // A grade of 4 and a vigor of "4" do not fit either.
    QGuiApplication::clipboard()->setText(QStringLiteral("4\t4\r\n"));
    select(grid, 7, 29, 7, 30);
    grid.DoAction(CSpreadSheet::PasteAction);
    QCOMPARE(prompter.messages.size(), 2);
    QVERIFY2(prompter.messages[1].text.startsWith(QStringLiteral("2 pasted values")),
             qPrintable(prompter.messages[1].text));
}

void SpreadSheetClipboardTest::cutClearsValuesButNotLabels() {
    TestPrompter prompter;
    CSpreadSheet grid;
    grid.setSheet(smallTally());
    grid.sheet().SetText(3, 2, "Oak flat");
    select(grid, 1, 2, 3, 2);
    grid.DoAction(CSpreadSheet::CutAction);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Stand Name\t\tOak flat\n"));
    QCOMPARE(grid.sheet().GetText(3, 2), std::string());
    QCOMPARE(grid.sheet().GetText(1, 2), std::string("Stand Name"));
    QCOMPARE(grid.model()->data(cellIndex(grid, 3, 2)).toString(), QString());

    // A read-only grid copies but neither cuts nor pastes.
    grid.sheet().SetText(3, 2, "Oak bottom");
    grid.setReadOnly(true);
    grid.DoAction(CSpreadSheet::CutAction);
    grid.DoAction(CSpreadSheet::PasteAction);
    QCOMPARE(grid.sheet().GetText(3, 2), std::string("Oak bottom"));
}

QTEST_MAIN(SpreadSheetClipboardTest)
#include "spreadsheet_clipboard_test.moc"
