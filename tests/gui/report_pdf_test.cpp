// The command-line tool's report PDF: the filled sheet through the grid's printing, and a file
// that appears whole or not at all.

#include "app/ProgramProfile.h"
#include "report/ReportContent.h"
#include "report/ReportPdf.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

timbra::Sheet filledReport() {
    timbra::StandResults r;
    r.numberOfPlots = 2;
    r.plotValue = {41.25, 36.5};
    r.standValue = 38.9;
    r.cutoffIndex = 35;
    r.objectiveNumber = 2;
    r.decision = "Manage";
    r.standName = "Laurel Fork";
    r.standLocation = "Tract 9";
    r.plotSize = "Fifth acre";
    r.province = "Cumberland";
    r.pctPreferred = 100;
    timbra::Sheet sheet;
    timbra::setUpReportSheet(sheet);
    timbra::fillReport(sheet, r, true);
    return sheet;
}

} // namespace

class ReportPdfTest : public QObject {
    Q_OBJECT
private slots:
    void writesTheWholeReport();
    void failureLeavesNoFileAndKeepsTheOldOne();
};

void ReportPdfTest::writesTheWholeReport() {
    QTemporaryDir dir;
    const QString path = dir.filePath("report.pdf");
    QCOMPARE(writeReportPdf(filledReport(), path.toStdString()), std::string());

    QProcess p;
    p.start("pdftotext", {"-layout", path, "-"});
    QVERIFY(p.waitForFinished(30000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    for (const char* expected : {"TIMBRA DECISION-MAKER STAND ANALYSIS", "Laurel Fork", "Manage", "38.9",
                                 "35.0", "41.2", "36.5", "100.0%", "Height Class Analysis"})
        QVERIFY2(text.contains(expected), expected);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"report.pdf"});
}

void ReportPdfTest::failureLeavesNoFileAndKeepsTheOldOne() {
    QTemporaryDir dir;
    const std::string missing = dir.filePath("no/such/folder/report.pdf").toStdString();
    const std::string error = writeReportPdf(filledReport(), missing);
    QVERIFY2(error.find("cannot write") != std::string::npos, error.c_str());
    QVERIFY(!QFile::exists(QString::fromStdString(missing)));

    // A folder standing where the file should go: the rename fails, the folder and its content stay.
    const QString blocked = dir.filePath("report.pdf");
    QVERIFY(QDir(dir.path()).mkpath("report.pdf/inside"));
    QVERIFY(!writeReportPdf(filledReport(), blocked.toStdString()).empty());
    QVERIFY(QDir(blocked).exists("inside"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

QTEST_MAIN(ReportPdfTest)
#include "report_pdf_test.moc"
