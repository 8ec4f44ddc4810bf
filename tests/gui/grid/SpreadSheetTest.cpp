// The grid over the upland tally, cut short: the model and its signals, painting, typing and the
// keys, the clipboard and printing.
#include "gui/GuiTestSupport.h"
#include "gui/grid/CellLook.h"

#include <QAbstractItemModelTester>

namespace {

using Keys = QList<int>; // Qt::Key values

timbra::Sheet tally(int rows = 30) {
    timbra::Sheet s = timbra::timbraProfile().loadTallyGrid();
    s.SetMaxRows(rows);
    s.SetCol(1); // "Stand Name", a label
    s.SetRow(2);
    s.SetCellType(timbra::Sheet::StaticTextType);
    return s;
}

// The grid's model index of cell (col, row), both from 1.
QModelIndex cellIndex(const CSpreadSheet& grid, int col, int row) {
    return grid.model()->index(row - 1, col - 1);
}

// The signal arguments a spy caught, one string per signal.
QStringList caught(const QSignalSpy& spy) {
    QStringList all;
    for (const QList<QVariant>& arguments : spy)
        all << QVariant(arguments).toStringList().join(',');
    return all;
}

// Keys into whatever has the focus: the grid, or the editor it opened.
void press(const QString& text, const Keys& keys = {}) {
    for (const QChar ch : text)
        QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
    for (const int key : keys)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
}

// Typed characters with named keys between them: "2,5{Down}", "{F2}x{Left}y{Enter}".
void type(const QString& keys) {
    static const QHash<QString, int> named{
        {"Enter", Qt::Key_Enter}, {"Tab", Qt::Key_Tab},       {"F2", Qt::Key_F2},
        {"Up", Qt::Key_Up},       {"Down", Qt::Key_Down},     {"Left", Qt::Key_Left},
        {"Right", Qt::Key_Right}, {"PgDn", Qt::Key_PageDown}, {"PgUp", Qt::Key_PageUp}};
    for (int i = 0; i < keys.size(); ++i) {
        if (keys[i] != '{') {
            press(keys[i]);
            continue;
        }
        const int end = int(keys.indexOf('}', i));
        QVERIFY2(named.contains(keys.mid(i + 1, end - i - 1)), qPrintable(keys));
        press("", {named[keys.mid(i + 1, end - i - 1)]});
        i = end;
    }
}

} // namespace

class SpreadSheetTest : public QObject {
    Q_OBJECT
    CSpreadSheet* grid_ = nullptr;
    QTemporaryDir dir_;
    std::unique_ptr<TestPrompter> prompter_;
    std::unique_ptr<QAbstractItemModelTester> modelTester_; // checks the model's signals all along

    // The sheet's texts of cells, joined by '|'.
    QString cells(std::initializer_list<QPoint> at) const {
        QStringList texts;
        for (const QPoint cell : at)
            texts << QString::fromStdString(grid_->sheet().GetText(cell.x(), cell.y()));
        return texts.join('|');
    }
    QPoint cursor() const { return {grid_->currentIndex().column() + 1, grid_->currentIndex().row() + 1}; }
    bool editing() const { return QApplication::focusWidget() != grid_; } // an open editor has the focus
    void select(int col1, int row1, int col2, int row2) {
        grid_->setCurrentIndex(cellIndex(*grid_, col1, row1));
        grid_->selectionModel()->select(
            QItemSelection(cellIndex(*grid_, col1, row1), cellIndex(*grid_, col2, row2)),
            QItemSelectionModel::ClearAndSelect);
    }

private slots:
    void init() {
        QGuiApplication::clipboard()->clear();
        prompter_ = std::make_unique<TestPrompter>();
        grid_ = new CSpreadSheet;
        grid_->setSheet(tally());
        modelTester_ = std::make_unique<QAbstractItemModelTester>(
            grid_->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        grid_->resize(900, 500);
        grid_->show();
        grid_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(grid_));
        grid_->setFocus();
    }
    void cleanup() {
        modelTester_.reset();
        delete grid_;
        prompter_.reset();
    }

    // A text running on into blank cells is not crossed by their grid lines; every other cell side is.
    void gridLinesStopAtTextsThatRunOn() {
        timbra::Sheet s(3, 2);
        s.SetText(1, 1, std::string(40, 'W'));
        s.SetText(1, 2, "W");
        CSpreadSheet& grid = *grid_;
        grid.setSheet(std::move(s));
        grid.setCurrentIndex({});
        const QImage shot = grid.viewport()->grab().toImage();
        // Pixels of the line right of column A, within a row, that have the grid's colour.
        const int x = grid.columnViewportPosition(1) - 1;
        const QColor line = shot.pixelColor(x, grid.rowViewportPosition(1));
        const auto linePixels = [&](int row) {
            int count = 0;
            for (int y = 0; y < grid.rowHeight(row) - 1; ++y)
                count += shot.pixelColor(x, grid.rowViewportPosition(row) + y) == line;
            return count;
        };
        QCOMPARE(linePixels(1), grid.rowHeight(1) - 1);
        QVERIFY2(linePixels(0) < grid.rowHeight(0) / 2, qPrintable(QString::number(linePixels(0))));
    }

    // At the opening size the tally's captions and list items show whole: a caption within its cell
    // and the blank cells it runs on into that take no entry, a list item within its cell. A column
    // the user widens by its heading's edge keeps that width when the grid shows the sheet again.
    void columnsShowTheirTexts() {
        for (const timbra::ProgramProfile* profile :
             {&timbra::timbraProfile(), &timbra::lowtimbraProfile()}) {
            CSpreadSheet grid;
            grid.setSheet(profile->loadTallyGrid());
            const double padding = 2 * CellTextPadding * grid.logicalDpiX() / 96.0;
            const auto shows = [&](int col, int cols, const QString& text, bool bold) {
                QFont font = grid.font();
                font.setBold(bold);
                int room = 0;
                for (int c = col; c < col + cols; ++c)
                    room += grid.columnWidth(c - 1);
                return QFontMetricsF(font, &grid).horizontalAdvance(text) + padding <= room;
            };
            const struct {
                int col, cols;
                const char* text;
                bool bold;
            } texts[] = {{1, 2, "Stand Location", false},  {7, 1, "Plot Size", false},
                         {8, 1, "Fifth acre", false},      {8, 1, "Quarter acre", false},
                         {9, 1, "Number of Plots", false}, {4, 1, "Species Class", true},
                         {9, 1, "Crown Class", true},      {4, 1, "Unacceptable", false},
                         {9, 1, "Intermediate", false},    {10, 1, "Cutting Stock", false}};
            for (const auto& t : texts)
                QVERIFY2(shows(t.col, t.cols, t.text, t.bold), t.text);
        }
        grid_->horizontalHeader()->resizeSection(8, 260);
        emit grid_->horizontalHeader()->sectionHandleDoubleClicked(9); // fits column J
        const int fitted = grid_->columnWidth(9);
        grid_->refresh();
        QCOMPARE(grid_->columnWidth(8), 260);
        QCOMPARE(grid_->columnWidth(9), fitted);
    }

    // A write the editor refuses never reaches the sheet, and a write by the model is no typed edit
    // (the form is the editor's); a mark shows and says why until the cell holds acceptable text.
    void refusedWritesAndMarks() {
        QAbstractItemModel* m = grid_->model();
        QSignalSpy changed(grid_, &CSpreadSheet::CellChanged);
        QVERIFY(!m->setData(cellIndex(*grid_, 5, 6), "5") && m->setData(cellIndex(*grid_, 10, 6), "reserve"));
        QCOMPARE(cells({{5, 6}, {10, 6}}) + QString::number(changed.count()), "|Reserve0");
        grid_->sheet().SetText(5, 6, "5");
        grid_->sheet().SetText(4, 7, "Codominant");
        grid_->markCells({{5, 6}, {4, 7}, {99, 99}});
        QVERIFY(grid_->isMarked(5, 6) && grid_->isMarked(4, 7) && !grid_->isMarked(99, 99));
        QCOMPARE(m->data(cellIndex(*grid_, 5, 6), Qt::BackgroundRole).value<QColor>(), markedBackground());
        QCOMPARE(m->data(cellIndex(*grid_, 5, 6), Qt::ToolTipRole).toString(),
                 "Not accepted here: this cell takes a whole number from 6 to 40.");
        QVERIFY(m->setData(cellIndex(*grid_, 5, 6), "8") &&
                !grid_->isMarked(5, 6));   // an edit clears its mark
        grid_->sheet().SetText(4, 7, " "); // code clears one at the next refresh
        grid_->refresh();
        QCOMPARE(grid_->isMarked(4, 7), false);
    }

    // Keys typed over a cell: what the cell holds after, where the cursor is and how often the user
    // was told why a key or an edit was refused (a key the cell can never take is dropped and told
    // as a refused edit is). The arrows and page keys commit and move in every kind of cell and never
    // step a value or an item; Left and Right move the caret only in an edit opened by F2. In a
    // decimal cell a comma is the decimal mark; a whole-number cell refuses it. CellChanged follows
    // typed changes only.
    void typing_data() {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QPoint>("cursorAfter");
        QTest::addColumn<int>("told");
        QTest::newRow("text: letters, upper-cased, four") << QPoint(3, 6) << "su1mqx{Enter}"
                                                          << "SUMQ" << QPoint(3, 7) << 2;
        QTest::newRow("text: Left moves") << QPoint(3, 6) << "ab{Left}"
                                          << "AB" << QPoint(2, 6) << 0;
        QTest::newRow("text by F2: Left is the caret's") << QPoint(3, 6) << "{F2}x{Left}y{Enter}"
                                                         << "YX" << QPoint(3, 7) << 0;
        QTest::newRow("list item by letter") << QPoint(9, 6) << "c{Tab}"
                                             << "Co-dominant" << QPoint(10, 6) << 0;
        QTest::newRow("list left unchosen") << QPoint(4, 6) << "{F2}{Enter}"
                                            << " " << QPoint(4, 7) << 0;
        QTest::newRow("list: Down moves, never steps") << QPoint(9, 7) << "{F2}{Down}"
                                                       << "" << QPoint(9, 8) << 0;
        QTest::newRow("list: Right moves") << QPoint(9, 6) << "s{Right}"
                                           << "Suppressed" << QPoint(10, 6) << 0;
        QTest::newRow("list: a key in no item") << QPoint(9, 6) << "z{Enter}"
                                                << "" << QPoint(9, 7) << 1;
        QTest::newRow("DBH 18, Down moves") << QPoint(5, 6) << "18{Down}"
                                            << "18" << QPoint(5, 7) << 0;
        QTest::newRow("DBH by F2: Up moves") << QPoint(5, 8) << "{F2}{Up}"
                                             << "8" << QPoint(5, 7) << 0;
        QTest::newRow("DBH 20, Right moves") << QPoint(5, 6) << "20{Right}"
                                             << "20" << QPoint(6, 6) << 0;
        QTest::newRow("DBH 5 never fits") << QPoint(5, 7) << "5{Enter}"
                                          << "12" << QPoint(5, 8) << 1;
        QTest::newRow("DBH 0 never fits") << QPoint(5, 7) << "0{Enter}"
                                          << "12" << QPoint(5, 8) << 1;
        QTest::newRow("DBH refuses a comma") << QPoint(5, 6) << "18,5{Enter}"
                                             << "18" << QPoint(5, 7) << 2;
        QTest::newRow("empty row's 0 left") << QPoint(5, 6) << "{F2}{Tab}"
                                            << "0" << QPoint(6, 6) << 0;
        QTest::newRow("plots 3, Down moves") << QPoint(1, 6) << "3{Down}"
                                             << "3" << QPoint(1, 7) << 0;
        QTest::newRow("number of plots 0") << QPoint(10, 2) << "0{Enter}"
                                           << "" << QPoint(10, 3) << 1;
        QTest::newRow("grade 0") << QPoint(7, 6) << "0{Left}"
                                 << "" << QPoint(6, 6) << 1;
        QTest::newRow("height 2,5") << QPoint(6, 6) << "2,5{Enter}"
                                    << "2.5" << QPoint(6, 7) << 0;
        QTest::newRow("height 3,5, Up moves") << QPoint(6, 7) << "3,5{Up}"
                                              << "3.5" << QPoint(6, 6) << 0;
        QTest::newRow("height above its most") << QPoint(6, 6) << "4{Enter}"
                                               << "" << QPoint(6, 7) << 1;
        QTest::newRow("tree number 1,5") << QPoint(2, 6) << "1,5{Tab}"
                                         << "1.50" << QPoint(3, 6) << 0;
    }
    void typing() {
        QFETCH(QPoint, at);
        QFETCH(QString, keys);
        QFETCH(QString, expected);
        QFETCH(QPoint, cursorAfter);
        QFETCH(int, told);
        timbra::Sheet& s = grid_->sheet();
        s.SetText(4, 6, " ");
        for (const auto& [row, dbh] : {std::pair{6, 0}, {7, 12}, {8, 8}})
            s.SetInteger(5, row, dbh);
        grid_->refresh();
        const QString before = cells({at});
        QSignalSpy refusals(grid_, &CSpreadSheet::editRefused);
        QSignalSpy changed(grid_, &CSpreadSheet::CellChanged);
        grid_->SetActiveCell(at.x(), at.y());
        type(keys);
        QTRY_COMPARE(editing(), false);
        QTRY_COMPARE(cells({at}), expected);
        QCOMPARE(cursor(), cursorAfter);
        const QString reason = refusalText(s.editorAt(at.x(), at.y()));
        QCOMPARE(caught(refusals),
                 QStringList(told, QString("%1,%2,%3").arg(at.x()).arg(at.y()).arg(reason)));
        QCOMPARE(caught(changed).value(0, "none"),
                 before == expected ? "none" : QString("%1,%2").arg(at.x()).arg(at.y()));
    }

    // The wheel over an open editor scrolls the grid and leaves the value alone; the page keys commit
    // and move a page.
    void wheelScrollsAndPageKeysMove() {
        grid_->sheet().SetInteger(5, 7, 12);
        grid_->refresh();
        grid_->SetActiveCell(5, 7);
        type("{F2}");
        QWidget* editor = QApplication::focusWidget();
        QVERIFY(editing());
        const QPoint middle = editor->rect().center();
        for (const int delta : {-120, 120, -120}) {
            QWheelEvent wheel(middle, editor->mapToGlobal(middle), {}, {0, delta}, Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(editor, &wheel);
        }
        QVERIFY(grid_->verticalScrollBar()->value() > 0);
        type("{Enter}");
        QTRY_COMPARE(editing(), false);
        QCOMPARE(cells({{5, 7}}), "12");
        grid_->SetActiveCell(5, 9);
        type("14{PgDn}");
        QTRY_COMPARE(cells({{5, 9}}), "14");
        QVERIFY2(cursor().x() == 5 && cursor().y() > 12, qPrintable(QString::number(cursor().y())));
        type("{F2}{PgUp}");
        QVERIFY2(!editing() && cursor().y() < 12, qPrintable(QString::number(cursor().y())));
    }

    // "1" could still become 16, so it is kept while typing; Tab refuses it, says why, and leaves
    // the editor open until the user mends or abandons the value.
    void refusedEditStaysOpenAndSaysWhy() {
        QSignalSpy refusals(grid_, &CSpreadSheet::editRefused);
        grid_->SetActiveCell(5, 6);
        press("1", {Qt::Key_Tab});
        QCOMPARE(editing(), true);
        QCOMPARE(caught(refusals),
                 QStringList{"5,6,Not accepted here: this cell takes a whole number from 6 to 40."});
        press("6", {Qt::Key_Enter});
        QTRY_COMPARE(cells({{5, 6}}), "16");
    }

    // Tab and Enter commit and move without opening the next cell; the arrows end a text edit and
    // move; Escape reverts; Delete clears values but not labels, one cell as an edit of that cell.
    void keysMoveEndAndClear() {
        grid_->SetActiveCell(1, 6);
        press("3", {Qt::Key_Tab});
        QTRY_VERIFY(cursor() == QPoint(2, 6) && !editing());
        press("7", {Qt::Key_Enter});
        QTRY_COMPARE(cursor(), QPoint(2, 7));
        press("", {Qt::Key_Enter, Qt::Key_Right}); // not editing: Enter moves down too
        press("a", {Qt::Key_Down});
        QCOMPARE(cursor(), QPoint(3, 9));
        QCOMPARE(cells({{1, 6}, {2, 6}, {3, 8}}), "3|7.00|A");
        grid_->SetActiveCell(3, 8);
        press("sw", {Qt::Key_Escape});
        QTRY_VERIFY(!editing() && cells({{3, 8}}) == "A");

        QSignalSpy changed(grid_, &CSpreadSheet::CellChanged);
        QSignalSpy blocks(grid_, &CSpreadSheet::blockChanged);
        press("", {Qt::Key_Delete});
        select(1, 2, 3, 6);
        press("", {Qt::Key_Delete});
        QCOMPARE(cells({{3, 8}, {1, 6}, {1, 2}}), "||Stand Name");
        QCOMPARE(caught(changed) + caught(blocks), (QStringList{"3,8", "3,8,3,8", "1,2,3,6"}));
    }

    // Copy writes tab-separated text and HTML; Paste fills from the cursor as one block, which is no
    // typed edit, and tells in one message what it left out; Cut clears values but not labels; a
    // read-only grid neither cuts nor pastes.
    void clipboard() {
        timbra::Sheet& s = grid_->sheet();
        s.SetText(3, 6, "YLP");
        s.SetText(4, 6, "Desirable");
        s.SetText(3, 7, "SUM");
        s.SetText(4, 7, "Acceptable");
        select(3, 6, 4, 7);
        grid_->DoAction(CSpreadSheet::CopyAction);
        const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(mime->text(), "YLP\tDesirable\nSUM\tAcceptable\n");
        QVERIFY2(mime->html().contains("<td>SUM</td><td>Acceptable</td>"), qPrintable(mime->html()));
        QSignalSpy blocks(grid_, &CSpreadSheet::blockChanged);
        QSignalSpy changed(grid_, &CSpreadSheet::CellChanged);
        select(3, 10, 3, 10);
        grid_->DoAction(CSpreadSheet::PasteAction);
        QCOMPARE(cells({{3, 11}, {4, 10}}), "SUM|Desirable");
        QCOMPARE(caught(blocks) + caught(changed) + prompter_->messages, QStringList{"3,10,4,11"});

        // A grade and a vigor that do not fit, a value past column J, one with a control character,
        // CRLF rows, a row past the last.
        QGuiApplication::clipboard()->setText(QStringLiteral("4\t4\tdominant\tcull\tx\r\n1\tlow\tx") +
                                              QChar(1) + "\r\n1\r\n");
        select(7, 29, 7, 29);
        grid_->DoAction(CSpreadSheet::PasteAction);
        QCOMPARE(cells({{7, 29}, {9, 29}, {10, 29}, {8, 30}, {9, 30}}), "|Dominant|Cull|Low|");
        QCOMPARE(prompter_->captions + prompter_->messages,
                 (QStringList{"Timbra",
                              "The paste ran past row 30, the last row of the grid; 1 pasted row was left "
                              "out.\nThe paste ran past column J, the last column of the grid; 1 pasted "
                              "value was left out.\n2 pasted values do not fit their cells and were left "
                              "out; those cells keep what they held.\n1 pasted value holds a control "
                              "character, which no cell takes, and was left out; that cell keeps what it "
                              "held."}));

        s.SetText(3, 2, "Oak flat");
        select(1, 2, 3, 2);
        grid_->DoAction(CSpreadSheet::CutAction);
        QCOMPARE(QGuiApplication::clipboard()->text(), "Stand Name\t\tOak flat\n");
        QCOMPARE(cells({{3, 2}, {1, 2}}), "|Stand Name");
        s.SetText(3, 2, "Oak bottom");
        grid_->setReadOnly(true);
        grid_->DoAction(CSpreadSheet::CutAction);
        grid_->DoAction(CSpreadSheet::PasteAction);
        QCOMPARE(cells({{3, 2}}), "Oak bottom");
    }

    // What a paste left out, in the singular and the plural, with the grid's last row and column.
    void pasteMessages_data() {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("told");
        const QString pastRow = "The paste ran past row 30, the last row of the grid; ";
        const QString pastColumn = "The paste ran past column J, the last column of the grid; ";
        QTest::newRow("100,000 rows at A6") << QPoint(1, 6) << QString("1\n").repeated(100000)
                                            << pastRow + "99975 pasted rows were left out.";
        QTest::newRow("one row past") << QPoint(1, 30) << "1\n1\n" << pastRow + "1 pasted row was left out.";
        QTest::newRow("two columns past")
            << QPoint(10, 6) << "x\ty\tz\n"
            << pastColumn + "2 pasted values were left out.\n1 pasted value does "
                            "not fit its cell and was left out; that cell keeps "
                            "what it held.";
        QTest::newRow("refused, control characters")
            << QPoint(3, 6) << "\x01\t\x02\t5\t5\n"
            << "2 pasted values do not fit their cells and were left out; those cells keep what they "
               "held.\n2 "
               "pasted values hold control characters, which no cell takes, and were left out; those cells "
               "keep what they held.";
    }
    void pasteMessages() {
        QFETCH(QPoint, at);
        QFETCH(QString, pasted);
        QFETCH(QString, told);
        QGuiApplication::clipboard()->setText(pasted);
        select(at.x(), at.y(), at.x(), at.y());
        grid_->DoAction(CSpreadSheet::PasteAction);
        QCOMPARE(prompter_->messages, QStringList{told});
    }

    // The cells' texts, headings on every page (and the tally's caption row once), hidden rows left
    // out. A cancelled print dialog prints nothing; a failed save and a printer that silently became
    // a PDF without a file are told; a cancel in the progress box keeps the older file at that name.
    void printing() {
        timbra::Sheet s = tally(300);
        for (int r = 6; r <= 300; ++r)
            s.SetText(3, r, r == 300 ? "LAST" : "YLP");
        s.SetText(10, 6, "Cutting Stock");
        s.SetText(3, 20, "SWG");
        s.SetText(1, 1, "Hidden row");
        s.SetRowHeight(1, 0);
        grid_->setSheet(std::move(s));
        TestPrompter& prompter = *prompter_;
        grid_->DoAction(CSpreadSheet::PrintAction);
        QCOMPARE(prompter.printRequests, 1);
        prompter.pdfPath = dir_.filePath("whole.pdf");
        grid_->PrintSheet();
        prompter.pdfPath = dir_.filePath("no-such-folder/printed.pdf");
        grid_->PrintSheet();
        const QString told = "The print was not saved. Cannot save \"%1\": No such file or directory.";
        QCOMPARE(prompter.messages, QStringList{told.arg(prompter.pdfPath)});
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        QString error;
        QCOMPARE(grid_->printTo(printer, &error), false);
        QCOMPARE(error, "No printer is available, and no file was chosen to print to.");

        grid_->SetPrintAbortText("Printing - Click Cancel to quit");
        QString shownText;
        QTimer::singleShot(0, grid_, [&] {
            auto* progress = grid_->findChild<QProgressDialog*>();
            shownText = progress->labelText();
            progress->cancel();
        });
        prompter.pdfPath = dir_.filePath("whole.pdf");
        grid_->sheet().SetText(3, 20, "NEWER");
        grid_->PrintSheet(); // a cancel is the user's choice: nothing to tell
        QCOMPARE(prompter.messages.size(), 1);
        QCOMPARE(shownText, "Printing - Click Cancel to quit");
        QCOMPARE(QDir(dir_.path()).entryList({".*"}, QDir::Files | QDir::Hidden),
                 QStringList()); // no temporary file

        const QString whole = pdfText(dir_.filePath("whole.pdf")); // the print before the cancel, whole
        if (whole.isEmpty()) QSKIP("pdftotext is not installed");
        QVERIFY(whole.contains("SWG") && !whole.contains("NEWER") && !whole.contains("Hidden row"));
        const QStringList pages = whole.split('\f', Qt::SkipEmptyParts);
        QVERIFY2(pages.size() >= 3 && whole.count("Crown Class") == pages.size() + 1,
                 qPrintable(whole.left(500)));
        QVERIFY(pages.last().contains("LAST") && pages.last().contains("300"));
    }
};

QTEST_MAIN(SpreadSheetTest)
#include "SpreadSheetTest.moc"
