// The results behind the main window: the report view's gate, its printing, the command-line
// tool's report PDF, and the Stand Statistics window.
#include "app/CMainFrame.h"
#include "gui/GuiTestSupport.h"
#include "report/CTimbraView.h"
#include "report/ReportPdf.h"
#include "statistics/StatisticsWindow.h"

#include <QChart>
#include <QChartView>

using timbra::ProgramProfile;

class ReportViewTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TestPrompter> prompter;

    // Input data, then `inside` in the dialog.
    static void inputData(CTimbraView& view, const std::function<void(CInputDialog&)>& inside) {
        whileModal([&] { view.OnInputData(); }, [&](QDialog* d) { inside(*qobject_cast<CInputDialog*>(d)); });
    }
    // Input data, Run of a stand of `plots` plots (none for a cancel without a run), leave.
    void runAndLeave(CTimbraView& view, const ProgramProfile& profile, int plots) {
        inputData(view, [&](CInputDialog& d) {
            if (plots > 0) runStand(profile, d, plots);
            prompter->answers = {true};
            plots > 0 ? d.accept() : d.reject();
        });
    }
    static bool blank(const CSpreadSheet& grid) {
        return sheetText(grid.sheet()).remove('|').remove('\n').isEmpty();
    }

private slots:
    void init() { prompter = std::make_unique<TestPrompter>(); }
    void cleanup() { prompter.reset(); }

    // Nothing until a run is kept and View Results asks; the same sheet at every asking; Input data
    // blanks it at once.
    void reportFillsOnlyWhenAsked_data() { addModels(); }
    void reportFillsOnlyWhenAsked() {
        const ProgramProfile& profile = fetchProfile();
        CTimbraView view(profile);
        CSpreadSheet& grid = *view.grid();
        QCOMPARE(QSize(grid.sheet().GetMaxCols(), grid.sheet().GetMaxRows()), QSize(11, 44));
        QVERIFY(grid.isReadOnly());

        view.OnViewResults(); // no dialog yet
        QVERIFY(blank(grid));
        runAndLeave(view, profile, 0); // Cancel without a run
        view.OnViewResults();
        QVERIFY(blank(grid));

        runAndLeave(view, profile, 3);
        QVERIFY(blank(grid)); // not shown until View Results asks for it
        view.OnViewResults();
        QCOMPARE(grid.sheet().GetText(1, 4) + '|' + grid.sheet().GetText(5, 4), "North Ridge|3");
        QCOMPARE(grid.sheet().GetText(1, 11), view.dialog()->results().decision);
        QVERIFY(prompter->messages.isEmpty());
        const QString shown = sheetText(grid.sheet());
        view.OnViewResults();
        view.repaint();
        QCOMPARE(sheetText(grid.sheet()), shown);

        inputData(view, [&](CInputDialog& d) {
            QVERIFY(blank(grid));
            prompter->answers = {true};
            d.reject();
        });
        view.OnViewResults();
        QVERIFY(blank(grid));
    }

    // A blank sheet prints too; a cancelled print dialog writes nothing and says nothing. The
    // command-line tool's PDF of the same report adds a statistics page, and appears whole or not
    // at all.
    void printsTheReportAndItsPdf() {
        const ProgramProfile& profile = timbra::timbraProfile();
        QTemporaryDir dir;
        CTimbraView view(profile);
        view.OnPrintResults();
        prompter->pdfPath = dir.filePath("blank.pdf");
        view.OnPrintResults();
        QVERIFY(QFileInfo(prompter->pdfPath).size() > 0);

        prompter->pdfPath = dir.filePath("report.pdf");
        runAndLeave(view, profile, 4);
        view.OnViewResults();
        view.OnPrintResults();
        QCOMPARE(prompter->printRequests, 3);
        QVERIFY2(prompter->messages.isEmpty(), qPrintable(prompter->messages.join('\n')));
        const CInputDialog& run = *view.dialog();
        const QString cli = dir.filePath("cli.pdf");
        QCOMPARE(writeReportPdf(view.grid()->sheet(), run.results(), *run.statistics(), cli.toStdString()),
                 std::string());
        const std::string missing = dir.filePath("no/such/folder/report.pdf").toStdString();
        QCOMPARE(writeReportPdf(view.grid()->sheet(), run.results(), *run.statistics(), missing),
                 "Cannot save \"" + missing + "\": No such file or directory.");
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{"blank.pdf", "cli.pdf", "report.pdf"}));

        const QString printed = pdfText(prompter->pdfPath);
        if (printed.isEmpty()) QSKIP("pdftotext is not installed");
        for (const char* expected :
             {"TIMBRA DECISION-MAKER STAND ANALYSIS", "North Ridge", "Compartment 12", "Cumberland",
              "Individual Plot Analysis", "Height Class Analysis", "3.5 log"})
            QVERIFY2(printed.contains(expected), expected);
        QVERIFY(printed.contains(QString::fromStdString(run.results().decision)));
        const QStringList pages = pdfText(cli).split('\f', Qt::SkipEmptyParts);
        QCOMPARE(pages.size(), 2);
        QVERIFY(pages[0].contains("TIMBRA DECISION-MAKER STAND ANALYSIS") &&
                pages[0].contains("North Ridge"));
        for (const char* expected : {"Stand Statistics: North Ridge", "Plot values per acre",
                                     "Trees per acre by diameter class", "WHO", "Total"})
            QVERIFY2(pages[1].contains(expected), expected);
    }

    // Stand Statistics waits for a run with plots, shows the dialog's decision line with both charts,
    // prints, and exports a PDF whole or tells why not.
    void standStatistics_data() { addModels(); }
    void standStatistics() {
        const ProgramProfile& profile = fetchProfile();
        CMainFrame frame(profile);
        QAction* statistics = action(frame, "actionStandStatistics");
        QVERIFY(!statistics->isEnabled());
        QString dialogLine;
        whileModal([&] { action(frame, "actionInputData")->trigger(); },
                   [&](QDialog* d) {
                       auto& dialog = *qobject_cast<CInputDialog*>(d);
                       runStand(profile, dialog, 5, 1, 3);
                       dialogLine = dialog.findChild<QLabel*>("decisionLine")->text();
                       prompter->answers = {true};
                       d->accept();
                   });
        QVERIFY(!dialogLine.isEmpty());
        QVERIFY(statistics->isEnabled());

        QTemporaryDir dir;
        bool seen = false;
        whileModal(
            [&] { statistics->trigger(); },
            [&](QDialog* d) {
                auto* window = qobject_cast<StatisticsWindow*>(d);
                QVERIFY(window);
                QCOMPARE(window->findChild<QLabel*>("decisionLine")->text(), dialogLine);
                const QChart* plots = window->plotValueChart()->chart();
                QCOMPARE(plots->series().size(), 4); // plots, band, mean, cut-off
                QCOMPARE(plots->series().first()->type(), QAbstractSeries::SeriesTypeBar);
                QCOMPARE(window->standTableChart()->chart()->series().size(), 1);

                window->OnPrint(); // cancelled: nothing said
                prompter->pdfPath = dir.filePath("printed.pdf");
                window->OnPrint();
                prompter->fileNames = {dir.filePath("exported.pdf"), dir.filePath("missing/exported.pdf")};
                window->OnExportPdf();
                window->OnExportPdf();
                seen = true;
            });
        QVERIFY(seen);
        QCOMPARE(prompter->messages.size(), 1);
        QVERIFY2(prompter->messages[0].contains("missing/exported.pdf"), qPrintable(prompter->messages[0]));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{"exported.pdf", "printed.pdf"}));
        const QString text = pdfText(dir.filePath("exported.pdf"));
        if (text.isEmpty()) QSKIP("pdftotext is not installed");
        for (const char* expected : {"Stand Statistics: North Ridge", "Plots used", "Species", "WHO"})
            QVERIFY2(text.contains(expected), expected);
        QVERIFY(text.contains(dialogLine.left(20)));
    }
};

QTEST_MAIN(ReportViewTest)
#include "ReportViewTest.moc"
