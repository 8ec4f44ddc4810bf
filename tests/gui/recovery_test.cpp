// The recovery copy of the input dialog's tally: written while changes are unsaved, offered back to
// a fresh dialog, deleted on No, Save as or leaving, kept aside when unreadable, and a failure to
// write told once in the dialog's status line.
#include "input/CInputDialog.h"

#include "app/ProgramProfile.h"
#include "grid/CSpreadSheet.h"
#include "input/RecoveryFile.h"
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

const ProgramProfile& profileOf(const QString& model) {
    return *timbra::profileForModel(model.toStdString());
}

// Every cell's text, so that two grids compare in one QCOMPARE.
QString cellsOf(const CInputDialog& d) {
    const timbra::Sheet& s = d.grid()->sheet();
    QString all;
    for (int r = 1; r <= s.GetMaxRows(); ++r)
        for (int c = 1; c <= s.GetMaxCols(); ++c)
            all += '[' + QString::fromStdString(s.GetText(c, r)) + ']';
    return all;
}

// A typed stand: its header and two trees in plot 1.
void typeStand(CInputDialog& d) {
    timbra::Sheet& tally = d.grid()->sheet();
    tally.SetText(3, 2, "Crash Hollow");
    tally.SetText(10, 2, "1");
    for (int row : {6, 7}) {
        tally.SetText(1, row, "1");
        tally.SetText(3, row, row == 6 ? "YLP" : "SWG");
        tally.SetText(5, row, "36");
    }
    d.grid()->refresh();
}

void writeCopy(CInputDialog& d) {
    d.recovery()->writeIfChanged();
    d.recovery()->waitForWrite();
}

void trigger(CInputDialog& d, int id) {
    d.findChild<QAction*>(QStringLiteral("action%1").arg(id))->trigger();
}

} // namespace

class RecoveryTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TestPrompter> prompter;
    std::unique_ptr<QTemporaryDir> state;

    QString copyPath(const ProgramProfile& profile) const {
        return state->filePath(QString::fromStdString("timbra/" + profile.executable + "-recovery.txt"));
    }

    // A dialog as the user opens it, with the recovery question (if any) answered.
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
        QTest::addColumn<QString>("model");
        QTest::newRow("upland") << QStringLiteral("upland");
        QTest::newRow("bottomland") << QStringLiteral("bottomland");
    }
    void restoreCycle() {
        QFETCH(QString, model);
        const ProgramProfile& profile = profileOf(model);
        QString typed;
        {
            auto first = open(profile);
            writeCopy(*first); // the opening grid holds nothing to recover
            QVERIFY(!QFile::exists(copyPath(profile)));
            typeStand(*first);
            first->grid()->sheet().SetText(7, 6, "bad grade"); // kept, and marked as after Open
            QEvent deactivate(QEvent::WindowDeactivate);
            QCoreApplication::sendEvent(first.get(), &deactivate);
            first->recovery()->waitForWrite();
            typed = cellsOf(*first);
        }
        QVERIFY(QFile::exists(copyPath(profile)));
        QCOMPARE(prompter->questions.size(), 0);

        prompter->answers = {true};
        auto second = open(profile);
        QCOMPARE(prompter->questions.size(), 1);
        QVERIFY2(
            QRegularExpression(QStringLiteral("^A tally typed on .+ \\(2 trees, from not saved\\) was not "
                                              "saved\\. Restore it\\?$"))
                .match(prompter->questions.first().text)
                .hasMatch(),
            qPrintable(prompter->questions.first().text));
        QCOMPARE(cellsOf(*second), typed);
        QVERIFY(second->grid()->isMarked(7, 6));

        // One step, which Undo takes back; the grid holds unsaved changes.
        QUndoStack* history = second->undoStack();
        QCOMPARE(history->undoText(), QStringLiteral("Restore"));
        QVERIFY(!history->isClean());
        history->undo();
        QVERIFY(cellsOf(*second) != typed);
        history->redo();
        QCOMPARE(cellsOf(*second), typed);

        // Still unsaved: the copy stays until the user gives the tally up.
        writeCopy(*second);
        QVERIFY(QFile::exists(copyPath(profile)));
        prompter->answers = {true};
        second->reject();
        QVERIFY(!QFile::exists(copyPath(profile)));
        QVERIFY(QDir(state->filePath("timbra")).isEmpty());
    }

    void noDeletesTheCopy() {
        const ProgramProfile& profile = timbra::timbraProfile();
        QString opening;
        {
            auto first = open(profile);
            opening = cellsOf(*first);
            typeStand(*first);
            writeCopy(*first);
        }
        auto second = open(profile); // no answer given: No
        QCOMPARE(prompter->questions.size(), 1);
        QCOMPARE(cellsOf(*second), opening);
        QVERIFY(QDir(state->filePath("timbra")).isEmpty());
        auto third = open(profile);
        QCOMPARE(prompter->questions.size(), 1);
    }

    // Save as removes the copy; later changes are copied again, from the saved file.
    void saveAsRemovesTheCopy() {
        const ProgramProfile& profile = timbra::lowtimbraProfile();
        QTemporaryDir dir;
        const QString saved = dir.filePath(QStringLiteral("hollow.txt"));
        {
            auto d = open(profile);
            typeStand(*d);
            writeCopy(*d);
            prompter->fileNames = {saved};
            trigger(*d, profile.saveAsId);
            QVERIFY(!QFile::exists(copyPath(profile)));
            writeCopy(*d);
            QVERIFY(!QFile::exists(copyPath(profile)));
            d->grid()->sheet().SetText(3, 2, "Crash Hollow east");
            writeCopy(*d);
        }
        open(profile);
        QCOMPARE(prompter->questions.size(), 1);
        QVERIFY(prompter->questions.first().text.contains("(2 trees, from " + saved + ")"));
    }

    void unreadableCopyIsKeptAside() {
        const ProgramProfile& profile = timbra::timbraProfile();
        QDir().mkpath(state->filePath("timbra"));
        QFile garbage(copyPath(profile));
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write(QByteArray(int(timbra::MaxTallyRowBytes) + 1, 'x'));
        garbage.close();
        auto d = open(profile);
        QCOMPARE(prompter->questions.size(), 0);
        QCOMPARE(prompter->messages.size(), 1);
        const QStringList kept = QDir(state->filePath("timbra")).entryList({"timbra-recovery-*.txt"});
        QCOMPARE(kept.size(), 1);
        QVERIFY(prompter->messages.first().text.contains(state->filePath("timbra/" + kept.first())));
        QVERIFY(!QFile::exists(copyPath(profile)));
    }

    // A state folder that cannot be made (a file stands in its way, which binds root too): one line
    // in the dialog, however many tries; no message box.
    void writeFailureIsToldOnceInTheStatusLine() {
        QFile blocker(state->filePath("timbra"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        auto d = open(timbra::timbraProfile());
        auto* status = d->findChild<QLabel*>(QStringLiteral("recoveryStatus"));
        QVERIFY(status->isHidden());
        int told = 0;
        connect(d->recovery(), &TallyRecovery::statusChanged, this, [&told] { ++told; });
        for (const char* name : {"One", "Two", "Three"}) {
            d->grid()->sheet().SetText(3, 2, name);
            writeCopy(*d);
        }
        QCOMPARE(told, 1);
        QVERIFY(!status->isHidden());
        QVERIFY2(status->text().contains("Not a directory"), qPrintable(status->text()));
        QCOMPARE(prompter->messages.size(), 0);

        // Once the folder can be made, the line goes.
        QFile::remove(state->filePath("timbra"));
        d->grid()->sheet().SetText(3, 2, "Four");
        writeCopy(*d);
        QVERIFY(status->isHidden());
        QVERIFY(QFile::exists(copyPath(timbra::timbraProfile())));
    }
};

QTEST_MAIN(RecoveryTest)
#include "recovery_test.moc"
