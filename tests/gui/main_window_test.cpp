// Start-up and the main window of both programs: title, menus, status bar, welcome dialog,
// menu commands, reference pages and the document keys.

#include "app/CAboutDialog.h"
#include "app/CMainFrame.h"
#include "app/CWelcomeDialog.h"
#include "app/LockIndicators.h"
#include "app/ReferencePageDialog.h"
#include "app/Startup.h"
#include "gui/input_test_prompter.h"
#include "gui/main_stand_test.h"
#include "report/CTimbraView.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

using timbra::ProgramProfile;

namespace {

const ProgramProfile& profileNamed(const QString& name) {
    return name == "Timbra" ? timbra::timbraProfile() : timbra::lowtimbraProfile();
}

// The menu bar as "Title: item, item, -, item" lines, separators as "-".
QStringList menuLayout(const CMainFrame& frame) {
    QStringList menus;
    for (QAction* top : frame.menuBar()->actions()) {
        QStringList items;
        for (QAction* a : top->menu()->actions())
            items << (a->isSeparator() ? QString("-") : a->text());
        menus << top->text() + ": " + items.join(", ");
    }
    return menus;
}

QString labelText(const QWidget& parent, const char* name) {
    auto* label = parent.findChild<QLabel*>(name);
    return label ? label->text() : QString("<missing>");
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() { prompter = std::make_unique<TestPrompter>(); }
    void cleanup() { prompter.reset(); }

    void startUp_data();
    void startUp();
    void statusBarToggles();
    void commandsOpenTheirDialogs();
    void referencePages_data();
    void referencePages();
    void saveNeverClobbersAFile();
    void noDisplayIsOneLine();
    void lockLightsFromKeyboardLeds();

private:
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
        << QStringList{"&View: &Status Bar", "Model: Input data", "Results: View Results, Print Results",
                       "&Help: Getting Started, -, Field Instructions, Field Data Sheet, -, "
                       "&About Timbra..."}
        << "Welcome to Timbra-Upland";
    QTest::newRow("Lowtimbra")
        << "Lowtimbra"
        << "Devevovivo Zezodidu Zodor - Timbra"
        << QStringList{"&View: &Status Bar", "Model: Input Data", "Results: View Results, Print Results",
                       "Getting Started: Start-up Help, -, Field Instructions, Field Data "
                       "Sheet, -, &About Timbra..."}
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
        QCOMPARE(dialog->windowTitle(), welcome);
        auto* frame = qobject_cast<CMainFrame*>(dialog->parentWidget());
        QVERIFY(frame && frame->isVisible() && frame->isMaximized());
        QStringList boxes;
        for (auto* box : dialog->findChildren<QGroupBox*>())
            boxes << box->title();
        QCOMPARE(boxes,
                 (QStringList{QString::fromStdString(profile.welcomeGroupTitle), "Software Disclaimer"}));
        QCOMPARE(labelText(*dialog, "closingLine"), QString::fromStdString(profile.welcomeClosingLine));
        dialog->findChild<QPushButton*>("okButton")->click();
        QTimer::singleShot(0, answer); // catches a second welcome, should one come
    };
    QTimer::singleShot(0, answer);
    const auto frame = startProgram(profile);
    QApplication::processEvents();
    QCOMPARE(welcomes, 1);

    QCOMPARE(frame->windowTitle(), title);
    QVERIFY(frame->isMaximized());
    QCOMPARE(menuLayout(*frame), menus);
    QCOMPARE(labelText(*frame->statusBar(), "messagePane"), QString("Ready"));
    QCOMPARE(labelText(*frame->statusBar(), "capsIndicator"), QString("CAP"));
    QCOMPARE(labelText(*frame->statusBar(), "numIndicator"), QString("NUM"));
    QCOMPARE(labelText(*frame->statusBar(), "scrollIndicator"), QString("SCRL"));
    QCOMPARE(frame->centralWidget(), frame->view());
}

void MainWindowTest::statusBarToggles() {
    CMainFrame frame(timbra::timbraProfile());
    frame.show();
    QAction* toggle = frame.command(ProgramProfile::StatusBarId);
    QVERIFY(toggle->isCheckable());
    QVERIFY(toggle->isChecked());
    toggle->trigger();
    QCOMPARE(toggle->isChecked(), false);
    QCOMPARE(frame.statusBar()->isVisible(), false);
    toggle->trigger();
    QCOMPARE(frame.statusBar()->isVisible(), true);
}

void MainWindowTest::commandsOpenTheirDialogs() {
    const ProgramProfile& profile = timbra::lowtimbraProfile();
    CMainFrame frame(profile);
    QString opened;
    const auto record = [&](QDialog* d) { opened = d->metaObject()->className() + (":" + d->windowTitle()); };
    whileModal([&] { frame.command(profile.inputDataId)->trigger(); }, record);
    QCOMPARE(opened, QString("CInputDialog:Bottomland Input"));
    QVERIFY(frame.view()->dialog());
    whileModal([&] { frame.command(ProgramProfile::AboutId)->trigger(); }, record);
    QCOMPARE(opened, QString("CAboutDialog:About Timbra"));

    // The Results commands reach the view.
    whileModal([&] { frame.command(profile.inputDataId)->trigger(); },
               [&](QDialog* d) {
                   runStand(profile, *qobject_cast<CInputDialog*>(d), 2);
                   prompter->answers = {true};
                   d->accept();
               });
    frame.command(profile.viewResultsId)->trigger();
    QCOMPARE(frame.view()->grid()->sheet().GetText(1, 2),
             std::string("TIMBRA DECISION-MAKER STAND ANALYSIS"));
    frame.command(profile.printResultsId)->trigger();
    QCOMPARE(prompter->printRequests, 1);

    // Ctrl+N and Ctrl+O lay a fresh sheet, which refills since the results are still asked for.
    QCOMPARE(frame.command(CMainFrame::NewId)->shortcut(), QKeySequence("Ctrl+N"));
    auto& report = frame.view()->grid()->sheet();
    report.SetText(11, 44, "stale");
    frame.command(CMainFrame::NewId)->trigger();
    QCOMPARE(report.GetText(11, 44), std::string());
    report.SetText(11, 44, "stale");
    prompter->fileNames = {"/tmp/any-document"};
    frame.command(CMainFrame::OpenId)->trigger();
    QCOMPARE(prompter->presets.size(), 1);
    QCOMPARE(report.GetText(11, 44), std::string());
    QCOMPARE(report.GetText(1, 2), std::string("TIMBRA DECISION-MAKER STAND ANALYSIS"));
}

void MainWindowTest::referencePages_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("firstText"); // the page's first text: a grid cell, or a label
    QTest::addColumn<bool>("printable");
    QTest::newRow("Timbra getting started") << "Timbra"
                                            << "gettingStarted"
                                            << "Getting Started"
                                            << "Getting Started Instructions" << false;
    QTest::newRow("Timbra field instructions")
        << "Timbra"
        << "fieldInstructions"
        << "Field Instructions"
        << "Field Instructions for \"Timbra - Bottomland Decision-Maker\"" << true;
    QTest::newRow("Timbra field data sheet") << "Timbra"
                                             << "fieldDataSheet"
                                             << "Field Data Sheet"
                                             << "Stand Name" << true;
    QTest::newRow("Lowtimbra start-up help") << "Lowtimbra"
                                             << "gettingStarted"
                                             << "Getting Started"
                                             << "INPUTTING STAND DATA:" << false;
    QTest::newRow("Lowtimbra field instructions")
        << "Lowtimbra"
        << "fieldInstructions"
        << "Field Instructions"
        << "Field Instructions for \"Timbra - Bottomland Decision-Maker\"" << true;
    QTest::newRow("Lowtimbra field data sheet") << "Lowtimbra"
                                                << "fieldDataSheet"
                                                << "Field Data Sheet"
                                                << "Stand Name" << true;
}

// Each page opens from its menu item with its stored content, the same at every opening, and
// prints from its Print button without closing.
void MainWindowTest::referencePages() {
    QFETCH(QString, program);
    QFETCH(QString, page);
    QFETCH(QString, caption);
    QFETCH(QString, firstText);
    QFETCH(bool, printable);
    const ProgramProfile& profile = profileNamed(program);
    const int id = page == "gettingStarted"      ? profile.gettingStartedId
                   : page == "fieldInstructions" ? profile.fieldInstructionsId
                                                 : profile.fieldDataSheetId;
    CMainFrame frame(profile);
    QTemporaryDir dir;

    QStringList firstTexts;
    for (int opening = 1; opening <= 2; ++opening) {
        whileModal([&] { frame.command(id)->trigger(); },
                   [&](QDialog* d) {
                       auto* pageDialog = qobject_cast<ReferencePageDialog*>(d);
                       QVERIFY(pageDialog);
                       QCOMPARE(d->windowTitle(), caption);
                       QString first;
                       if (CSpreadSheet* grid = pageDialog->grid()) {
                           const auto& s = grid->sheet();
                           for (int r = 1; r <= s.GetMaxRows() && first.isEmpty(); ++r)
                               for (int c = 1; c <= s.GetMaxCols() && first.isEmpty(); ++c)
                                   first = QString::fromStdString(s.GetText(c, r)).trimmed();
                           grid->sheet().SetText(1, 1, "scribbled"); // gone at the next opening
                       } else {
                           for (auto* label : d->findChildren<QLabel*>())
                               if (first.isEmpty()) first = label->text();
                       }
                       firstTexts << first;
                       auto* print = d->findChild<QPushButton*>("print");
                       QCOMPARE(print != nullptr, printable);
                       if (print) {
                           prompter->pdfPath = dir.filePath(QString("page%1.pdf").arg(opening));
                           print->click();
                           QVERIFY(d->isVisible());
                           QVERIFY(QFileInfo(prompter->pdfPath).size() > 0);
                       }
                   });
    }
    QCOMPARE(firstTexts, (QStringList{firstText, firstText}));
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
    QVERIFY(QFileInfo::exists("Timbra"));
    QCOMPARE(QFileInfo("Timbra").size(), 0);
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
    prompter->fileNames = {dir.filePath("stand.doc")};
    upland.OnFileSave();
    QCOMPARE(prompter->presets.size(), 2);
    QVERIFY(QFileInfo::exists(dir.filePath("stand.doc")));

    prompter->fileNames = {dir.filePath("missing/folder/stand.doc")};
    upland.OnFileSave();
    QCOMPARE(prompter->messages.size(), 1);
    QCOMPARE(prompter->messages[0].caption, QString("Timbra"));
    QVERIFY(prompter->messages[0].text.startsWith("Cannot save stand.doc"));
    QDir::setCurrent(home);
}

void MainWindowTest::noDisplayIsOneLine() {
    const QByteArray saved[] = {qgetenv("QT_QPA_PLATFORM"), qgetenv("DISPLAY"), qgetenv("WAYLAND_DISPLAY")};
    qunsetenv("QT_QPA_PLATFORM");
    qunsetenv("DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
    const QString none = noDisplayMessage(timbra::lowtimbraProfile());
    qputenv("WAYLAND_DISPLAY", "wayland-0");
    const QString wayland = noDisplayMessage(timbra::lowtimbraProfile());
    qputenv("QT_QPA_PLATFORM", saved[0]);
    qputenv("DISPLAY", saved[1]);
    qputenv("WAYLAND_DISPLAY", saved[2]);

    QCOMPARE(none,
             QString("lowtimbra: no display found; start it from a desktop session, or use timbra-cli"));
    QCOMPARE(wayland, QString());
}

void MainWindowTest::lockLightsFromKeyboardLeds() {
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
    QCOMPARE(state.caps, true);
    QCOMPARE(state.num, false);
    QCOMPARE(state.scroll, true);

    const LockState none = readLockLights(leds.filePath("absent"));
    QCOMPARE(none.caps || none.num || none.scroll, false);
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
