// Start-up and the main window of both programs, the report view behind it, the reference pages
// and the command-line tool's report PDF. The slot `screenshots` takes the documentation's
// pictures from the real windows; it is skipped unless TIMBRA_SCREENSHOT_DIR names the folder to
// write them to; tools/screenshots.sh runs it under a virtual display.

#include "app/CMainFrame.h"
#include "app/CWelcomeDialog.h"
#include "app/LockIndicators.h"
#include "app/Startup.h"
#include "gui/input_test_prompter.h"
#include "gui/main_stand_test.h"
#include "input/TallyFile.h"
#include "pages/ReferencePageDialog.h"
#include "report/CTimbraView.h"
#include "report/ReportContent.h"
#include "report/ReportPdf.h"
#include "statistics/StatisticsWindow.h"

#include <QChart>
#include <QChartView>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

using timbra::ProgramProfile;

namespace {

const ProgramProfile& profileNamed(const QString& name) {
    return name == "Timbra" ? timbra::timbraProfile() : timbra::lowtimbraProfile();
}

void addPrograms() {
    QTest::addColumn<QString>("program");
    QTest::newRow("Timbra") << "Timbra";
    QTest::newRow("Lowtimbra") << "Lowtimbra";
}

QString labelText(const QWidget& parent, const char* name) {
    auto* label = parent.findChild<QLabel*>(name);
    return label ? label->text() : QString("<missing>");
}

// Every cell text of a sheet, row by row: one string to compare whole sheets by.
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

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() { prompter = std::make_unique<TestPrompter>(); }
    void cleanup() { prompter.reset(); }

    void startUp_data();
    void startUp();
    void commandsReachTheView();
    void menuPromptsAndF10_data() { addPrograms(); }
    void menuPromptsAndF10();
    void referencePages_data();
    void referencePages();
    void saveNeverClobbersAFile();
    void noDisplayAndLockLights();
    void reportFillsOnlyWhenAsked_data() { addPrograms(); }
    void reportFillsOnlyWhenAsked();
    void printsTheReport();
    void reportPdfIsWholeOrAbsent();
    void standStatistics_data() { addPrograms(); }
    void standStatistics();
    void screenshots();

private:
    // Input data, then `inside` in the dialog.
    void inputData(CTimbraView& view, const std::function<void(CInputDialog&)>& inside) {
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

    std::unique_ptr<TestPrompter> prompter;
};

void MainWindowTest::startUp_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("menus");
    QTest::addColumn<QString>("welcome");
    QTest::newRow("Timbra")
        << "Timbra"
        << "Timbra - Duvuri Dezorivu-Zezod"
        << QStringList{"&View: &Status Bar", "Model: Input data",
                       "Results: View Results, Print Results, Stand Statistics",
                       "&Help: Getting Started, -, Field Instructions, Field Data Sheet, -, "
                       "&About Timbra..."}
        << "Welcome to Timbra-Upland";
    QTest::newRow("Lowtimbra") << "Lowtimbra"
                               << "Devevovivo Zezodidu Zodor - Timbra"
                               << QStringList{"&View: &Status Bar", "Model: Input Data",
                                              "Results: View Results, Print Results, Stand Statistics",
                                              "Getting Started: Start-up Help, -, Field Instructions, Field "
                                              "Data Sheet, -, &About Timbra..."}
                               << "Welcome to Timbra-Bottomland";
}

void MainWindowTest::startUp() {
    QFETCH(QString, program);
    QFETCH(QString, title);
    QFETCH(QStringList, menus);
    QFETCH(QString, welcome);
    const ProgramProfile& profile = profileNamed(program);

    // The welcome dialog comes once, modal over the main window that is already up and maximised.
    int welcomes = 0;
    std::function<void()> answer = [&] {
        auto* dialog = qobject_cast<CWelcomeDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        ++welcomes;
        auto* frame = qobject_cast<CMainFrame*>(dialog->parentWidget());
        QVERIFY(frame && frame->isVisible() && frame->isMaximized());
        QStringList seen{dialog->windowTitle()};
        for (auto* box : dialog->findChildren<QGroupBox*>())
            seen << box->title();
        seen << labelText(*dialog, "closingLine");
        QCOMPARE(seen,
                 (QStringList{welcome, QString::fromStdString(profile.welcomeGroupTitle),
                              "Software Disclaimer", QString::fromStdString(profile.welcomeClosingLine)}));
        dialog->findChild<QPushButton*>("okButton")->click();
        QTimer::singleShot(0, answer); // catches a second welcome, should one come
    };
    QTimer::singleShot(0, answer);
    const auto frame = startProgram(profile);
    QApplication::processEvents();
    QCOMPARE(welcomes, 1);

    QCOMPARE(frame->windowTitle(), title);
    QStringList layout; // "Title: item, item, -, item", separators as "-"
    for (QAction* top : frame->menuBar()->actions()) {
        QStringList items;
        for (QAction* a : top->menu()->actions())
            items << (a->isSeparator() ? QString("-") : a->text());
        layout << top->text() + ": " + items.join(", ");
    }
    QCOMPARE(layout, menus);
    QStringList panes;
    for (const char* name : {"messagePane", "capsIndicator", "numIndicator", "scrollIndicator"})
        panes << labelText(*frame->statusBar(), name);
    QCOMPARE(panes, (QStringList{"Ready", "CAP", "NUM", "SCRL"}));
    QCOMPARE(frame->centralWidget(), frame->view());

    QAction* toggle = frame->findChild<QAction*>("actionStatusBar");
    QVERIFY(toggle->isChecked());
    toggle->trigger();
    QCOMPARE(frame->statusBar()->isVisible(), false);
    toggle->trigger();
    QCOMPARE(frame->statusBar()->isVisible(), true);
}

void MainWindowTest::commandsReachTheView() {
    const ProgramProfile& profile = timbra::lowtimbraProfile();
    CMainFrame frame(profile);
    QString opened;
    const auto record = [&](QDialog* d) { opened = d->metaObject()->className() + (":" + d->windowTitle()); };
    whileModal([&] { frame.findChild<QAction*>("actionInputData")->trigger(); }, record);
    QCOMPARE(opened, QString("CInputDialog:Bottomland Input"));
    whileModal([&] { frame.findChild<QAction*>("actionAppAbout")->trigger(); }, record);
    QCOMPARE(opened, QString("CAboutDialog:About Timbra"));

    whileModal([&] { frame.findChild<QAction*>("actionInputData")->trigger(); },
               [&](QDialog* d) {
                   runStand(profile, *qobject_cast<CInputDialog*>(d), 2);
                   prompter->answers = {true};
                   d->accept();
               });
    frame.findChild<QAction*>("actionViewResults")->trigger();
    CSpreadSheet* grid = frame.view()->grid();
    QCOMPARE(cell(*grid, 1, 2), QString("TIMBRA DECISION-MAKER STAND ANALYSIS"));
    frame.findChild<QAction*>("actionPrintResults")->trigger();
    QCOMPARE(prompter->printRequests, 1);

    // Ctrl+N and Ctrl+O lay a fresh sheet into the same grid, which refills since the results are
    // still asked for.
    QCOMPARE(frame.findChild<QAction*>("actionFileNew")->shortcut(), QKeySequence("Ctrl+N"));
    const QString shown = sheetText(*grid);
    grid->sheet().SetText(11, 44, "stale");
    frame.findChild<QAction*>("actionFileNew")->trigger();
    QCOMPARE(frame.view()->grid(), grid);
    QCOMPARE(frame.view()->findChildren<CSpreadSheet*>().size(), 1);
    QCOMPARE(sheetText(*grid), shown);
    grid->sheet().SetText(11, 44, "stale");
    prompter->fileNames = {"/tmp/any-document"};
    frame.findChild<QAction*>("actionFileOpen")->trigger();
    QCOMPARE(prompter->presets.size(), 1);
    QCOMPARE(sheetText(*grid), shown);

    // The report grid covers the view at any size.
    CTimbraView view(profile);
    view.show();
    for (const QSize size : {QSize(1000, 300), QSize(200, 700)}) {
        view.resize(size);
        QCOMPARE(view.grid()->geometry(), QRect(QPoint(0, 0), size));
    }
}

// Each menu item shows its prompt in the status bar while it is highlighted, "Ready" otherwise;
// F10 opens the first menu.
void MainWindowTest::menuPromptsAndF10() {
    QFETCH(QString, program);
    const ProgramProfile& profile = profileNamed(program);
    CMainFrame frame(profile);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    auto* ready = frame.findChild<QLabel*>("messagePane");
    for (const auto& menu : profile.mainMenus) {
        for (const auto& entry : menu.entries) {
            if (entry.separator()) continue;
            QAction* action =
                frame.findChild<QAction*>(QString::fromStdString(timbra::actionName(entry.command)));
            if (!action->isEnabled()) continue; // Stand Statistics before a run: it cannot be highlighted
            auto* owner = qobject_cast<QMenu*>(action->parent());
            QVERIFY(owner);
            frame.menuBar()->setActiveAction(owner->menuAction());
            QTRY_VERIFY(owner->isVisible());
            owner->setActiveAction(action);
            QVERIFY(!entry.prompt.empty());
            QCOMPARE(frame.statusBar()->currentMessage(), QString::fromStdString(entry.prompt));
            QVERIFY(!ready->isVisible());
            owner->hide();
            QTRY_VERIFY(frame.statusBar()->currentMessage().isEmpty());
            QVERIFY(ready->isVisible());
        }
    }
    QCOMPARE(ready->text(), QString("Ready"));

    QTest::keyClick(&frame, Qt::Key_F10);
    QCOMPARE(frame.menuBar()->activeAction(), frame.menuBar()->actions().first());
    QTRY_VERIFY(frame.menuBar()->actions().first()->menu()->isVisible());
    frame.menuBar()->actions().first()->menu()->hide();
}

void MainWindowTest::referencePages_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("content");
    QTest::addColumn<bool>("printable");
    QTest::addColumn<bool>("headingStrip"); // row numbers show on every page with a grid
    QTest::addColumn<int>("printedPages");  // pages of the paper form; 0: no count to check
    const QString instructions = "Field Instructions for \"Timbra - Bottomland Decision-Maker\"";
    for (const QString program : {"Timbra", "Lowtimbra"}) {
        QTest::addRow("%s field instructions", qPrintable(program))
            << program << "fieldInstructions"
            << "Field Instructions" << instructions << true << true << 0;
        QTest::addRow("%s field data sheet", qPrintable(program)) << program << "fieldDataSheet"
                                                                  << "Field Data Sheet"
                                                                  << "Stand Name" << true << true << 1;
    }
    QTest::newRow("Timbra getting started") << "Timbra"
                                            << "gettingStarted"
                                            << "Getting Started"
                                            << "Getting Started Instructions" << false << false << 0;
    QTest::newRow("Lowtimbra start-up help")
        << "Lowtimbra"
        << "gettingStarted"
        << "Getting Started"
        << "Starting Timbra V1.1|INPUTTING STAND DATA:" << false << false << 0;
    // The input dialog's pages, opened from its Help item or its button; the caption is the page's.
    QTest::newRow("upland objectives") << "Timbra"
                                       << "objectiveDescriptions"
                                       << ""
                                       << "Sugar maple is \"Unacceptable\"" << false << true << 0;
    QTest::newRow("upland input help") << "Timbra"
                                       << "inputHelp"
                                       << ""
                                       << "Header Information" << true << true << 3;
    QTest::newRow("bottomland objectives") << "Lowtimbra"
                                           << "objectiveDescriptions"
                                           << ""
                                           << "Objective 3:" << false << true << 0;
    QTest::newRow("bottomland input help") << "Lowtimbra"
                                           << "inputHelp"
                                           << ""
                                           << "CLEAR SPREADSHEET:" << true << true << 2;
}

// Each page opens from its menu item or button over its window with its stored content, the same
// at every opening, with its heading strip and row numbers as stored; Page Down, End and Home scroll
// it. It prints from its Print button without closing, as a paper form that ends with its content.
void MainWindowTest::referencePages() {
    QFETCH(QString, program);
    QFETCH(QString, page);
    QFETCH(QString, caption);
    QFETCH(QString, content);
    QFETCH(bool, printable);
    QFETCH(bool, headingStrip);
    QFETCH(int, printedPages);
    const ProgramProfile& profile = profileNamed(program);
    CMainFrame frame(profile);
    CInputDialog input(profile);
    QWidget* owner = frame.view();
    std::function<void()> open;
    if (page == "inputHelp" || page == "objectiveDescriptions") {
        owner = &input;
        QAction* help = input.findChild<QAction*>("actionInputHelp");
        auto* button = input.findChild<QPushButton*>("objectiveDescriptions");
        open = [=] { page == "inputHelp" ? help->trigger() : button->click(); };
        caption = QString::fromStdString(
            (page == "inputHelp" ? profile.inputHelp : profile.objectiveDescriptions).title);
    } else {
        const QString name = "action" + page.left(1).toUpper() + page.mid(1);
        open = [&, name] { frame.findChild<QAction*>(name)->trigger(); };
    }
    QTemporaryDir dir;
    for (int opening = 1; opening <= 2; ++opening) {
        bool seen = false;
        whileModal(open, [&](QDialog* d) {
            auto* pageDialog = qobject_cast<ReferencePageDialog*>(d);
            QVERIFY(pageDialog);
            QCOMPARE(d->parentWidget() == owner ? d->windowTitle() : QString("<other parent>"), caption);
            QString all;
            if (CSpreadSheet* grid = pageDialog->grid()) {
                all = sheetText(*grid);
                grid->sheet().SetText(1, 1, "scribbled"); // gone at the next opening
                QCOMPARE(grid->horizontalHeader()->isVisibleTo(d), headingStrip);
                QVERIFY(grid->verticalHeader()->isVisibleTo(d));
                QScrollBar* bar = grid->verticalScrollBar();
                for (const auto& [key, at] :
                     {std::pair{Qt::Key_PageDown, std::min(bar->pageStep(), bar->maximum())},
                      std::pair{Qt::Key_End, bar->maximum()}, std::pair{Qt::Key_Home, 0}}) {
                    QTest::keyClick(d, key);
                    QCOMPARE(bar->value(), at);
                }
            } else {
                all = d->findChild<QGroupBox*>("texts")->title();
                for (auto* label : d->findChildren<QLabel*>())
                    all += '|' + label->text();
            }
            QVERIFY2(all.contains(content) && !all.contains("scribbled"), qPrintable(all.left(200)));
            auto* print = d->findChild<QPushButton*>("print");
            QCOMPARE(print != nullptr, printable);
            if (print) {
                prompter->pdfPath = dir.filePath(QString("page%1.pdf").arg(opening));
                print->click();
                QVERIFY(d->isVisible());
                QVERIFY(QFileInfo(prompter->pdfPath).size() > 0);
                const QString printed = pdfText(prompter->pdfPath);
                if (printedPages > 0 && !printed.isEmpty()) QCOMPARE(printed.count('\f'), printedPages);
            }
            seen = true;
        });
        QVERIFY(seen);
    }
    QCOMPARE(prompter->printRequests, printable ? 2 : 0);
}

// Save writes the empty document. Lowtimbra's preset file in the current folder is written only
// while it is missing or empty; anything else asks for a name, as Timbra always does.
void MainWindowTest::saveNeverClobbersAFile() {
    QTemporaryDir dir;
    const QString home = QDir::currentPath();
    QDir::setCurrent(dir.path());

    CMainFrame low(timbra::lowtimbraProfile());
    low.OnFileSave();
    QCOMPARE(QFileInfo("Timbra").exists() ? QFileInfo("Timbra").size() : -1, 0);
    QVERIFY(prompter->presets.isEmpty());
    {
        QFile keep("Timbra");
        QVERIFY(keep.open(QIODevice::WriteOnly));
        keep.write("someone's notes");
    }
    low.OnFileSave(); // asked, and cancelled
    QCOMPARE(prompter->presets, QStringList{"Timbra"});
    QCOMPARE(QFileInfo("Timbra").size(), qint64(15));

    CMainFrame upland(timbra::timbraProfile());
    prompter->fileNames = {dir.filePath("stand.doc"), dir.filePath("missing/folder/stand.doc")};
    upland.OnFileSave();
    QCOMPARE(prompter->presets.size(), 2);
    QVERIFY(QFileInfo::exists(dir.filePath("stand.doc")));
    upland.OnFileSave();
    QCOMPARE(prompter->messages.size(), 1);
    QCOMPARE(prompter->messages[0].caption, QString("Timbra"));
    QVERIFY(prompter->messages[0].text.startsWith("Cannot save stand.doc"));
    QDir::setCurrent(home);
}

void MainWindowTest::noDisplayAndLockLights() {
    const char* vars[] = {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"};
    QByteArray saved[3];
    for (int i = 0; i < 3; ++i) {
        saved[i] = qgetenv(vars[i]);
        qunsetenv(vars[i]);
    }
    const QString none = noDisplayMessage(timbra::lowtimbraProfile());
    qputenv("WAYLAND_DISPLAY", "wayland-0");
    const QString wayland = noDisplayMessage(timbra::lowtimbraProfile());
    for (int i = 0; i < 3; ++i)
        qputenv(vars[i], saved[i]);
    QCOMPARE(none,
             QString("lowtimbra: no display found; start it from a desktop session, or use timbra-cli"));
    QCOMPARE(wayland, QString());

    QTemporaryDir leds;
    const auto light = [&](const QString& name, const char* brightness) {
        QDir(leds.path()).mkpath(name);
        QFile f(leds.filePath(name + "/brightness"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(brightness);
    };
    light("input3::capslock", "0\n");
    light("input7::capslock", "1\n"); // a second keyboard with the light on
    light("input3::numlock", "0\n");
    light("input3::scrolllock", "1\n");
    const LockState state = readLockLights(leds.path());
    QCOMPARE((QList<bool>{state.caps, state.num, state.scroll}), (QList<bool>{true, false, true}));
    const LockState absent = readLockLights(leds.filePath("absent"));
    QCOMPARE(absent.caps || absent.num || absent.scroll, false);
}

// The report's gate: nothing until a run is kept and View Results asks; Input data blanks it.
void MainWindowTest::reportFillsOnlyWhenAsked() {
    QFETCH(QString, program);
    const ProgramProfile& profile = profileNamed(program);
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
    const timbra::StandResults& results = view.dialog()->results();
    QVERIFY(results.cutoffIndex > 0);
    QVERIFY(blank(grid)); // not shown until View Results asks for it
    view.OnViewResults();
    QCOMPARE(cell(grid, 1, 4), QString("North Ridge"));
    QCOMPARE(cell(grid, 5, 4), QString("3"));
    QCOMPARE(cell(grid, 1, 11), QString::fromStdString(results.decision));
    QCOMPARE(cell(grid, 3, 11), QString::asprintf("%4.1f", results.standValue));
    QCOMPARE(cell(grid, 5, 11), QString::asprintf("%4.1f", results.cutoffIndex));
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

// A blank sheet prints too; a cancelled print dialog writes nothing and says nothing.
void MainWindowTest::printsTheReport() {
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
    QVERIFY2(prompter->messages.isEmpty(), qPrintable(prompter->messageTexts().join('\n')));
    const QString text = pdfText(prompter->pdfPath);
    if (text.isEmpty()) QSKIP("pdftotext is not installed");
    for (const char* expected :
         {"TIMBRA DECISION-MAKER STAND ANALYSIS", "North Ridge", "Compartment 12", "Cumberland",
          "Individual Plot Analysis", "Height Class Analysis", "3.5 log"})
        QVERIFY2(text.contains(expected), expected);
    QVERIFY(text.contains(QString::fromStdString(view.dialog()->results().decision)));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{"blank.pdf", "report.pdf"}));
}

// The command-line tool's report PDF: the filled sheet, in a file that appears whole or not at all.
void MainWindowTest::reportPdfIsWholeOrAbsent() {
    timbra::StandResults r;
    r.numberOfPlots = 2;
    r.plotValue = {41.25, 36.5};
    r.standValue = 38.9;
    r.cutoffIndex = 35;
    r.objectiveNumber = 2;
    r.decision = "Manage";
    r.standName = "Laurel Fork";
    r.pctPreferred = 100;
    timbra::Sheet report;
    timbra::setUpReportSheet(report);
    timbra::fillReport(report, r, true);
    timbra::StandStatistics statistics;
    timbra::SamplingStatistics& s = statistics.sampling;
    s.plots = s.plotsFormed = s.plotsInHeader = 2;
    s.mean = 38.875;
    s.standardError = 2.375;
    s.low = 8.7;
    s.high = 69.05;
    s.threshold = 34.95;
    s.settled = false; // the plots for an error limit stay missing: "n/a"
    s.notes = {"Two plots only."};
    timbra::StandTable table;
    table.classes.push_back({16, {25, 0, 0, 0, 0}, {34.9, 0, 0, 0, 0}});
    table.species.push_back({"WHO", 25, 34.9, 100});
    table.treesPerAcre = 25;
    statistics.standTable = table;

    QTemporaryDir dir;
    const QString path = dir.filePath("report.pdf");
    QCOMPARE(writeReportPdf(report, r, statistics, path.toStdString()), std::string());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"report.pdf"});
    const QStringList pages = pdfText(path).split('\f', Qt::SkipEmptyParts);
    QCOMPARE(pages.size(), 2);
    for (const char* expected : {"Laurel Fork", "Manage", "38.9", "35.0", "41.2", "36.5", "100.0%"})
        QVERIFY2(pages[0].contains(expected), expected);
    // The statistics page: figures ("n/a" where missing), both charts, the tables.
    for (const char* expected :
         {"Stand Statistics: Laurel Fork", "38.88", "8.70 to 69.05", "n/a", "Two plots only.",
          "Plot values per acre", "Trees per acre by diameter class", "WHO", "Total"})
        QVERIFY2(pages[1].contains(expected), expected);

    const std::string missing = dir.filePath("no/such/folder/report.pdf").toStdString();
    const std::string error = writeReportPdf(report, r, statistics, missing);
    QCOMPARE(error, "Cannot save \"" + missing + "\": No such file or directory.");
    QVERIFY(!QFile::exists(QString::fromStdString(missing)));

    // A folder standing where the file should go is refused; the folder and its content stay.
    QVERIFY(QFile::remove(path));
    QVERIFY(QDir(dir.path()).mkpath("report.pdf/inside"));
    QVERIFY(!writeReportPdf(report, r, statistics, path.toStdString()).empty());
    QVERIFY(QDir(path).exists("inside"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

// Stand Statistics waits for a run with plots, shows the dialog's decision line with both charts,
// prints, and exports a PDF whole or tells why not.
void MainWindowTest::standStatistics() {
    QFETCH(QString, program);
    const ProgramProfile& profile = profileNamed(program);
    CMainFrame frame(profile);
    QAction* statistics = frame.findChild<QAction*>("actionStandStatistics");
    QVERIFY(!statistics->isEnabled());
    QString dialogLine;
    whileModal([&] { frame.findChild<QAction*>("actionInputData")->trigger(); },
               [&](QDialog* d) {
                   auto& dialog = *qobject_cast<CInputDialog*>(d);
                   runStand(profile, dialog, 5, 1, 3);
                   dialogLine = dialog.findChild<QLabel*>("decisionLine")->text();
                   QCOMPARE(dialogLine,
                            QString::fromStdString(timbra::decisionLine(dialog.statistics()->sampling)));
                   prompter->answers = {true};
                   d->accept();
               });
    QVERIFY(!dialogLine.isEmpty());
    QVERIFY(statistics->isEnabled());

    QTemporaryDir dir;
    bool seen = false;
    whileModal([&] { statistics->trigger(); },
               [&](QDialog* d) {
                   auto* window = qobject_cast<StatisticsWindow*>(d);
                   QVERIFY(window);
                   QCOMPARE(labelText(*window, "decisionLine"), dialogLine);
                   QCOMPARE(window->plotValueChart()->chart()->series().size(),
                            4); // plots, band, mean, cut-off
                   QCOMPARE(window->plotValueChart()->chart()->series().first()->type(),
                            QAbstractSeries::SeriesTypeBar);
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
    QVERIFY2(prompter->messages[0].text.contains("missing/exported.pdf"),
             qPrintable(prompter->messages[0].text));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             (QStringList{"exported.pdf", "printed.pdf"}));
    const QString text = pdfText(dir.filePath("exported.pdf"));
    if (text.isEmpty()) QSKIP("pdftotext is not installed");
    for (const char* expected : {"Stand Statistics: North Ridge", "Plots used", "Plot values per acre",
                                 "Trees per acre by diameter class", "Species", "WHO"})
        QVERIFY2(text.contains(expected), expected);
    QVERIFY(text.contains(dialogLine.left(20)));
}

void MainWindowTest::screenshots() {
    const QString folder = qEnvironmentVariable("TIMBRA_SCREENSHOT_DIR");
    if (folder.isEmpty()) QSKIP("set TIMBRA_SCREENSHOT_DIR to take the screenshots");
    QDir().mkpath(folder);
    // A mixed stand of three plots, one tree a row from column 1.
    const char* trees[] = {
        "1,1,WHO,Desirable,18,2.5,1,High,Dominant,Preferred",
        "1,2,NRO,Desirable,22,3.0,1,High,Co-dominant,Preferred",
        "1,3,HIC,Unacceptable,14,1.5,3,Medium,Intermediate,Cutting Stock",
        "1,4,BLG,Unacceptable,8,0,0, , ,Cull",
        "2,5,CHO,Desirable,16,2.0,2,Medium,Co-dominant,Reserve",
        "2,6,WAS,Desirable,12,1.5,2,High,Intermediate,Preferred",
        "2,7,RMA,Unacceptable,10,0,0, , ,Cutting Stock",
        "3,8,SRO,Desirable,20,2.5,1,High,Dominant,Preferred",
        "3,9,BLO,Desirable,24,3.0,2,Medium,Dominant,Reserve",
        "3,10,SWG,Acceptable,14,2.0,2,Low,Suppressed,Cutting Stock",
    };
    for (const auto* profile : {&timbra::timbraProfile(), &timbra::lowtimbraProfile()}) {
        const QString name = QString::fromStdString(profile->executable);
        // Every window at the size it opens with.
        const auto opened = openMainWindow(*profile);
        CMainFrame& frame = *opened;
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        whileModal([&] { frame.findChild<QAction*>("actionInputData")->trigger(); },
                   [&](QDialog* d) {
                       auto* dialog = qobject_cast<CInputDialog*>(d);
                       timbra::Sheet& tally = dialog->grid()->sheet();
                       tally.SetText(3, 2, "Pine Knob Hardwoods");
                       tally.SetText(3, 3, "Compartment 7, north slope");
                       tally.SetInteger(10, 2, 3);
                       if (profile->hasProvince) tally.SetText(10, 3, "Cumberland");
                       for (int row = 6; row < 16; ++row) {
                           const QStringList cells = QString(trees[row - 6]).split(',');
                           for (int col = 1; col <= 10; ++col)
                               tally.SetText(col, row, cells[col - 1].toStdString());
                       }
                       dialog->grid()->refresh();
                       dialog->OnRun();
                       QTest::qWait(200);
                       QVERIFY(dialog->grab().save(folder + "/" + name + "-input.png"));
                       prompter->answers = {true};
                       dialog->accept();
                   });
        frame.findChild<QAction*>("actionViewResults")->trigger();
        QTest::qWait(200);
        QVERIFY(frame.grab().save(folder + "/" + name + "-report.png"));

        ReferencePageDialog page(*profile, profile->fieldInstructions, &frame);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QVERIFY(page.grab().save(folder + "/" + name + "-field-instructions.png"));
    }

    // Stand Statistics at the size it opens with, over the upland example stand.
    const ProgramProfile& upland = timbra::timbraProfile();
    CMainFrame frame(upland);
    frame.show();
    whileModal(
        [&] { frame.findChild<QAction*>("actionInputData")->trigger(); },
        [&](QDialog* d) {
            auto* dialog = qobject_cast<CInputDialog*>(d);
            QVERIFY(
                timbra::loadTallyFile(dialog->grid()->sheet(), TIMBRA_EXAMPLES "/upland-ridge-stand.txt").ok);
            dialog->OnRun();
            prompter->answers = {true};
            dialog->accept();
        });
    whileModal([&] { frame.findChild<QAction*>("actionStandStatistics")->trigger(); },
               [&](QDialog* d) {
                   QVERIFY(QTest::qWaitForWindowExposed(d));
                   QTest::qWait(300);
                   QVERIFY(d->grab().save(folder + "/timbra-statistics.png"));
               });
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
