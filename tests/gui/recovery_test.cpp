// The recovery copy of the input dialog's tally: offered back to a fresh dialog as one undoable
// step, deleted on No, Save as or leaving, kept aside when unreadable, and a failure to write it
// told once in the dialog's status line.
#include "input/CInputDialog.h"

#include "app/ProgramProfile.h"
#include "grid/CSpreadSheet.h"
#include "input/TallyFile.h"
#include "input/TallyRecovery.h"
#include "input_test_prompter.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>

#include <memory>

using timbra::ProgramProfile;

namespace {

// Every cell's text, so that two grids compare in one QCOMPARE.
QString cellsOf(const CInputDialog& d) {
    const timbra::Sheet& s = d.grid()->sheet();
    QString all;
    for (int r = 1; r <= s.GetMaxRows(); ++r)
        for (int c = 1; c <= s.GetMaxCols(); ++c)
            all += '[' + QString::fromStdString(s.GetText(c, r)) + ']';
    return all;
}

// A stand header and two trees in plot 1, then the copy written as losing focus writes it.
void typeStandAndLeaveIt(CInputDialog& d) {
    timbra::Sheet& tally = d.grid()->sheet();
    tally.SetText(3, 2, "Crash Hollow");
    for (int row : {6, 7}) {
        tally.SetText(1, row, "1");
        tally.SetText(5, row, "36");
    }
    tally.SetText(7, 7, "bad grade"); // kept, and marked when restored as after Open
    d.grid()->refresh();
    QEvent deactivate(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(&d, &deactivate);
    d.recovery()->waitForWrite();
}

} // namespace

class RecoveryTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TestPrompter> prompter;
    std::unique_ptr<QTemporaryDir> state;

    QString folder() const { return state->filePath(QStringLiteral("timbra")); }

    // A dialog as the user opens it, the recovery question (if any) asked.
    std::unique_ptr<CInputDialog> open(const ProgramProfile& profile) {
        auto d = std::make_unique<CInputDialog>(profile);
        d->show();
        QCoreApplication::processEvents();
        return d;
    }

private slots:
    void init() {
        state = std::make_unique<QTemporaryDir>();
        qputenv("XDG_STATE_HOME", state->path().toLocal8Bit());
        prompter = std::make_unique<TestPrompter>();
    }
    void cleanup() { prompter.reset(); }

    // Typed, copied, crashed (the dialog simply goes), reopened, restored: the same cells.
    void restoreCycle_data() {
        QTest::addColumn<bool>("upland");
        QTest::newRow("timbra") << true;
        QTest::newRow("lowtimbra") << false;
    }
    void restoreCycle() {
        QFETCH(bool, upland);
        const ProgramProfile& profile = upland ? timbra::timbraProfile() : timbra::lowtimbraProfile();
        const QString copy = folder() + QString::fromStdString("/" + profile.executable + "-recovery.txt");
        QString typed;
        {
            auto first = open(profile);
            first->recovery()->writeIfChanged(); // the opening grid holds nothing to recover
            first->recovery()->waitForWrite();
            QVERIFY(!QFile::exists(copy));
            typeStandAndLeaveIt(*first);
            typed = cellsOf(*first);
        }
        prompter->answers = {true};
        auto second = open(profile);
        QCOMPARE(prompter->questions.size(), 1);
        const QString asked = prompter->questions.first().text;
        QVERIFY2(QRegularExpression(
                     QStringLiteral(
                         R"(^A tally typed on .+ \(2 trees, from not saved\) was not saved\. Restore it\?$)"))
                     .match(asked)
                     .hasMatch(),
                 qPrintable(asked));
        QCOMPARE(cellsOf(*second), typed);
        QVERIFY(second->grid()->isMarked(7, 7));
        QCOMPARE(second->undoStack()->undoText(), QStringLiteral("Restore"));
        second->undoStack()->undo();
        QVERIFY(cellsOf(*second) != typed);

        // Still unsaved, so the copy stays until the user gives the tally up.
        QVERIFY(QFile::exists(copy));
        prompter->answers = {true};
        second->reject();
        QVERIFY(QDir(folder()).isEmpty());
    }

    void noDeletesTheCopy() {
        typeStandAndLeaveIt(*open(timbra::timbraProfile()));
        auto again = open(timbra::timbraProfile()); // no answer given: No
        QCOMPARE(prompter->questions.size(), 1);
        QCOMPARE(again->undoStack()->count(), 0);
        QVERIFY(QDir(folder()).isEmpty());
    }

    // Save as removes the copy; later changes are copied again, from the saved file.
    void saveAsRemovesTheCopy() {
        const ProgramProfile& profile = timbra::lowtimbraProfile();
        const QString saved = state->filePath(QStringLiteral("hollow.txt"));
        {
            auto d = open(profile);
            typeStandAndLeaveIt(*d);
            prompter->fileNames = {saved};
            d->findChild<QAction*>("actionSaveAs")->trigger();
            QVERIFY(QDir(folder()).isEmpty());
            d->grid()->sheet().SetText(3, 2, "Crash Hollow east");
            d->recovery()->writeIfChanged();
        }
        open(profile);
        QVERIFY(prompter->questions.value(0).text.contains("(2 trees, from " + saved + ")"));
    }

    void unreadableCopyIsKeptAside() {
        QDir().mkpath(folder());
        QFile garbage(folder() + "/timbra-recovery.txt");
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write(QByteArray(int(timbra::MaxTallyRowBytes) + 1, 'x')); // no tally has such a row
        garbage.close();
        open(timbra::timbraProfile());
        QCOMPARE(prompter->questions.size(), 0);
        const QStringList kept = QDir(folder()).entryList(QDir::Files);
        QCOMPARE(kept.size(), 1);
        QVERIFY(kept.first().startsWith("timbra-recovery-20"));
        QVERIFY(prompter->messageTexts().value(0).contains(folder() + '/' + kept.first()));
    }

    // A state folder that cannot be made (a file stands in its way, which binds root too): one line
    // in the dialog, however many tries, and no message box; it goes once a copy is written.
    void writeFailureIsToldOnceInTheStatusLine() {
        QFile blocker(folder());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        auto d = open(timbra::timbraProfile());
        auto* status = d->findChild<QLabel*>(QStringLiteral("recoveryStatus"));
        int told = 0;
        connect(d->recovery(), &TallyRecovery::statusChanged, this, [&told] { ++told; });
        auto typeAndCopy = [&d](const char* name) {
            d->grid()->sheet().SetText(3, 2, name);
            d->recovery()->writeIfChanged();
            d->recovery()->waitForWrite();
        };
        typeAndCopy("One");
        typeAndCopy("Two");
        QCOMPARE(told, 1);
        QVERIFY(!status->isHidden());
        QVERIFY2(status->text().contains("Not a directory"), qPrintable(status->text()));
        QFile::remove(folder());
        typeAndCopy("Three");
        QCOMPARE(told, 2);
        QVERIFY(status->isHidden());
        QCOMPARE(prompter->messages.size(), 0);
    }
};

QTEST_MAIN(RecoveryTest)
#include "recovery_test.moc"
