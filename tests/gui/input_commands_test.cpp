// The spreadsheet commands of the input dialog's menu bar, driven through their menu actions.
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

void trigger(CInputDialog& dialog, int id) {
    auto* action = dialog.findChild<QAction*>(QStringLiteral("action%1").arg(id));
    QVERIFY2(action, qPrintable(QStringLiteral("no menu item %1").arg(id)));
    action->trigger();
}

QString text(const CInputDialog& dialog, int col, int row) {
    return QString::fromStdString(dialog.grid()->sheet().GetText(col, row));
}

QList<int> checkedObjectives(const CInputDialog& dialog, const ProgramProfile& profile) {
    QList<int> checked;
    for (int n = 1; n <= profile.objectiveCount; ++n)
        if (dialog.findChild<QCheckBox*>(QStringLiteral("objective%1").arg(n))->isChecked()) checked << n;
    return checked;
}

QPoint cursor(const CInputDialog& dialog) {
    const QModelIndex index = dialog.grid()->currentIndex();
    return {index.column() + 1, index.row() + 1};
}

// A stand header and one tree per code, in rows 6 down, all in plot 1.
void putStand(CInputDialog& dialog, const ProgramProfile& profile, const QStringList& codes = {"YLP"}) {
    timbra::Sheet& tally = dialog.grid()->sheet();
    tally.SetText(3, 2, "North Ridge");
    tally.SetText(3, 3, "Upper Creek");
    tally.SetText(8, 2, "Half acre");
    tally.SetText(10, 2, "3");
    if (profile.hasProvince) tally.SetText(10, 3, "Western Rim");
    for (int i = 0; i < codes.size(); ++i) {
        const int row = 6 + i;
        const char* cells[] = {"1", "", "", "Desirable", "14", "2.0", "1", "High", "Dominant", "Preferred"};
        for (int col = 1; col <= 10; ++col)
            if (col != 2 && col != 3) tally.SetText(col, row, cells[col - 1]);
        tally.SetText(3, row, codes[i].toStdString());
    }
    dialog.grid()->refresh();
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
    void newAndClear_data() { addModels(); }
    void newAndClear() {
        QFETCH(QString, model);
        const ProgramProfile& profile = profileOf(model);
        TestPrompter prompter;
        CInputDialog dialog(profile);
        putStand(dialog, profile);
        dialog.OnRun();
        const QString cutoff = dialog.findChild<QLineEdit*>(QStringLiteral("cutoffBox"))->text();
        QVERIFY(!cutoff.isEmpty());
        dialog.findChild<QCheckBox*>(QStringLiteral("objective2"))->click();
        dialog.grid()->SetActiveCell(4, 9);

        // Clear Spreadsheet, where the program has it, empties the trees only.
        QCOMPARE(dialog.findChild<QAction*>(QStringLiteral("action%1").arg(profile.clearId)) != nullptr,
                 profile.clearId != 0);
        if (profile.clearId != 0) {
            trigger(dialog, profile.clearId);
            QCOMPARE(text(dialog, 3, 2), QStringLiteral("North Ridge"));
            QCOMPARE(text(dialog, 10, 2), QStringLiteral("3"));
            QCOMPARE(text(dialog, 1, 6), QStringLiteral("0"));
            QCOMPARE(text(dialog, 4, 6), QStringLiteral(" "));
            QCOMPARE(checkedObjectives(dialog, profile), QList<int>{2});
            putStand(dialog, profile);
        }

        trigger(dialog, profile.newId);
        QCOMPARE(text(dialog, 3, 2), QString());
        QCOMPARE(text(dialog, 3, 3), QString());
        QCOMPARE(text(dialog, 10, 2), QStringLiteral("0"));
        QCOMPARE(text(dialog, 8, 2), QStringLiteral("Half acre"));
        if (profile.hasProvince) QCOMPARE(text(dialog, 10, 3), QStringLiteral("Western Rim"));
        for (int row : {6, 7, profile.tally.lastClearedRow}) {
            QCOMPARE(text(dialog, 1, row), QStringLiteral("0"));
            for (int col : {3, 4, 8, 9, 10})
                QCOMPARE(text(dialog, col, row), QStringLiteral(" "));
            for (int col : {5, 6, 7})
                QCOMPARE(text(dialog, col, row), QString());
        }
        QCOMPARE(checkedObjectives(dialog, profile), QList<int>{1});
        QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("cutoffBox"))->text(), cutoff);
        QCOMPARE(dialog.results().standName, std::string("North Ridge"));
        QCOMPARE(cursor(dialog), QPoint(4, 9));
        // What the grid shows follows the sheet.
        const auto* view = dialog.grid()->model();
        QCOMPARE(view->data(view->index(1, 2)).toString(), QString());
    }

    void saveThenOpen_data() { addModels(); }
    void saveThenOpen() {
        QFETCH(QString, model);
        const ProgramProfile& profile = profileOf(model);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("stand.txt"));
        TestPrompter prompter;
        CInputDialog dialog(profile);
        putStand(dialog, profile, {"YLP", "SWG", "WAO"});

        prompter.fileNames = {path};
        trigger(dialog, profile.saveAsId);
        QCOMPARE(prompter.presets, QStringList{"*.txt"});
        QCOMPARE(prompter.suffixes, QStringList{"txt"});
        QVERIFY(prompter.filters.first().startsWith(QStringLiteral("TEXT FILES (.txt)")));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.contains("North Ridge,"));
        QVERIFY(bytes.contains('\r'));
        QVERIFY(!bytes.contains('\n'));

        trigger(dialog, profile.newId);
        prompter.fileNames = {path};
        trigger(dialog, profile.openId);
        QCOMPARE(prompter.messages.size(), 0);
        QCOMPARE(text(dialog, 3, 2), QStringLiteral("North Ridge"));
        QCOMPARE(text(dialog, 3, 3), QStringLiteral("Upper Creek"));
        QCOMPARE(text(dialog, 8, 2), QStringLiteral("Half acre"));
        QCOMPARE(text(dialog, 10, 2), QStringLiteral("3"));
        if (profile.hasProvince) QCOMPARE(text(dialog, 10, 3), QStringLiteral("Western Rim"));
        QCOMPARE(text(dialog, 3, 7), QStringLiteral("SWG"));
        QCOMPARE(text(dialog, 10, 8), QStringLiteral("Preferred"));
        QCOMPARE(dialog.grid()->sheet().GetFloat(6, 8), 2.0);

        // Cancelling the file dialogs does nothing.
        trigger(dialog, profile.openId);
        trigger(dialog, profile.saveAsId);
        QCOMPARE(prompter.messages.size(), 0);
        QCOMPARE(text(dialog, 3, 2), QStringLiteral("North Ridge"));
    }

    void failedOpenKeepsTheGrid() {
        const ProgramProfile& profile = timbra::timbraProfile();
        QTemporaryDir dir;
        const QString missing = dir.filePath(QStringLiteral("missing.txt"));
        TestPrompter prompter;
        CInputDialog dialog(profile);
        putStand(dialog, profile);
        prompter.fileNames = {missing};
        trigger(dialog, profile.openId);
        QCOMPARE(prompter.messages.size(), 1);
        QVERIFY2(prompter.messages.first().text.contains(QStringLiteral("missing.txt")),
                 qPrintable(prompter.messages.first().text));
        QCOMPARE(text(dialog, 3, 2), QStringLiteral("North Ridge"));
        QCOMPARE(text(dialog, 3, 6), QStringLiteral("YLP"));

        // A failed save says so too, and names the file.
        prompter.fileNames = {dir.filePath(QStringLiteral("no/such/folder/stand.txt"))};
        trigger(dialog, profile.saveAsId);
        QCOMPARE(prompter.messages.size(), 2);
        QVERIFY(prompter.messages.last().text.contains(QStringLiteral("stand.txt")));
    }

    // A file edited elsewhere may hold values the tally's editors refuse: they are marked, and the
    // user is told once.
    void openMarksRefusedCells() {
        const ProgramProfile& profile = timbra::timbraProfile();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("edited.txt"));
        TestPrompter prompter;
        CInputDialog dialog(profile);
        putStand(dialog, profile);
        dialog.grid()->sheet().SetText(5, 6, "36");
        prompter.fileNames = {path, path};
        trigger(dialog, profile.saveAsId);

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll();
        QCOMPARE(bytes.count(",36,"), qsizetype(1));
        bytes.replace(",36,", ",99,").replace("Preferred", "Best");
        file.resize(0);
        file.write(bytes);
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
    void paste_data() { addModels(); }
    void paste() {
        QFETCH(QString, model);
        const ProgramProfile& profile = profileOf(model);
        TestPrompter prompter;
        CInputDialog dialog(profile);
        QApplication::clipboard()->setText(QStringLiteral("14\t2\r\n99\t9\r\n"));
        dialog.grid()->SetActiveCell(5, 6);
        trigger(dialog, profile.pasteId);
        QCOMPARE(dialog.grid()->sheet().GetInteger(5, 6), 14);
        QCOMPARE(dialog.grid()->sheet().GetFloat(6, 6), 2.0);
        QCOMPARE(dialog.grid()->sheet().GetInteger(5, 7), 0);
        QCOMPARE(dialog.grid()->sheet().GetFloat(6, 7), 0.0);

        // Copy and paste a block within the grid.
        dialog.grid()->SetActiveCell(5, 6);
        trigger(dialog, profile.copyId);
        dialog.grid()->SetActiveCell(5, 20);
        trigger(dialog, profile.pasteId);
        QCOMPARE(dialog.grid()->sheet().GetInteger(5, 20), 14);
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
        dialog.grid()->refresh();

        trigger(dialog, profile.printId);
        QCOMPARE(prompter.printRequests, 1);
        QCOMPARE(prompter.messageTexts(), QStringList());
        QProcess extract;
        extract.start(pdftotext, {QStringLiteral("-layout"), prompter.pdfPath, QStringLiteral("-")});
        QVERIFY(extract.waitForFinished());
        const QString printed = QString::fromUtf8(extract.readAllStandardOutput());
        for (const char* expected : {"North Ridge", "Plot #", "Crown Class", "RAA", "RDD"})
            QVERIFY2(printed.contains(QLatin1String(expected)), expected);
        QCOMPARE(printed.contains(QLatin1String("MMM")), markerRowPrinted);
        QVERIFY(!printed.contains(QLatin1String("QQQ")));
        QVERIFY(!dialog.grid()->sheet().GetBlockMode());
    }
};

QTEST_MAIN(InputCommandsTest)
#include "input_commands_test.moc"
