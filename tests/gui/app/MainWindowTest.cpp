// Start-up and the main window of both programs: the welcome dialog, the status bar and the menu
// prompts, the commands that reach the view, Save, the reference pages, the lock lights and the
// no-display line.
#include "app/CMainFrame.h"
#include "app/CWelcomeDialog.h"
#include "app/LockIndicators.h"
#include "app/Startup.h"
#include "gui/GuiTestSupport.h"
#include "pages/ReferencePageDialog.h"
#include "report/CTimbraView.h"

using timbra::ProgramProfile;

class MainWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TestPrompter> prompter;

private slots:
    void init() { prompter = std::make_unique<TestPrompter>(); }
    void cleanup() { prompter.reset(); }

    // The welcome dialog comes once, modal over the main window that is already up and maximised;
    // the status bar shows "Ready" and the lock keys, and its menu item hides it.
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
        action(*frame, "actionStatusBar")->trigger();
        QCOMPARE(frame->statusBar()->isVisible(), false);
    }

    // Each menu item shows its prompt in the status bar while it is highlighted, "Ready" otherwise;
    // F10 opens the first menu.
    void menuPromptsAndF10_data() { addModels(); }
    void menuPromptsAndF10() {
        const ProgramProfile& profile = fetchProfile();
        CMainFrame frame(profile);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        auto* ready = frame.findChild<QLabel*>("messagePane");
        for (const auto& menu : profile.mainMenus)
            for (const auto& entry : menu.entries) {
                QAction* item = action(frame, timbra::actionName(entry.command).c_str());
                if (entry.separator() || !item->isEnabled()) continue; // Stand Statistics before a run
                auto* owner = qobject_cast<QMenu*>(item->parent());
                frame.menuBar()->setActiveAction(owner->menuAction());
                QTRY_VERIFY(owner->isVisible());
                owner->setActiveAction(item);
                QVERIFY(!entry.prompt.empty() && !ready->isVisible());
                QCOMPARE(frame.statusBar()->currentMessage().toStdString(), entry.prompt);
                owner->hide();
                QTRY_VERIFY(ready->isVisible());
            }
        QTest::keyClick(&frame, Qt::Key_F10);
        QTRY_VERIFY(frame.menuBar()->actions().first()->menu()->isVisible());
        frame.menuBar()->actions().first()->menu()->hide();
    }

    // Input data and About open their dialogs; View and Print Results reach the view; Ctrl+N and
    // Ctrl+O lay a fresh sheet into the same grid, which refills since the results are still asked
    // for. The report grid covers the view at any size.
    void commandsReachTheView() {
        const ProgramProfile& profile = timbra::lowtimbraProfile();
        CMainFrame frame(profile);
        QStringList opened;
        whileModal([&] { action(frame, "actionAppAbout")->trigger(); },
                   [&](QDialog* d) { opened << d->metaObject()->className(); });
        whileModal([&] { action(frame, "actionInputData")->trigger(); },
                   [&](QDialog* d) {
                       opened << d->metaObject()->className();
                       runStand(profile, *qobject_cast<CInputDialog*>(d), 2);
                       prompter->answers = {true};
                       d->accept();
                   });
        QCOMPARE(opened, (QStringList{"CAboutDialog", "CInputDialog"}));
        action(frame, "actionViewResults")->trigger();
        CSpreadSheet* grid = frame.view()->grid();
        QCOMPARE(grid->sheet().GetText(1, 2), "TIMBRA DECISION-MAKER STAND ANALYSIS");
        action(frame, "actionPrintResults")->trigger();
        QCOMPARE(prompter->printRequests, 1);

        QCOMPARE(action(frame, "actionFileNew")->shortcut(), QKeySequence("Ctrl+N"));
        const QString shown = sheetText(grid->sheet());
        prompter->fileNames = {"/tmp/any-document"};
        for (const char* name : {"actionFileNew", "actionFileOpen"}) {
            grid->sheet().SetText(11, 44, "stale");
            action(frame, name)->trigger();
            QCOMPARE(sheetText(grid->sheet()), shown);
        }
        QCOMPARE(frame.view()->findChildren<CSpreadSheet*>(), QList<CSpreadSheet*>{grid});
        CTimbraView view(profile);
        view.show();
        for (const QSize size : {QSize(1000, 300), QSize(200, 700)}) {
            view.resize(size);
            QCOMPARE(view.grid()->geometry(), QRect(QPoint(0, 0), size));
        }
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
        QTest::newRow("field data sheet") << "upland"
                                          << "fieldDataSheet"
                                          << "Stand Name" << 1;
        QTest::newRow("getting started") << "upland"
                                         << "gettingStarted"
                                         << "Getting Started Instructions" << -1;
        QTest::newRow("objectives") << "upland"
                                    << "objectiveDescriptions"
                                    << "Sugar maple is" << -1;
        QTest::newRow("input help") << "bottomland"
                                    << "inputHelp"
                                    << "CLEAR SPREADSHEET:" << 2;
        QTest::newRow("start-up help") << "bottomland"
                                       << "gettingStarted"
                                       << "INPUTTING STAND DATA:" << -1;
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
                    QCOMPARE(grid->horizontalHeader()->isVisibleTo(d), grid->sheet().GetColHeadingsShown());
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
                const QString printed = pdfText(pdf);
                if (!printed.isEmpty()) QCOMPARE(printed.count('\f'), printedPages);
            });
        QCOMPARE(prompter->printRequests, printedPages >= 0 ? 2 : 0);
    }

    // Save writes the empty document. Lowtimbra's preset file in the current folder is written only
    // while it is missing or empty; anything else asks for a name, as Timbra always does. A failed
    // save is told.
    void saveNeverClobbersAFile() {
        QTemporaryDir dir;
        const QString home = QDir::currentPath();
        QDir::setCurrent(dir.path());
        CMainFrame low(timbra::lowtimbraProfile());
        low.OnFileSave();
        QCOMPARE(QFileInfo("Timbra").exists() ? QFileInfo("Timbra").size() : -1, 0);
        QFile keep("Timbra");
        QVERIFY(keep.open(QIODevice::WriteOnly) && keep.write("someone's notes") == 15);
        keep.close();
        low.OnFileSave(); // asked, and cancelled
        QCOMPARE(prompter->presets, QStringList{"Timbra"});
        QCOMPARE(QFileInfo("Timbra").size(), 15);

        CMainFrame upland(timbra::timbraProfile());
        prompter->fileNames = {dir.filePath("stand.doc"), dir.filePath("missing/folder/stand.doc")};
        upland.OnFileSave();
        upland.OnFileSave();
        QVERIFY(QFileInfo::exists(dir.filePath("stand.doc")));
        QCOMPARE(prompter->captions, QStringList{"Timbra"});
        QVERIFY(prompter->messages[0].startsWith("Cannot save stand.doc"));
        QDir::setCurrent(home);
    }

    // Without a display the program says so in one line (a Wayland session is a display). A lock
    // light is on when any keyboard's is.
    void noDisplayAndLockLights() {
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
        QCOMPARE(none + '|' + wayland,
                 "lowtimbra: no display found; start it from a desktop session, or use timbra-cli|");

        QTemporaryDir leds;
        for (const auto& [name, brightness] : {std::pair{"input3::capslock", "0\n"},
                                               {"input7::capslock", "1\n"},
                                               {"input3::numlock", "0\n"},
                                               {"input3::scrolllock", "1\n"}}) {
            QDir(leds.path()).mkpath(name);
            QFile f(leds.filePath(name + QString("/brightness")));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(brightness) > 0);
        }
        const LockState on = readLockLights(leds.path()), absent = readLockLights(leds.filePath("absent"));
        QCOMPARE((QList<bool>{on.caps, on.num, on.scroll, absent.caps || absent.num || absent.scroll}),
                 (QList<bool>{true, false, true, false}));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
