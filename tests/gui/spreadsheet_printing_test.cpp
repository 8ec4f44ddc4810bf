// Printing the grid: PDF output with the cells' texts, headings on every page, the print range,
// scaling, and the reasons a print did not happen.
#include "grid/SheetPrintLayout.h"
#include "input_test_prompter.h"
#include "spreadsheet_test_sheet.h"

#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

// The text of a PDF, pages separated by form feeds; empty when pdftotext is missing.
QString pdfText(const QString& path) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty()) return {};
    QProcess process;
    process.start(tool, {QStringLiteral("-layout"), path, QStringLiteral("-")});
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

void pdfOutput(QPrinter& printer, const QString& path) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
}

} // namespace

class SpreadSheetPrintingTest : public QObject {
    Q_OBJECT
private slots:
    void printsTheCellTextsOfTheRange();
    void longSheetsRepeatTheHeadingsOnEveryPage();
    void wideSheetsAreScaledToThePageWidth();
    void cancelledPrintsLeaveNoFile();
    void printSheetAsksForAPrinterAndSaysWhyAPrintFailed();

private:
    QTemporaryDir dir_;
};

void SpreadSheetPrintingTest::printsTheCellTextsOfTheRange() {
    CSpreadSheet grid;
    timbra::Sheet s = smallTally();
    s.SetText(3, 2, "Oak bottom");
    s.SetText(3, 6, "YLP");
    s.SetText(10, 6, "Cutting Stock");
    s.SetText(3, 20, "SWG");
    s.SetText(1, 1, "Hidden row");
    s.SetRowHeight(1, 0);
    grid.setSheet(std::move(s));

    // Whole sheet.
    const QString whole = dir_.filePath(QStringLiteral("whole.pdf"));
    QPrinter printer;
    pdfOutput(printer, whole);
    QString error;
    QVERIFY2(grid.printTo(printer, &error), qPrintable(error));
    QVERIFY(QFile::exists(whole));
    QVERIFY(!QFile::exists(whole + QStringLiteral(".part")));
    QCOMPARE(printer.outputFileName(), whole);
    const QString text = pdfText(whole);
    if (text.isEmpty()) QSKIP("pdftotext is not installed");
    for (const char* expected : {"Species Class", "Stand Name", "Oak bottom", "YLP", "Cutting Stock", "SWG"})
        QVERIFY2(text.contains(QLatin1String(expected)), expected);
    QVERIFY(!text.contains(QStringLiteral("Hidden row")));

    // Block of rows 1 to 8: the far corner counts without block mode.
    grid.SetPrintRange(1);
    grid.sheet().SetCol(1);
    grid.sheet().SetRow(1);
    grid.sheet().SetCol2(10);
    grid.sheet().SetRow2(8);
    const QString block = dir_.filePath(QStringLiteral("block.pdf"));
    pdfOutput(printer, block);
    QVERIFY2(grid.printTo(printer, &error), qPrintable(error));
    const QString blockText = pdfText(block);
    QVERIFY(blockText.contains(QStringLiteral("Cutting Stock")));
    QVERIFY(!blockText.contains(QStringLiteral("SWG")));
    QCOMPARE(grid.sheet().GetBlockMode(), false);
}

void SpreadSheetPrintingTest::longSheetsRepeatTheHeadingsOnEveryPage() {
    CSpreadSheet grid;
    timbra::Sheet s = smallTally(300);
    for (int r = 6; r <= 300; ++r)
        s.SetText(3, r, r == 300 ? "LAST" : "YLP");
    grid.setSheet(std::move(s));
    const QString path = dir_.filePath(QStringLiteral("long.pdf"));
    QPrinter printer;
    pdfOutput(printer, path);
    QString error;
    QVERIFY2(grid.printTo(printer, &error), qPrintable(error));
    const QString text = pdfText(path);
    if (text.isEmpty()) QSKIP("pdftotext is not installed");
    QStringList pages = text.split(QChar(u'\f'));
    pages.removeAll(QString());
    QVERIFY2(pages.size() >= 3, qPrintable(QString::number(pages.size())));
    for (const QString& page : pages)
        QVERIFY(page.contains(QStringLiteral("Crown Class")));
    QVERIFY(pages.last().contains(QStringLiteral("LAST")));
    QVERIFY(pages.last().contains(QStringLiteral("300")));
}

void SpreadSheetPrintingTest::wideSheetsAreScaledToThePageWidth() {
    timbra::Sheet report(11, 44);
    report.SetColWidth(1, 13);
    report.SetColWidth(11, 35);
    QImage page(800, 1000, QImage::Format_RGB32);
    const QFont font;
    const SheetPrintLayout wide(report, {1, 1, 11, 44}, font, page, QSizeF(400, 1000));
    QVERIFY(wide.scale() < 1.0);
    QCOMPARE(SheetPrintLayout(report, {1, 1, 2, 44}, font, page, QSizeF(800, 1000)).scale(), 1.0);
}

void SpreadSheetPrintingTest::cancelledPrintsLeaveNoFile() {
    CSpreadSheet grid;
    grid.setSheet(smallTally(300));
    grid.SetPrintAbortText(QStringLiteral("Printing - Click Cancel to quit"));
    const QString path = dir_.filePath(QStringLiteral("cancelled.pdf"));
    {
        QFile older(path);
        QVERIFY(older.open(QIODevice::WriteOnly));
        older.write("older print");
    }
    QString shownText;
    QTimer::singleShot(0, &grid, [&] {
        auto* progress = grid.findChild<QProgressDialog*>();
        QVERIFY(progress);
        shownText = progress->labelText();
        progress->cancel();
    });
    QPrinter printer;
    pdfOutput(printer, path);
    QString error;
    QCOMPARE(grid.printTo(printer, &error), false);
    QCOMPARE(error, QStringLiteral("The print was cancelled."));
    QCOMPARE(shownText, QStringLiteral("Printing - Click Cancel to quit"));
    QVERIFY(!QFile::exists(path + QStringLiteral(".part")));
    QFile older(path);
    QVERIFY(older.open(QIODevice::ReadOnly));
    QCOMPARE(older.readAll(), QByteArray("older print"));
}

void SpreadSheetPrintingTest::printSheetAsksForAPrinterAndSaysWhyAPrintFailed() {
    TestPrompter prompter;
    CSpreadSheet grid;
    grid.setSheet(smallTally());

    grid.DoAction(CSpreadSheet::PrintAction); // the user cancels the print dialog
    QCOMPARE(prompter.printRequests, 1);
    QCOMPARE(prompter.messages.size(), 0);

    prompter.pdfPath = dir_.filePath(QStringLiteral("printed.pdf"));
    grid.PrintSheet();
    QVERIFY(QFile::exists(prompter.pdfPath));
    QCOMPARE(prompter.messages.size(), 0);

    // QPainter::begin refuses a file it cannot create.
    prompter.pdfPath = dir_.filePath(QStringLiteral("no-such-folder/printed.pdf"));
    grid.PrintSheet();
    QCOMPARE(prompter.messages.size(), 1);
    QCOMPARE(prompter.messages[0].caption, QStringLiteral("Timbra"));
    QCOMPARE(prompter.messages[0].text,
             QStringLiteral("The file \"%1\" could not be written.").arg(prompter.pdfPath));

    // The silent fallback of a default printer without a print server: PDF without a file.
    QPrinter printer;
    pdfOutput(printer, QString());
    QString error;
    QCOMPARE(grid.printTo(printer, &error), false);
    QCOMPARE(error, QStringLiteral("No printer is available, and no file was chosen to print to."));
}

QTEST_MAIN(SpreadSheetPrintingTest)
#include "spreadsheet_printing_test.moc"
