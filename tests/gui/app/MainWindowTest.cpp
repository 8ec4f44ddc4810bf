// Start-up and the main window of both programs: the welcome dialog, menus and their prompts, the
// commands that reach the view, Save, the reference pages, the lock lights and the no-display
// line. The slot `screenshots` takes the documentation's pictures from the real windows; it is
// skipped unless TIMBRA_SCREENSHOT_DIR names the folder to write them to (tools/screenshots.sh).
#include "app/CMainFrame.h"
#include "app/CWelcomeDialog.h"
#include "app/LockIndicators.h"
#include "app/Startup.h"
#include "gui/GuiTestSupport.h"
#include "input/TallyFile.h"
#include "pages/ReferencePageDialog.h"
#include "report/CTimbraView.h"

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

QString labelText(const QWidget& parent, const char* name) {
    auto* label = parent.findChild<QLabel*>(name);
    return label ? label->text() : QString("<missing>");
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TestPrompter> prompter;

private slots:
    void init() { prompter = std::make_unique<TestPrompter>(); }
    void cleanup() { prompter.reset(); }
    void startUp_data();
    void startUp();
    void commandsReachTheView();
    void menuPromptsAndF10_data() { addModels(); }
    void menuPromptsAndF10();
    void referencePages_data();
    void referencePages();
    void saveNeverClobbersAFile();
    void noDisplayAndLockLights();
    void screenshots();
};

void MainWindowTest::startUp_data() {
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("welcome");
    QTest::addColumn<QStringList>("menus");
    QTest::newRow("Timbra") << "upland"
                            << "Timbra - Duvuri Dezorivu-Zezod"
                            << "Welcome to Timbra-Upland"
                            << QStringList{"&View: &Status Bar", "Model: Input data",
                                           "Results: View Results, Print Results, Stand Statistics",
                                           "&Help: Getting Started, -, Field Instructions, Field Data Sheet, "
                                           "-, &About Timbra..."};
    QTest::newRow("Lowtimbra") << "bottomland"
                               << "Devevovivo Zezodidu Zodor - Timbra"
                               << "Welcome to Timbra-Bottomland"
                               << QStringList{"&View: &Status Bar", "Model: Input Data",
                                              "Results: View Results, Print Results, Stand Statistics",
                                              "Getting Started: Start-up Help, -, Field Instructions, Field "
                                              "Data Sheet, -, &About Timbra..."};
}

// The welcome dialog comes once, modal over the main window that is already up and maximised; the
// menus, the status bar's panes, and its menu item.
void MainWindowTest::startUp() {
    QFETCH(QString, title);
    QFETCH(QString, welcome);
    QFETCH(QStringList, menus);
    const ProgramProfile& profile = fetchProfile();
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

    QAction* toggle = frame->command(ProgramProfile::StatusBarId);
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
    whileModal([&] { frame.command(profile.inputDataId)->trigger(); }, record);
    QCOMPARE(opened, QString("CInputDialog:Bottomland Input"));
    whileModal([&] { frame.command(ProgramProfile::AboutId)->trigger(); }, record);
    QCOMPARE(opened, QString("CAboutDialog:About Timbra"));

    whileModal([&] { frame.command(profile.inputDataId)->trigger(); },
               [&](QDialog* d) {
                   runStand(profile, *qobject_cast<CInputDialog*>(d), 2);
                   prompter->answers = {true};
                   d->accept();
               });
    frame.command(profile.viewResultsId)->trigger();
    CSpreadSheet* grid = frame.view()->grid();
    QCOMPARE(grid->sheet().GetText(1, 2), std::string("TIMBRA DECISION-MAKER STAND ANALYSIS"));
    frame.command(profile.printResultsId)->trigger();
    QCOMPARE(prompter->printRequests, 1);

    // Ctrl+N and Ctrl+O lay a fresh sheet into the same grid, which refills since the results are
    // still asked for.
    QCOMPARE(frame.command(CMainFrame::NewId)->shortcut(), QKeySequence("Ctrl+N"));
    const QString shown = sheetText(grid->sheet());
    grid->sheet().SetText(11, 44, "stale");
    frame.command(CMainFrame::NewId)->trigger();
    QCOMPARE(frame.view()->grid(), grid);
    QCOMPARE(frame.view()->findChildren<CSpreadSheet*>().size(), 1);
    QCOMPARE(sheetText(grid->sheet()), shown);
    grid->sheet().SetText(11, 44, "stale");
    prompter->fileNames = {"/tmp/any-document"};
    frame.command(CMainFrame::OpenId)->trigger();
    QCOMPARE(prompter->presets.size(), 1);
    QCOMPARE(sheetText(grid->sheet()), shown);

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
    const ProgramProfile& profile = fetchProfile();
    CMainFrame frame(profile);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    auto* ready = frame.findChild<QLabel*>("messagePane");
    for (const auto& menu : profile.mainMenus) {
        for (const auto& entry : menu.entries) {
            QAction* action = frame.command(entry.id);
            if (entry.separator() || !action->isEnabled()) continue; // Stand Statistics before a run
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
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("content");
    QTest::addColumn<bool>("printable");
    QTest::addColumn<bool>("headingStrip"); // row numbers show on every page with a grid
    QTest::addColumn<int>("printedPages");  // pages of the paper form; 0: no count to check
    const struct {
        const char *name, *model, *page, *content;
        bool printable, headingStrip;
        int printedPages;
    } rows[] = {
        {"upland field instructions", "upland", "fieldInstructions", "Field Instructions for", true, true, 0},
        {"upland field data sheet", "upland", "fieldDataSheet", "Stand Name", true, true, 1},
        {"bottomland field data sheet", "bottomland", "fieldDataSheet", "Stand Name", true, true, 1},
        {"upland getting started", "upland", "gettingStarted", "Getting Started Instructions", false, false,
         0},
        {"bottomland start-up help", "bottomland", "gettingStarted", "INPUTTING STAND DATA:", false, false,
         0},
        {"upland objectives", "upland", "objectiveDescriptions", "Sugar maple is \"Unacceptable\"", false,
         true, 0},
        {"upland input help", "upland", "inputHelp", "Header Information", true, true, 3},
        {"bottomland objectives", "bottomland", "objectiveDescriptions", "Objective 3:", false, true, 0},
        {"bottomland input help", "bottomland", "inputHelp", "CLEAR SPREADSHEET:", true, true, 2},
    };
    for (const auto& r : rows)
        QTest::newRow(r.name) << r.model << r.page << r.content << r.printable << r.headingStrip
                              << r.printedPages;
}

// Each page opens from its menu item or button over its window with its stored content, the same
// at every opening, with its heading strip and row numbers as stored; Page Down, End and Home scroll
// it. It prints from its Print button without closing, as a paper form that ends with its content.
void MainWindowTest::referencePages() {
    QFETCH(QString, page);
    QFETCH(QString, content);
    QFETCH(bool, printable);
    QFETCH(bool, headingStrip);
    QFETCH(int, printedPages);
    const ProgramProfile& profile = fetchProfile();
    CMainFrame frame(profile);
    CInputDialog input(profile);
    const bool fromInput = page == "inputHelp" || page == "objectiveDescriptions";
    const timbra::ReferencePage& stored = page == "inputHelp"               ? profile.inputHelp
                                          : page == "objectiveDescriptions" ? profile.objectiveDescriptions
                                          : page == "gettingStarted"        ? profile.gettingStarted
                                          : page == "fieldInstructions"     ? profile.fieldInstructions
                                                                            : profile.fieldDataSheet;
    const int id = page == "gettingStarted"      ? profile.gettingStartedId
                   : page == "fieldInstructions" ? profile.fieldInstructionsId
                                                 : profile.fieldDataSheetId;
    const std::function<void()> open = [&] {
        if (page == "inputHelp")
            action(input, profile.inputHelpId)->trigger();
        else if (fromInput)
            input.findChild<QPushButton*>("objectiveDescriptions")->click();
        else
            frame.command(id)->trigger();
    };
    QTemporaryDir dir;
    for (int opening = 1; opening <= 2; ++opening) {
        bool seen = false;
        whileModal(open, [&](QDialog* d) {
            auto* pageDialog = qobject_cast<ReferencePageDialog*>(d);
            QVERIFY(pageDialog);
            QCOMPARE(d->parentWidget(), fromInput ? static_cast<QWidget*>(&input) : frame.view());
            QCOMPARE(d->windowTitle(), QString::fromStdString(stored.title));
            QString all;
            if (CSpreadSheet* grid = pageDialog->grid()) {
                all = sheetText(grid->sheet());
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
// while it is missing or empty; anything else asks for a name, as Timbra always does. A failed
// save is told.
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
    QCOMPARE(prompter->captions[0], QString("Timbra"));
    QVERIFY(prompter->messages[0].startsWith("Cannot save stand.doc"));
    QDir::setCurrent(home);
}

// Without a display the program says so in one line (a Wayland session is a display). The lock
// lights are on when any keyboard's is.
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
    for (const auto& [name, brightness] : {std::pair{"input3::capslock", "0\n"},
                                           {"input7::capslock", "1\n"},
                                           {"input3::numlock", "0\n"},
                                           {"input3::scrolllock", "1\n"}}) {
        QDir(leds.path()).mkpath(name);
        QFile f(leds.filePath(name + QString("/brightness")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(brightness);
    }
    const LockState state = readLockLights(leds.path());
    QCOMPARE((QList<bool>{state.caps, state.num, state.scroll}), (QList<bool>{true, false, true}));
    const LockState absent = readLockLights(leds.filePath("absent"));
    QCOMPARE(absent.caps || absent.num || absent.scroll, false);
}

// Every window at the size it opens with, over the example stands.
void MainWindowTest::screenshots() {
    const QString folder = qEnvironmentVariable("TIMBRA_SCREENSHOT_DIR");
    if (folder.isEmpty()) QSKIP("set TIMBRA_SCREENSHOT_DIR to take the screenshots");
    QDir().mkpath(folder);
    for (const auto& [profile, example] : {std::pair{&timbra::timbraProfile(), "upland-ridge-stand.txt"},
                                           {&timbra::lowtimbraProfile(), "bottomland-creek-stand.txt"}}) {
        const QString name = QString::fromStdString(profile->executable);
        const auto frame = openMainWindow(*profile);
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
        whileModal([&] { frame->command(profile->inputDataId)->trigger(); },
                   [&](QDialog* d) {
                       auto* dialog = qobject_cast<CInputDialog*>(d);
                       const std::string path = TIMBRA_EXAMPLES "/" + std::string(example);
                       QVERIFY(timbra::loadTallyFile(dialog->grid()->sheet(), path).ok);
                       dialog->grid()->refresh();
                       dialog->OnRun();
                       QTest::qWait(200);
                       QVERIFY(dialog->grab().save(folder + "/" + name + "-input.png"));
                       prompter->answers = {true};
                       dialog->accept();
                   });
        frame->command(profile->viewResultsId)->trigger();
        QTest::qWait(200);
        QVERIFY(frame->grab().save(folder + "/" + name + "-report.png"));
        if (profile->hasProvince)
            whileModal([&] { frame->command(profile->standStatisticsId)->trigger(); },
                       [&](QDialog* d) {
                           QVERIFY(QTest::qWaitForWindowExposed(d));
                           QTest::qWait(300);
                           QVERIFY(d->grab().save(folder + "/timbra-statistics.png"));
                       });

        ReferencePageDialog page(*profile, profile->fieldInstructions, frame.get());
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QVERIFY(page.grab().save(folder + "/" + name + "-field-instructions.png"));
    }
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
