// The report view over a real input dialog: when the sheet fills and blanks, its size, printing.

#include "gui/input_test_prompter.h"
#include "gui/main_stand_test.h"
#include "report/CTimbraView.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using timbra::ProgramProfile;

namespace {

const ProgramProfile& profileNamed(const QString& name) {
    return name == "Timbra" ? timbra::timbraProfile() : timbra::lowtimbraProfile();
}

// Every cell text of the report sheet, row by row: one string to compare whole sheets by.
QString sheetText(const CSpreadSheet& grid) {
    QStringList rows;
    const auto& s = grid.sheet();
    for (int r = 1; r <= s.GetMaxRows(); ++r) {
        QStringList cells;
        for (int c = 1; c <= s.GetMaxCols(); ++c)
            cells << QString::fromStdString(s.GetText(c, r));
        rows << cells.join('|');
    }
    return rows.join('\n');
}

bool blank(const CSpreadSheet& grid) {
    return sheetText(grid).remove('|').remove('\n').isEmpty();
}

QString cell(const CSpreadSheet& grid, int col, int row) {
    return QString::fromStdString(grid.sheet().GetText(col, row));
}

QString pdfText(const QString& path) {
    QProcess p;
    p.start("pdftotext", {"-layout", path, "-"});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class ReportViewTest : public QObject {
    Q_OBJECT
private slots:
    void init() { prompter = std::make_unique<TestPrompter>(); }
    void cleanup() { prompter.reset(); }

    void lifecycle_data();
    void lifecycle();
    void newKeepsTheGridAndRefills();
    void gridCoversTheView();
    void printsTheReport();
    void printsABlankSheetAndHonoursCancel();

private:
    // Input data, then `inside` in the dialog.
    void inputData(CTimbraView& view, const std::function<void(CInputDialog&)>& inside) {
        whileModal([&] { view.OnInputData(); }, [&](QDialog* d) { inside(*qobject_cast<CInputDialog*>(d)); });
    }
    // Input data, Run of a stand, OK.
    void runAndLeave(CTimbraView& view, int plots) {
        inputData(view, [&](CInputDialog& d) {
            runStand(profile, d, plots);
            prompter->answers = {true};
            d.accept();
        });
    }

    std::unique_ptr<TestPrompter> prompter;
    ProgramProfile profile;
};

void ReportViewTest::lifecycle_data() {
    QTest::addColumn<QString>("program");
    QTest::newRow("Timbra") << "Timbra";
    QTest::newRow("Lowtimbra") << "Lowtimbra";
}

void ReportViewTest::lifecycle() {
    QFETCH(QString, program);
    profile = profileNamed(program);
    CTimbraView view(profile);
    CSpreadSheet& grid = *view.grid();
    QCOMPARE(grid.sheet().GetMaxCols(), 11);
    QCOMPARE(grid.sheet().GetMaxRows(), 44);
    QVERIFY(grid.isReadOnly());

    // View Results with no dialog yet: nothing, and no message.
    view.OnViewResults();
    QVERIFY(blank(grid));

    // Input data, Cancel without a run, View Results: still nothing.
    inputData(view, [&](CInputDialog& d) {
        prompter->answers = {true};
        d.reject();
    });
    view.OnViewResults();
    QVERIFY(blank(grid));

    // A run kept after OK is not shown until View Results asks for it.
    runAndLeave(view, 3);
    const timbra::StandResults& results = view.dialog()->results();
    QVERIFY(results.cutoffIndex > 0);
    QVERIFY(blank(grid));
    view.OnViewResults();
    QCOMPARE(cell(grid, 1, 2), QString("TIMBRA DECISION-MAKER STAND ANALYSIS"));
    QCOMPARE(cell(grid, 1, 4), QString("North Ridge"));
    QCOMPARE(cell(grid, 5, 4), QString("3"));
    QCOMPARE(cell(grid, 1, 11), QString::fromStdString(results.decision));
    QCOMPARE(cell(grid, 3, 11), QString::asprintf("%4.1f", results.standValue));
    QCOMPARE(cell(grid, 5, 11), QString::asprintf("%4.1f", results.cutoffIndex));
    QCOMPARE(cell(grid, 3, 17), QString("3"));
    QCOMPARE(cell(grid, 7, 5), profile.hasProvince ? QString("Province") : QString());
    QCOMPARE(cell(grid, 7, 6), profile.hasProvince ? QString("Cumberland") : QString());
    QVERIFY(prompter->messages.isEmpty());

    // A second View Results and a repaint show the very same sheet.
    const QString shown = sheetText(grid);
    view.OnViewResults();
    view.repaint();
    QCOMPARE(sheetText(grid), shown);

    // Input data blanks the sheet at once, and the new dialog's missing results keep it blank.
    inputData(view, [&](CInputDialog& d) {
        QVERIFY(blank(grid));
        prompter->answers = {true};
        d.reject();
    });
    view.OnViewResults();
    QVERIFY(blank(grid));
}

void ReportViewTest::newKeepsTheGridAndRefills() {
    profile = timbra::timbraProfile();
    CTimbraView view(profile);
    CSpreadSheet* grid = view.grid();
    runAndLeave(view, 2);
    view.OnViewResults();
    const QString shown = sheetText(*grid);
    grid->sheet().SetText(11, 44, "stale");

    // New lays a fresh sheet into the same grid, which refills since the results are still asked for.
    view.OnInitialUpdate();
    QCOMPARE(view.grid(), grid);
    QCOMPARE(view.findChildren<CSpreadSheet*>().size(), 1);
    QCOMPARE(sheetText(*grid), shown);
}

void ReportViewTest::gridCoversTheView() {
    profile = timbra::lowtimbraProfile();
    CTimbraView view(profile);
    view.resize(640, 480);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QCOMPARE(view.grid()->geometry(), view.rect());
    view.resize(1000, 300);
    QCOMPARE(view.grid()->geometry(), QRect(0, 0, 1000, 300));
    view.resize(200, 700);
    QCOMPARE(view.grid()->geometry(), view.rect());
}

void ReportViewTest::printsTheReport() {
    profile = timbra::timbraProfile();
    QTemporaryDir dir;
    prompter->pdfPath = dir.filePath("report.pdf");
    CTimbraView view(profile);
    runAndLeave(view, 4);
    view.OnViewResults();
    view.OnPrintResults();
    QCOMPARE(prompter->printRequests, 1);
    QVERIFY2(prompter->messages.isEmpty(), qPrintable(prompter->messageTexts().join('\n')));
    const QString text = pdfText(prompter->pdfPath);
    for (const char* expected :
         {"TIMBRA DECISION-MAKER STAND ANALYSIS", "North Ridge", "Compartment 12", "Cumberland",
          "Individual Plot Analysis", "Height Class Analysis", "3.5 log"})
        QVERIFY2(text.contains(expected), expected);
    QVERIFY(text.contains(QString::fromStdString(view.dialog()->results().decision)));
}

void ReportViewTest::printsABlankSheetAndHonoursCancel() {
    profile = timbra::lowtimbraProfile();
    CTimbraView view(profile);
    view.OnPrintResults(); // cancelled in the print dialog: nothing written, nothing said
    QCOMPARE(prompter->printRequests, 1);
    QVERIFY(prompter->messages.isEmpty());

    QTemporaryDir dir;
    prompter->pdfPath = dir.filePath("blank.pdf");
    view.OnPrintResults();
    QCOMPARE(prompter->printRequests, 2);
    QVERIFY2(prompter->messages.isEmpty(), qPrintable(prompter->messageTexts().join('\n')));
    QVERIFY(QFileInfo(prompter->pdfPath).size() > 0);
}

QTEST_MAIN(ReportViewTest)
#include "report_view_test.moc"
