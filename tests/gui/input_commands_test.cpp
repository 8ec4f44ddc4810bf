// The spreadsheet commands of the input dialog, driven through their menu items.
#include "input/CInputDialog.h"

#include "app/ProgramProfile.h"
#include "grid/CSpreadSheet.h"
#include "input_test_prompter.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using timbra::ProgramProfile;

namespace {

const ProgramProfile& profileOf(const QString& model) {
    return *timbra::profileForModel(model.toStdString());
}

void trigger(CInputDialog& d, int id) {
    d.findChild<QAction*>(QStringLiteral("action%1").arg(id))->trigger();
}

QString text(const CInputDialog& d, int col, int row) {
    return QString::fromStdString(d.grid()->sheet().GetText(col, row));
}

// A stand header and one tree per species code, from row 6 down, all in plot 1.
void putStand(CInputDialog& d, const ProgramProfile& profile, const QStringList& codes = {"YLP"}) {
    timbra::Sheet& tally = d.grid()->sheet();
    tally.SetText(3, 2, "North Ridge");
    tally.SetText(8, 2, "Half acre");
    tally.SetText(10, 2, "3");
    if (profile.hasProvince) tally.SetText(10, 3, "Western Rim");
    const QStringList tree = {"1", "", "", "Desirable", "36", "2.0", "1", "High", "Dominant", "Preferred"};
    for (int row = 6; row < 6 + codes.size(); ++row) {
        for (int col = 1; col <= 10; ++col)
            tally.SetText(col, row, tree[col - 1].toStdString());
        tally.SetText(3, row, codes[row - 6].toStdString());
    }
    d.grid()->refresh();
}

void addModels() {
    QTest::addColumn<QString>("model");
    QTest::newRow("upland") << QStringLiteral("upland");
    QTest::newRow("bottomland") << QStringLiteral("bottomland");
}

} // namespace

class InputCommandsTest : public QObject {
    Q_OBJECT
private slots:
    // New and Clear Spreadsheet reset the tally but leave the run's results and the cursor.
    void newAndClear_data() { addModels(); }
    void newAndClear() {
        QFETCH(QString, model);
        const ProgramProfile& profile = profileOf(model);
        TestPrompter prompter;
        CInputDialog dialog(profile);
        putStand(dialog, profile);
        dialog.OnRun();
        const QString cutoff = dialog.findChild<QLineEdit*>(QStringLiteral("cutoffBox"))->text();
        dialog.findChild<QCheckBox*>(QStringLiteral("objective2"))->click();
        dialog.grid()->SetActiveCell(4, 9);

        if (profile.clearId != 0) {
            trigger(dialog, profile.clearId);
            QCOMPARE(text(dialog, 3, 2), QStringLiteral("North Ridge"));
            QCOMPARE(text(dialog, 1, 6), QStringLiteral("0"));
            QCOMPARE(text(dialog, 4, 6), QStringLiteral(" "));
            QVERIFY(dialog.findChild<QCheckBox*>(QStringLiteral("objective2"))->isChecked());
            putStand(dialog, profile);
        }

        trigger(dialog, profile.newId);
        QCOMPARE(text(dialog, 3, 2), QString());
        QCOMPARE(text(dialog, 10, 2), QStringLiteral("0"));
        QCOMPARE(text(dialog, 8, 2), QStringLiteral("Half acre"));
        QCOMPARE(dialog.grid()->model()->index(5, 3).data().toString(), QStringLiteral(" "));
        QCOMPARE(text(dialog, 5, 6), QString());
        QVERIFY(dialog.findChild<QCheckBox*>(QStringLiteral("objective1"))->isChecked());
        QVERIFY(!dialog.findChild<QCheckBox*>(QStringLiteral("objective2"))->isChecked());
        QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("cutoffBox"))->text(), cutoff);
        QCOMPARE(dialog.results().standName, std::string("North Ridge"));
        QCOMPARE(dialog.grid()->currentIndex(), dialog.grid()->model()->index(8, 3));
    }

    void saveThenOpen_data() { addModels(); }
    void saveThenOpen() {
        QFETCH(QString, model);
        const ProgramProfile& profile = profileOf(model);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("stand.txt"));
        TestPrompter prompter;
        CInputDialog dialog(profile);
        putStand(dialog, profile, {"YLP", "SWG"});
        prompter.fileNames = {path};
        trigger(dialog, profile.saveAsId);
        QCOMPARE(prompter.presets.first() + prompter.suffixes.first(), QStringLiteral("*.txttxt"));

        trigger(dialog, profile.newId);
        prompter.fileNames = {path};
        trigger(dialog, profile.openId);
        QCOMPARE(prompter.messageTexts(), QStringList());
        QCOMPARE(text(dialog, 3, 2), QStringLiteral("North Ridge"));
        QCOMPARE(text(dialog, 10, 2), QStringLiteral("3"));
        if (profile.hasProvince) QCOMPARE(text(dialog, 10, 3), QStringLiteral("Western Rim"));
        QCOMPARE(text(dialog, 3, 7), QStringLiteral("SWG"));
        QCOMPARE(dialog.grid()->model()->index(6, 9).data().toString(), QStringLiteral("Preferred"));
    }

    // A failed Open or Save as says which file and why; a failed Open leaves the grid alone.
    void failuresAreReported() {
        const ProgramProfile& profile = timbra::timbraProfile();
        QTemporaryDir dir;
        TestPrompter prompter;
        CInputDialog dialog(profile);
        putStand(dialog, profile);
        prompter.fileNames = {dir.filePath(QStringLiteral("missing.txt")),
                              dir.filePath(QStringLiteral("no/stand.txt"))};
        trigger(dialog, profile.openId);
        trigger(dialog, profile.saveAsId);
        QCOMPARE(prompter.messages.size(), 2);
        QVERIFY(prompter.messages[0].text.contains(QStringLiteral("missing.txt")));
        QVERIFY(prompter.messages[1].text.contains(QStringLiteral("stand.txt")));
        QCOMPARE(text(dialog, 3, 6), QStringLiteral("YLP"));
    }

    // Values a file brings that the tally's editors refuse are marked, and the user told once.
    void openMarksRefusedCells() {
        const ProgramProfile& profile = timbra::timbraProfile();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("edited.txt"));
        TestPrompter prompter;
        CInputDialog dialog(profile);
        putStand(dialog, profile);
        prompter.fileNames = {path, path};
        trigger(dialog, profile.saveAsId);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QByteArray edited = file.readAll().replace(",36,", ",99,").replace("Preferred", "Best");
        file.resize(0);
        file.write(edited);
        file.close();

        trigger(dialog, profile.openId);
        QCOMPARE(prompter.messages.size(), 1);
        QVERIFY2(prompter.messages.first().text.startsWith(QStringLiteral("2 cells")),
                 qPrintable(prompter.messages.first().text));
        QVERIFY(dialog.grid()->isMarked(5, 6));
        QVERIFY(dialog.grid()->isMarked(10, 6));
        QVERIFY(!dialog.grid()->isMarked(4, 6));
    }

    // Paste takes what each cell's editor accepts and leaves the rest.
    void paste() {
        const ProgramProfile& profile = timbra::lowtimbraProfile();
        TestPrompter prompter;
        CInputDialog dialog(profile);
        QApplication::clipboard()->setText(QStringLiteral("14\t2\r\n99\t9\r\n"));
        dialog.grid()->SetActiveCell(5, 6);
        trigger(dialog, profile.pasteId);
        QCOMPARE(dialog.grid()->sheet().GetInteger(5, 6), 14);
        QCOMPARE(dialog.grid()->sheet().GetFloat(6, 6), 2.0);
        QCOMPARE(dialog.grid()->sheet().GetInteger(5, 7), 0);
        QCOMPARE(dialog.grid()->sheet().GetFloat(6, 7), 0.0);
    }

    // Print covers the header and the tally down to its end marker (upland) or its last tree.
    void print_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<bool>("markerRowPrinted");
        QTest::newRow("upland") << QStringLiteral("upland") << true;
        QTest::newRow("bottomland") << QStringLiteral("bottomland") << false;
    }
    void print() {
        QFETCH(QString, model);
        QFETCH(bool, markerRowPrinted);
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty()) QSKIP("pdftotext is not installed");
        const ProgramProfile& profile = profileOf(model);
        QTemporaryDir dir;
        TestPrompter prompter;
        prompter.pdfPath = dir.filePath(QStringLiteral("tally.pdf"));
        CInputDialog dialog(profile);
        putStand(dialog, profile, {"RAA", "RBB", "RCC", "RDD", "MMM", "QQQ"});
        dialog.grid()->sheet().SetText(1, 10, "0"); // the tally ends after tree 4

        trigger(dialog, profile.printId);
        QCOMPARE(prompter.messageTexts(), QStringList());
        QProcess extract;
        extract.start(pdftotext, {QStringLiteral("-layout"), prompter.pdfPath, QStringLiteral("-")});
        QVERIFY(extract.waitForFinished());
        const QString printed = QString::fromUtf8(extract.readAllStandardOutput());
        for (const char* expected : {"North Ridge", "Crown Class", "RAA", "RDD"})
            QVERIFY2(printed.contains(QLatin1String(expected)), expected);
        QCOMPARE(printed.contains(QLatin1String("MMM")), markerRowPrinted);
        QVERIFY(!printed.contains(QLatin1String("QQQ")));
    }
};

QTEST_MAIN(InputCommandsTest)
#include "input_commands_test.moc"
