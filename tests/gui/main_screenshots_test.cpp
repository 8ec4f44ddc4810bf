// Takes the documentation's screenshots from the real windows. Skipped unless
// TIMBRA_SCREENSHOT_DIR names the folder to write them to. From the top of the tree, with
// TIMBRA_SCREENSHOT_DIR=docs/screenshots and QT_QPA_PLATFORM=xcb in the environment, run
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/tests/test_gui_main_screenshots_test

#include "app/CMainFrame.h"
#include "gui/input_test_prompter.h"
#include "gui/main_stand_test.h"
#include "report/CTimbraView.h"

#include <QDir>
#include <QTest>

namespace {

// A mixed stand of three plots: (plot, species, species class, dbh, height, grade, vigor, crown, tree class).
struct Tree {
    int plot;
    const char *species, *speciesClass;
    int dbh;
    double height;
    int grade;
    const char *vigor, *crown, *treeClass;
};
const Tree stand[] = {
    {1, "WHO", "Desirable", 18, 2.5, 1, "High", "Dominant", "Preferred"},
    {1, "NRO", "Desirable", 22, 3.0, 1, "High", "Co-dominant", "Preferred"},
    {1, "HIC", "Unacceptable", 14, 1.5, 3, "Medium", "Intermediate", "Cutting Stock"},
    {1, "BLG", "Unacceptable", 8, 0, 0, " ", " ", "Cull"},
    {2, "CHO", "Desirable", 16, 2.0, 2, "Medium", "Co-dominant", "Reserve"},
    {2, "WAS", "Desirable", 12, 1.5, 2, "High", "Intermediate", "Preferred"},
    {2, "RMA", "Unacceptable", 10, 0, 0, " ", " ", "Cutting Stock"},
    {3, "SRO", "Desirable", 20, 2.5, 1, "High", "Dominant", "Preferred"},
    {3, "BLO", "Desirable", 24, 3.0, 2, "Medium", "Dominant", "Reserve"},
    {3, "SWG", "Acceptable", 14, 2.0, 2, "Low", "Suppressed", "Cutting Stock"},
};

void writeMixedStand(const timbra::ProgramProfile& profile, timbra::Sheet& tally) {
    tally.SetText(3, 2, "Pine Knob Hardwoods");
    tally.SetText(3, 3, "Compartment 7, north slope");
    tally.SetInteger(10, 2, 3);
    if (profile.hasProvince) tally.SetText(10, 3, "Cumberland");
    int row = 6;
    for (const Tree& t : stand) {
        tally.SetInteger(1, row, t.plot);
        tally.SetInteger(2, row, row - 5);
        tally.SetText(3, row, t.species);
        tally.SetText(4, row, t.speciesClass);
        tally.SetInteger(5, row, t.dbh);
        tally.SetFloat(6, row, t.height);
        tally.SetInteger(7, row, t.grade);
        tally.SetText(8, row, t.vigor);
        tally.SetText(9, row, t.crown);
        tally.SetText(10, row, t.treeClass);
        ++row;
    }
}

} // namespace

class ScreenshotsTest : public QObject {
    Q_OBJECT
private slots:
    void mainWindowsAndInputDialog();
};

void ScreenshotsTest::mainWindowsAndInputDialog() {
    const QString folder = qEnvironmentVariable("TIMBRA_SCREENSHOT_DIR");
    if (folder.isEmpty()) QSKIP("set TIMBRA_SCREENSHOT_DIR to take the screenshots");
    QDir().mkpath(folder);
    TestPrompter prompter;

    for (const auto* profile : {&timbra::timbraProfile(), &timbra::lowtimbraProfile()}) {
        const QString name = QString::fromStdString(profile->executable);
        CMainFrame frame(*profile);
        frame.resize(1100, 800);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        whileModal([&] { frame.command(profile->inputDataId)->trigger(); },
                   [&](QDialog* d) {
                       auto* dialog = qobject_cast<CInputDialog*>(d);
                       writeMixedStand(*profile, dialog->grid()->sheet());
                       dialog->grid()->refresh();
                       dialog->OnRun();
                       dialog->resize(1000, 640);
                       QTest::qWait(200);
                       QVERIFY(dialog->grab().save(folder + "/" + name + "-input.png"));
                       prompter.answers = {true};
                       dialog->accept();
                   });
        frame.command(profile->viewResultsId)->trigger();
        QTest::qWait(200);
        QVERIFY(frame.grab().save(folder + "/" + name + "-report.png"));
    }
}

QTEST_MAIN(ScreenshotsTest)
#include "main_screenshots_test.moc"
