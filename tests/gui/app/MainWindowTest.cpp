// Start-up and the main window of both programs: the welcome dialog, the status bar, the commands
// that reach the view, Save, the reference pages, the report view's gate and the Stand Statistics
// window.
#include "gui/GuiTestSupport.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CWelcomeDialog.h"
#include "gui/app/Startup.h"
#include "gui/grid/SheetPrintLayout.h"
#include "gui/pages/ReferencePageDialog.h"
#include "gui/statistics/StatisticsCharts.h"
#include "gui/statistics/StatisticsContent.h"
#include "gui/statistics/StatisticsWindow.h"
#include "gui/view/CTimbraView.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QValueAxis>

using timbra::ProgramProfile;

namespace {

// A sheet printed on a white page of `page` pixels at 96 dpi: the extent of its ink and whether the
// first pixel row, across the title, holds any.
struct Printed {
    QRect ink;
    bool firstRowInked = false;
};
Printed printOnPage(const timbra::Sheet& sheet, const QFont& font, QSize page) {
    QImage image(page, QImage::Format_RGB32);
    image.fill(Qt::white);
    const SheetPrintLayout layout(sheet, {1, 1, sheet.GetMaxCols(), sheet.GetMaxRows()}, font, image, page);
    QPainter painter(&image);
    layout.paintPage(painter, 0);
    painter.end();
    Printed printed;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                printed.ink |= QRect(x, y, 1, 1);
                printed.firstRowInked = printed.firstRowInked || y == 0;
            }
    return printed;
}

// The results a run leaves: the formed plot values, the header's plots, the decision by a cut-off.
timbra::StandResults standResults(int headerPlots, const std::vector<double>& plots, double cutoff) {
    timbra::StandResults r;
    r.numberOfPlots = headerPlots;
    r.plotValue = plots;
    double sum = 0;
    for (double v : plots)
        sum += v;
    r.standValue = sum / headerPlots;
    r.decision = std::isfinite(r.standValue) && r.standValue >= cutoff - 0.05 ? timbra::Decision::Manage
                                                                              : timbra::Decision::Regenerate;
    r.cutoffIndex = cutoff;
    r.objectiveNumber = 2;
    r.standName = "North Ridge";
    r.plotSize = "Fifth acre";
    r.standTally.add(16, timbra::TreeClass::Preferred, "WO");
    return r;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TestPrompter> prompter;

    // Input data, then `inside` in the dialog.
    static void inputData(CTimbraView& view, const std::function<void(CInputDialog&)>& inside) {
        whileModal([&] { view.OnInputData(); }, [&](QDialog* d) { inside(*qobject_cast<CInputDialog*>(d)); });
    }
    // Input data, Run of a stand of `plots` plots (none: Cancel without a run), leave.
    void runAndLeave(CTimbraView& view, const ProgramProfile& profile, int plots) {
        inputData(view, [&](CInputDialog& d) {
            if (plots > 0) runStand(profile, d, plots);
            prompter->answers = {true};
            plots > 0 ? d.accept() : d.reject();
        });
    }

private slots:
    void init() { prompter = std::make_unique<TestPrompter>(); }
    void cleanup() { prompter.reset(); }

    // The welcome dialog comes once, modal over the main window that is already up and maximised;
    // the status bar shows "Ready" and the lock keys.
    void startUp_data() { addModels(); }
    void startUp() {
        const ProgramProfile& profile = fetchProfile();
        QStringList welcomes;
        std::function<void()> answer = [&] {
            auto* dialog = qobject_cast<CWelcomeDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            auto* frame = qobject_cast<CMainFrame*>(dialog->parentWidget());
            QVERIFY(frame && frame->isVisible() && frame->isMaximized());
            welcomes << dialog->windowTitle();
            dialog->findChild<QPushButton*>("okButton")->click();
            QTimer::singleShot(0, answer); // catches a second welcome, should one come
        };
        QTimer::singleShot(0, answer);
        const auto frame = startProgram(profile);
        QApplication::processEvents();
        QCOMPARE(welcomes, QStringList{QString::fromStdString(profile.welcomeCaption)});
        QStringList panes;
        for (const char* name : {"messagePane", "capsIndicator", "numIndicator", "scrollIndicator"})
            panes << frame->statusBar()->findChild<QLabel*>(name)->text();
        QCOMPARE(panes, (QStringList{"Ready", "CAP", "NUM", "SCRL"}));
    }

    // Each page opens from its menu item or button over its window with its stored content, the
    // same at every opening (what was scribbled on it is gone), with its heading strip as stored and
    // row numbers; Page Down, End and Home scroll it. It prints from its Print button without
    // closing, as a paper form of so many pages.
    void referencePages_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("content");
        QTest::addColumn<int>("printedPages"); // -1: no Print button
        const struct {
            const char *name, *model, *page, *content;
            int printedPages;
        } rows[] = {{"field data sheet", "upland", "fieldDataSheet", "Stand Name", 1},
                    {"getting started", "upland", "gettingStarted", "Getting Started Instructions", -1},
                    {"objectives", "upland", "objectiveDescriptions", "Sugar maple is", -1},
                    {"input help", "bottomland", "inputHelp", "CLEAR SPREADSHEET:", 2},
                    {"start-up help", "bottomland", "gettingStarted", "INPUTTING STAND DATA:", -1}};
        for (const auto& r : rows)
            QTest::newRow(r.name) << r.model << r.page << r.content << r.printedPages;
    }
    void referencePages() {
        const ProgramProfile& profile = fetchProfile();
        QFETCH(QString, page);
        QFETCH(QString, content);
        QFETCH(int, printedPages);
        CMainFrame frame(profile);
        CInputDialog input(profile);
        QWidget* owner = page == "gettingStarted" || page == "fieldDataSheet" ? frame.view() : nullptr;
        QAction* item = page == "fieldDataSheet" ? action(frame, "actionFieldDataSheet")
                                                 : action(frame, "actionGettingStarted");
        const auto open = [&] {
            if (page == "objectiveDescriptions")
                input.findChild<QPushButton*>("objectiveDescriptions")->click();
            else
                (owner ? item : action(input, "actionInputHelp"))->trigger();
        };
        QTemporaryDir dir;
        for (const QString& pdf : {dir.filePath("first.pdf"), dir.filePath("second.pdf")})
            whileModal(open, [&](QDialog* d) {
                auto* pageDialog = qobject_cast<ReferencePageDialog*>(d);
                QVERIFY(pageDialog && d->parentWidget() == (owner ? owner : &input));
                QString all;
                for (auto* label : d->findChildren<QLabel*>())
                    all += '|' + label->text();
                if (CSpreadSheet* grid = pageDialog->grid()) {
                    all += sheetText(grid->sheet());
                    grid->sheet().SetText(1, 1, "scribbled");
                    QVERIFY(grid->verticalHeader()->isVisibleTo(d));
                    QCOMPARE(grid->horizontalHeader()->isVisibleTo(d), grid->sheet().colHeadingsShown());
                    QScrollBar* bar = grid->verticalScrollBar();
                    for (const auto& [key, at] :
                         {std::pair{Qt::Key_PageDown, std::min(bar->pageStep(), bar->maximum())},
                          std::pair{Qt::Key_End, bar->maximum()}, std::pair{Qt::Key_Home, 0}}) {
                        QTest::keyClick(d, key);
                        QCOMPARE(bar->value(), at);
                    }
                }
                QVERIFY2(all.contains(content) && !all.contains("scribbled"), qPrintable(all.left(200)));
                auto* print = d->findChild<QPushButton*>("print");
                QCOMPARE(print != nullptr, printedPages >= 0);
                if (!print) return;
                prompter->pdfPath = pdf;
                print->click();
                QVERIFY(d->isVisible() && QFileInfo(pdf).size() > 0);
                const QString printed = pdfText(pdf); // empty without pdftotext
                QCOMPARE(printed.count('\f'), printed.isEmpty() ? 0 : printedPages);
            });
        QCOMPARE(prompter->printRequests, printedPages >= 0 ? 2 : 0);
    }

    // Ctrl+S in the main window writes nothing, in either program, whatever is in the current folder
    // or chosen: the status bar says where a tally is saved.
    void saveWritesNothing() {
        QTemporaryDir dir;
        const QString home = QDir::currentPath();
        QDir::setCurrent(dir.path());
        QFile tally("stand.txt");
        QVERIFY(tally.open(QIODevice::WriteOnly) && tally.write("Stand Name,,Kept\r") == 17);
        tally.close();
        prompter->fileNames = {dir.filePath("stand.txt"), dir.filePath("stand.txt")};
        for (const ProgramProfile* profile : {&timbra::timbraProfile(), &timbra::lowtimbraProfile()}) {
            CMainFrame frame(*profile);
            frame.show();
            QApplication::setActiveWindow(&frame);
            QVERIFY(QTest::qWaitForWindowActive(&frame));
            QTest::keyClick(&frame, Qt::Key_S, Qt::ControlModifier);
            const QString item = profile == &timbra::timbraProfile()
                                     ? "Model > Input data, with Spreadsheet options"
                                     : "Model > Input Data, with Spreadsheet Options";
            QCOMPARE(frame.statusBar()->currentMessage(),
                     "Nothing to save here: a tally is saved in " + item + " > Save as.");
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{"stand.txt"});
        QVERIFY(tally.open(QIODevice::ReadOnly) && tally.readAll() == "Stand Name,,Kept\r");
        QVERIFY(prompter->presets.isEmpty() && prompter->messages.isEmpty());
        QDir::setCurrent(home);
    }

    // The report view, covered by its read-only grid: nothing until a run is kept and View Results
    // asks; the same sheet at every asking; Input data blanks it at once.
    void reportFillsOnlyWhenAsked_data() { addModels(); }
    void reportFillsOnlyWhenAsked() {
        const ProgramProfile& profile = fetchProfile();
        CTimbraView view(profile);
        const timbra::Sheet& report = view.grid()->sheet();
        const auto blank = [&] { return sheetText(report).remove('|').remove('\n').isEmpty(); };
        QVERIFY(view.grid()->isReadOnly());
        view.show();
        view.resize(200, 700); // the report grid covers the view at any size
        QCOMPARE(view.grid()->geometry(), QRect(0, 0, 200, 700));
        view.OnViewResults(); // no dialog yet
        QVERIFY(blank());
        runAndLeave(view, profile, 0);
        view.OnViewResults();
        QVERIFY(blank());
        runAndLeave(view, profile, 3);
        QVERIFY(blank());
        view.OnViewResults();
        QCOMPARE(report.GetText(1, 4) + '|' + report.GetText(1, 11),
                 "North Ridge|" +
                     std::string(timbra::decisionText(view.lastRun()->outcome.results.decision)));
        const QString shown = sheetText(report);
        view.OnViewResults();
        view.repaint();
        QCOMPARE(sheetText(report), shown);
        inputData(view, [&](CInputDialog& d) {
            QVERIFY(blank());
            prompter->answers = {true};
            d.reject();
        });
        view.OnViewResults();
        QVERIFY(blank() && prompter->messages.isEmpty());
    }

    // The menus reach their dialogs and the view: About; Stand Statistics only after a run with
    // plots; View and Print Results; Ctrl+N and Ctrl+O lay a fresh sheet into the same grid, which
    // refills since the results are still asked for. Stand Statistics shows the input dialog's
    // decision line with its charts, prints, and exports a PDF whole or tells why not.
    void commandsAndStandStatistics_data() { addModels(); }
    void commandsAndStandStatistics() {
        const ProgramProfile& profile = fetchProfile();
        CMainFrame frame(profile);
        QStringList opened, decisionLines; // the dialogs' classes; the line before and after Run, and in
                                           // Stand Statistics
        whileModal([&] { action(frame, "actionAppAbout")->trigger(); },
                   [&](QDialog* d) { opened << d->metaObject()->className(); });
        QAction* statistics = action(frame, "actionStandStatistics");
        QVERIFY(!statistics->isEnabled());
        whileModal([&] { action(frame, "actionInputData")->trigger(); },
                   [&](QDialog* d) {
                       opened << d->metaObject()->className();
                       decisionLines << d->findChild<QLabel*>("decisionLine")->text();
                       runStand(profile, *qobject_cast<CInputDialog*>(d), 5, 3);
                       decisionLines << d->findChild<QLabel*>("decisionLine")->text();
                       prompter->answers = {true};
                       d->accept();
                   });
        QCOMPARE(opened, (QStringList{"CAboutDialog", "CInputDialog"}));
        QVERIFY(statistics->isEnabled() && decisionLines[0].isEmpty() && !decisionLines[1].isEmpty());
        action(frame, "actionViewResults")->trigger();
        CSpreadSheet* grid = frame.view()->grid();
        QCOMPARE(grid->sheet().GetText(1, 2), "TIMBRA DECISION-MAKER STAND ANALYSIS");
        action(frame, "actionPrintResults")->trigger();
        const QString shown = sheetText(grid->sheet());
        prompter->fileNames = {"/tmp/any-document"};
        for (const char* name : {"actionFileNew", "actionFileOpen"}) {
            grid->sheet().SetText(11, 44, "stale");
            action(frame, name)->trigger();
            QCOMPARE(sheetText(grid->sheet()), shown);
        }
        QCOMPARE(frame.view()->findChildren<CSpreadSheet*>(), QList<CSpreadSheet*>{grid});

        QTemporaryDir dir;
        whileModal(
            [&] { statistics->trigger(); },
            [&](QDialog* d) {
                auto* window = qobject_cast<StatisticsWindow*>(d);
                decisionLines << window->findChild<QLabel*>("decisionLine")->text();
                QCOMPARE(window->plotValueChart()->chart()->series().size(), 4); // plots, band, mean, cut-off
                window->OnPrint();                                               // cancelled: nothing said
                prompter->pdfPath = dir.filePath("printed.pdf");
                window->OnPrint();
                prompter->fileNames = {dir.filePath("exported.pdf"), dir.filePath("missing/exported.pdf")};
                window->OnExportPdf();
                window->OnExportPdf();
            });
        QCOMPARE(decisionLines.value(2), decisionLines[1]);
        QCOMPARE(prompter->printRequests, 3);
        QVERIFY2(prompter->messages.size() == 1 && prompter->messages[0].contains("missing/exported.pdf"),
                 qPrintable(prompter->messages.join('\n')));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{"exported.pdf", "printed.pdf"}));
        const QString text = pdfText(dir.filePath("exported.pdf"));
        if (text.isEmpty()) QSKIP("pdftotext is not installed");
        QVERIFY(text.contains("Stand Statistics: North Ridge") && text.contains(decisionLines[1].left(20)));
    }

    // Print Results prints the report as a form: no heading strip, row numbers or grid lines (nothing
    // crosses the title), scaled to the page's width; the field data sheet fills its page.
    void printedForms() {
        const ProgramProfile& profile = timbra::timbraProfile();
        CMainFrame frame(profile);
        runAndLeave(*frame.view(), profile, 5);
        frame.view()->OnViewResults();
        CSpreadSheet* grid = frame.view()->grid();
        grid->sheet().SetProperty(timbra::Sheet::PrintAsFormProperty, 1); // as Print Results does
        const QSize page(700, 1000);
        const Printed report = printOnPage(grid->sheet(), grid->font(), page);
        QVERIFY(!report.firstRowInked);
        QVERIFY2(report.ink.left() < 10 && report.ink.right() >= page.width() - 2,
                 qPrintable(QStringLiteral("%1 %2").arg(report.ink.left()).arg(report.ink.right())));
        const Printed form = printOnPage(profile.loadPage(profile.fieldDataSheet), grid->font(), page);
        QVERIFY2(form.ink.bottom() >= page.height() * 0.97 && form.ink.right() >= page.width() - 2,
                 qPrintable(QStringLiteral("%1 %2").arg(form.ink.bottom()).arg(form.ink.right())));
    }

    // The statistics name what they are about and label the one-sided confidence and the two-sided
    // settling so that 97.1% beside "No" reads right; a header below the tally makes the decision
    // meaningless and says so, with the decision's own stand value; any number of header plots draws
    // a bounded chart, and trees per acre below 1 get decimals; the window fits the screen.
    void statisticsStandOnTheirOwn_data() {
        QTest::addColumn<int>("headerPlots");
        QTest::addColumn<QStringList>("shown"); // stand value, decision line start, mean, confidence, settled
        QTest::addColumn<QString>("withoutTrees");
        QTest::newRow("97.1%, not settled")
            << 4 << QStringList{"37.5", "Not settled", "37.48", "97.1%", "No"} << QString();
        QTest::newRow("-4 plots") << -4
                                  << QStringList{"-37.5", "The decision means nothing", "-37.48", "n/a",
                                                 "n/a"}
                                  << QString();
        QTest::newRow("0 plots") << 0 << QStringList{"n/a", "The decision means nothing", "n/a", "n/a", "n/a"}
                                 << QString();
        QTest::newRow("100,000 plots") << 100000 << QStringList{"0.0", "95% sure", "0.00", "100.0%", "Yes"}
                                       << "99,996 plots without trees, value 0";
        QTest::newRow("2,000,000,000 plots")
            << 2000000000 << QStringList{"0.0", "95% sure", "0.00", "100.0%", "Yes"}
            << "1,999,999,996 plots without trees, value 0";
    }
    void statisticsStandOnTheirOwn() {
        QFETCH(int, headerPlots);
        QFETCH(QStringList, shown);
        QFETCH(QString, withoutTrees);
        const ProgramProfile& profile = timbra::timbraProfile();
        const timbra::StandResults results =
            standResults(headerPlots, {35.605, 37.105, 37.605, 39.605}, 40.0);
        const timbra::StandStatistics statistics = timbra::computeStandStatistics(results);
        const StatisticsContent content = statisticsContent(statistics, results, "Timbra");

        QStringList stand;
        for (const StatisticsFigure& f : content.stand)
            stand << f.label + ": " + f.value;
        QCOMPARE(
            stand.join(", "),
            QStringLiteral("Program: Timbra, Stand: North Ridge, Objective: 2, Decision: %1, "
                           "Stand value: %2, Cut-off: 40.0")
                .arg(QString::fromStdString(std::string(timbra::decisionText(results.decision))), shown[0]));
        QVERIFY2(content.decisionLine.startsWith(shown[1]), qPrintable(content.decisionLine));
        const auto figure = [&](const QString& label) {
            for (const StatisticsFigure& f : content.figures + content.weighing)
                if (f.label.startsWith(label)) return f.value;
            return QString();
        };
        QCOMPARE(figure("Mean value per acre"), shown[2]);
        QCOMPARE(figure("Confidence that the true mean is on this side of the threshold (one-sided)"),
                 shown[3]);
        QCOMPARE(figure("Settled: the threshold lies outside the 95% interval (needs confidence of 97.5%)"),
                 shown[4]);

        std::unique_ptr<QChart> plots(makePlotValueChart(statistics, results));
        auto* series = qobject_cast<QBarSeries*>(plots->series().value(0));
        QCOMPARE(series->barSets().value(0)->count(), 4); // the tally's plots, whatever the header
        auto* x = qobject_cast<QValueAxis*>(plots->axes(Qt::Horizontal).value(1));
        QCOMPARE(x->titleText().contains(withoutTrees) && x->titleText().contains("without trees"),
                 !withoutTrees.isEmpty());
        std::unique_ptr<QChart> trees(makeStandTableChart(statistics));
        if (auto* y = qobject_cast<QValueAxis*>(trees->axes(Qt::Vertical).value(0))) {
            const QString top = QString::asprintf(qPrintable(y->labelFormat()), y->max());
            QVERIFY2(top.toDouble() > 0, qPrintable(y->labelFormat() + " " + top));
        }

        StatisticsWindow window(profile, statistics, results);
        window.show();
        QVERIFY(window.screen()->availableGeometry().contains(window.frameGeometry()));
    }

    // Without a display the program says so in one line; a Wayland session is a display. (The
    // application has chosen its platform already.)
    void noDisplayLine() {
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            qunsetenv(name);
        const QString none = noDisplayMessage(timbra::lowtimbraProfile());
        qputenv("WAYLAND_DISPLAY", "wayland-0");
        QCOMPARE(none + noDisplayMessage(timbra::lowtimbraProfile()),
                 "lowtimbra: no display found; start it from a desktop session, or use timbra-cli");
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
