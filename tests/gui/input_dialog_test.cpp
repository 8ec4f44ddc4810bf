// The input dialog of both programs: opening state, cursor rule, objective boxes, Run, leaving,
// and the spreadsheet commands of its menu bar.
#include "input/CInputDialog.h"

#include "app/ProgramProfile.h"
#include "grid/CSpreadSheet.h"
#include "input/TallyLayout.h"
#include "input_test_prompter.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QUndoStack>
#include <QtTest>

using timbra::ProgramProfile;

namespace {

const ProgramProfile& profileOf(const QString& model) {
    return *timbra::profileForModel(model.toStdString());
}

void addModels() {
    QTest::addColumn<QString>("model");
    QTest::newRow("upland") << QStringLiteral("upland");
    QTest::newRow("bottomland") << QStringLiteral("bottomland");
}

QCheckBox* objective(const CInputDialog& d, int n) {
    return d.findChild<QCheckBox*>(QStringLiteral("objective%1").arg(n));
}

QList<int> checkedObjectives(const CInputDialog& d) {
    QList<int> checked;
    for (int n = 1; objective(d, n); ++n)
        if (objective(d, n)->isChecked()) checked << n;
    return checked;
}

QString box(const CInputDialog& d, const char* name) {
    return d.findChild<QLineEdit*>(QLatin1String(name))->text();
}

QPoint cursor(const CInputDialog& d) {
    return {d.grid()->currentIndex().column() + 1, d.grid()->currentIndex().row() + 1};
}

// What the grid shows in a cell.
QString shown(const CInputDialog& d, int col, int row) {
    return d.grid()->model()->index(row - 1, col - 1).data().toString();
}

void put(CInputDialog& d, int col, int row, const QString& text) {
    d.grid()->sheet().SetText(col, row, text.toStdString());
    d.grid()->refresh();
}

QAction* action(const CInputDialog& d, const char* name) {
    return d.findChild<QAction*>(name);
}

void trigger(CInputDialog& d, const char* name) {
    action(d, name)->trigger();
}

void pasteAt(CInputDialog& d, int col, int row, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    d.grid()->SetActiveCell(col, row);
    trigger(d, "actionPaste");
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

} // namespace

class InputDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init() { prompter = std::make_unique<TestPrompter>(); }
    void cleanup() { prompter.reset(); }

    void opening_data() { addModels(); }
    void opening() {
        QFETCH(QString, model);
        const ProgramProfile& profile = profileOf(model);
        CInputDialog dialog(profile);
        QCOMPARE(checkedObjectives(dialog), QList<int>{1});
        QCOMPARE(cursor(dialog), QPoint(1, 6));
        for (const char* name : {"standValueBox", "decisionBox", "cutoffBox"})
            QCOMPARE(box(dialog, name), QString());
        // Tree rows are blank by the tally conventions down to the last row a run reads.
        for (int row : {timbra::FirstTreeRow, timbra::LastTreeRow}) {
            QCOMPARE(shown(dialog, 1, row) + '|' + shown(dialog, 4, row), QStringLiteral("0| "));
            QCOMPARE(dialog.grid()->sheet().GetInteger(5, row), 0);
        }
    }

    // Typed into the grid: a jump of the rule wins over the grid's own move after the edit; where the
    // rule keeps the edited cell, the key's move stands.
    void cursorRule() {
        CInputDialog dialog(timbra::timbraProfile());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const struct {
            int row;
            const char *speciesClass, *keys;
            Qt::Key end;
            int dbh, cursorCol;
        } cases[] = {{7, "Desirable", "8", Qt::Key_Return, 8, 9}, // to the crown class
                     {9, "Desirable", "18", Qt::Key_Tab, 18, 6},  // on to the height
                     {10, "Unacceptable", "30", Qt::Key_Return, 30, 9}};
        for (const auto& c : cases) {
            put(dialog, 4, c.row, QLatin1String(c.speciesClass));
            dialog.grid()->SetActiveCell(5, c.row);
            QTest::keyClick(dialog.grid(), c.keys[0]); // opens the editor
            for (const char* k = c.keys + 1; *k; ++k)
                QTest::keyClick(QApplication::focusWidget(), *k);
            QTest::keyClick(QApplication::focusWidget(), c.end);
            QTRY_COMPARE(dialog.grid()->sheet().GetInteger(5, c.row), c.dbh);
            QCOMPARE(cursor(dialog), QPoint(c.cursorCol, c.row));
        }
        // Enter outside an edit moves down; it does not press the default button.
        QTest::keyClick(dialog.grid(), Qt::Key_Return);
        QCOMPARE(prompter->questions.size(), 0);
    }

    // Every caption whole and no control over another, at the opening size and at the least size the
    // dialog takes (where the grid scrolls); Lowtimbra's dialog has no maximise box.
    void layoutAtOpeningAndLeastSize_data() { addModels(); }
    void layoutAtOpeningAndLeastSize() {
        QFETCH(QString, model);
        const ProgramProfile& profile = profileOf(model);
        CInputDialog dialog(profile);
        QCOMPARE(bool(dialog.windowFlags() & Qt::WindowMaximizeButtonHint), model == "upland");
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (const QSize size : {dialog.size(), QSize(1, 1)}) {
            dialog.resize(size);
            dialog.layout()->activate();
            QList<QWidget*> controls;
            for (QWidget* w : dialog.findChildren<QWidget*>()) {
                if (!w->isVisible()) continue;
                const QString name = w->objectName() + ' ' + w->metaObject()->className();
                if (qobject_cast<QCheckBox*>(w) || qobject_cast<QLabel*>(w) || qobject_cast<QPushButton*>(w))
                    QVERIFY2(w->width() >= w->sizeHint().width() && w->height() >= w->sizeHint().height(),
                             qPrintable(name));
                if (w->parentWidget() == &dialog) controls << w;
            }
            for (int i = 0; i < controls.size(); ++i)
                for (int j = i + 1; j < controls.size(); ++j)
                    QVERIFY2(!controls[i]->geometry().intersects(controls[j]->geometry()),
                             qPrintable(controls[i]->objectName() + " / " + controls[j]->objectName()));
        }
        QVERIFY(dialog.height() < 400); // the grid gave up room rather than a control
    }

    // Ctrl+Tab and Ctrl+Shift+Tab leave the grid (committing an open edit); the objective boxes are
    // in the tab order; F5 and Ctrl+R run.
    void keyboard() {
        const ProgramProfile& profile = timbra::timbraProfile();
        CInputDialog dialog(profile);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.grid()->setFocus();
        QTest::keyClick(dialog.grid(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("run"));
        dialog.grid()->setFocus();
        dialog.grid()->SetActiveCell(3, 6);
        QTest::keyClick(dialog.grid(), 'w'); // opens the editor
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        QTRY_COMPARE(dialog.grid()->sheet().GetText(3, 6), std::string("W"));
        QCOMPARE(QApplication::focusWidget(), objective(dialog, 1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), objective(dialog, 2));

        putStand(dialog, profile);
        for (const auto& [key, modifiers] :
             {std::pair{Qt::Key_F5, Qt::NoModifier}, {Qt::Key_R, Qt::ControlModifier}}) {
            dialog.findChild<QLineEdit*>(QStringLiteral("decisionBox"))->clear();
            dialog.grid()->setFocus();
            QTest::keyClick(dialog.grid(), key, modifiers);
            QVERIFY(!box(dialog, "decisionBox").isEmpty());
        }
    }

    // The real file dialog lists the tally type as "TEXT FILES (.txt)", without its pattern again.
    void fileTypeList() {
        prompter.reset(); // the real dialogs
        CInputDialog dialog(timbra::timbraProfile());
        QString shownType;
        QTimer::singleShot(0, &dialog, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* types = modal ? modal->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")) : nullptr)
                shownType = types->currentText();
            if (modal) modal->close();
        });
        trigger(dialog, "actionOpen");
        QCOMPARE(shownType, QStringLiteral("TEXT FILES (.txt)"));
    }

    // Objective 3 has no cut-off in two upland provinces; its tick is left alone.
    void objective3FollowsProvince() {
        CInputDialog dialog(timbra::timbraProfile());
        QCheckBox* third = objective(dialog, 3);
        third->click();
        auto province = [&](const char* name, int changedRow) {
            put(dialog, 10, 3, QLatin1String(name));
            emit dialog.grid()->CellChanged(10, changedRow);
            return third->isEnabled();
        };
        QCOMPARE(province("Western Rim", 3), false);
        QCOMPARE(province("Cumberland", 3), true);
        QCOMPARE(province("Coastal Plain", 2), false); // a new number of plots re-applies the rule
        QVERIFY(third->isChecked());

        CInputDialog bottomland(timbra::lowtimbraProfile());
        put(bottomland, 10, 3, QStringLiteral("Western Rim"));
        emit bottomland.grid()->CellChanged(10, 3);
        QVERIFY(objective(bottomland, 3)->isEnabled());
    }

    void objectivesAreExclusive_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("dbh");
        QTest::newRow("upland sugar maple") << "upland" << 3 << "SUM"
                                            << "14";
        QTest::newRow("bottomland sweetgum") << "bottomland" << 2 << "SWG"
                                             << "10";
    }
    void objectivesAreExclusive() {
        QFETCH(QString, model);
        QFETCH(int, n);
        QFETCH(QString, code);
        QFETCH(QString, dbh);
        CInputDialog dialog(profileOf(model));
        const QStringList row = {"1", "", code, "Desirable", dbh, "", "", "", "", "Reserve"};
        for (int col = 1; col <= 10; ++col)
            put(dialog, col, 6, row[col - 1]);

        objective(dialog, n)->click();
        QCOMPARE(checkedObjectives(dialog), QList<int>{n});
        QCOMPARE(shown(dialog, 4, 6) + '|' + shown(dialog, 10, 6),
                 QStringLiteral("Unacceptable|Cutting Stock"));

        // Clicking the ticked box unticks it and rewrites nothing.
        put(dialog, 10, 6, QStringLiteral("Reserve"));
        objective(dialog, n)->click();
        QCOMPARE(checkedObjectives(dialog), QList<int>{});
        QCOMPARE(shown(dialog, 10, 6), QStringLiteral("Reserve"));

        objective(dialog, n)->click();
        objective(dialog, 1)->click();
        QCOMPARE(checkedObjectives(dialog), QList<int>{1});
        QCOMPARE(shown(dialog, 10, 6), QStringLiteral("Preferred"));
    }

    // Tree messages come before the boxes are filled, the closing messages after.
    void runMessagesAndBoxes_data() { addModels(); }
    void runMessagesAndBoxes() {
        QFETCH(QString, model);
        const ProgramProfile& profile = profileOf(model);
        CInputDialog dialog(profile);
        QStringList cutoffAtMessage;
        prompter->onMessage = [&] { cutoffAtMessage << box(dialog, "cutoffBox"); };
        const QString tree1 =
            QStringLiteral("Tree 1 must have a species class, a DBH greater than 5 and a tree class.");

        put(dialog, 10, 2, QStringLiteral("1"));
        if (profile.hasProvince) put(dialog, 10, 3, QStringLiteral("Cumberland"));
        dialog.findChild<QPushButton*>(QStringLiteral("run"))->click();
        QCOMPARE(prompter->messageTexts(), QStringList{tree1});
        QCOMPARE(prompter->messages.first().caption, QStringLiteral("Timbra"));
        QCOMPARE(cutoffAtMessage, QStringList{QString()});
        QCOMPARE(box(dialog, "standValueBox") + '|' + box(dialog, "decisionBox") + '|' +
                     box(dialog, "cutoffBox"),
                 QStringLiteral(" 0.0|Regenerate|50.0"));
        QCOMPARE(dialog.results().cutoffIndex, 50.0);

        // No plots: the unusual-value message, and in the upland program the missing province.
        prompter->messages.clear();
        cutoffAtMessage.clear();
        put(dialog, 10, 2, QStringLiteral("0"));
        put(dialog, 10, 3, QString());
        dialog.OnRun();
        QStringList expected = {tree1,
                                QStringLiteral("Your stand has an unusual value, check data for errors.")};
        if (profile.hasProvince) expected << QStringLiteral("Please insert a physiographic province.");
        QCOMPARE(prompter->messageTexts(), expected);
        const QString cutoff = profile.hasProvince ? QStringLiteral(" 0.0") : QStringLiteral("50.0");
        QCOMPARE(cutoffAtMessage.last(), cutoff);
        QCOMPARE(cutoffAtMessage.first(), QStringLiteral("50.0")); // still the previous run's
    }

    void leaving_data() { addModels(); }
    void leaving() {
        QFETCH(QString, model);
        const ProgramProfile& profile = profileOf(model);
        CInputDialog dialog(profile);
        dialog.show();
        put(dialog, 3, 2, QStringLiteral("North Ridge"));
        put(dialog, 10, 2, QStringLiteral("1"));
        dialog.OnRun();

        // No keeps everything, whichever way the user tried to leave; Escape counts as Cancel.
        dialog.findChild<QPushButton*>(QStringLiteral("cancel"))->click();
        dialog.findChild<QPushButton*>(QStringLiteral("ok"))->click();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.close());
        QStringList asked;
        for (const auto& q : prompter->questions)
            asked << q.text;
        const QString leave = QString::fromStdString(profile.leaveQuestion);
        QCOMPARE(asked, QStringList({leave, leave, leave, QString::fromStdString(profile.closeQuestion)}));
        QVERIFY(dialog.isVisible());
        QCOMPARE(shown(dialog, 3, 2), QStringLiteral("North Ridge"));

        // Yes ends it; the results stay with the object for the report.
        prompter->answers = {true};
        dialog.findChild<QPushButton*>(QStringLiteral("ok"))->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.results().standName, std::string("North Ridge"));

        // The close box asks once, then takes the cancel path.
        CInputDialog again(profile);
        again.show();
        prompter->questions.clear();
        prompter->answers = {true};
        QVERIFY(again.close());
        QCOMPARE(prompter->questions.size(), 1);
        QCOMPARE(again.result(), int(QDialog::Rejected));
    }

    // The leaving question in a real message box: Yes and No, no icon, the program's caption.
    void leavingQuestionBox() {
        Prompter::setCurrent(nullptr);
        CInputDialog dialog(timbra::timbraProfile());
        dialog.show();
        QString seen;
        auto answer = [&](QMessageBox::StandardButton button) {
            QTimer::singleShot(0, [&seen, button] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box);
                QCOMPARE(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
                QCOMPARE(box->icon(), QMessageBox::NoIcon);
                seen = box->windowTitle() + '|' + box->text();
                box->button(button)->click();
            });
        };
        answer(QMessageBox::No);
        dialog.reject();
        QCOMPARE(seen, "Timbra|" + QString::fromStdString(timbra::timbraProfile().leaveQuestion));
        QVERIFY(dialog.isVisible());
        answer(QMessageBox::Yes);
        dialog.reject();
        QVERIFY(!dialog.isVisible());
    }

    // New and Clear Spreadsheet reset the tally but leave the run's results and the cursor.
    void newAndClear_data() { addModels(); }
    void newAndClear() {
        QFETCH(QString, model);
        const ProgramProfile& profile = profileOf(model);
        CInputDialog dialog(profile);
        putStand(dialog, profile);
        dialog.OnRun();
        const QString cutoff = box(dialog, "cutoffBox");
        objective(dialog, 2)->click();
        dialog.grid()->SetActiveCell(4, 9);

        if (action(dialog, "actionClearSpreadsheet")) {
            trigger(dialog, "actionClearSpreadsheet");
            QCOMPARE(shown(dialog, 3, 2) + '|' + shown(dialog, 1, 6) + '|' + shown(dialog, 4, 6),
                     QStringLiteral("North Ridge|0| "));
            QVERIFY(objective(dialog, 2)->isChecked());
            putStand(dialog, profile);
        }

        trigger(dialog, "actionNew");
        QCOMPARE(shown(dialog, 3, 2) + '|' + shown(dialog, 10, 2) + '|' + shown(dialog, 8, 2),
                 QStringLiteral("|0|Half acre"));
        QCOMPARE(shown(dialog, 4, 6) + '|' + shown(dialog, 5, 6), QStringLiteral(" |"));
        QCOMPARE(checkedObjectives(dialog), QList<int>{1});
        QCOMPARE(box(dialog, "cutoffBox"), cutoff);
        QCOMPARE(dialog.results().standName, std::string("North Ridge"));
        QCOMPARE(cursor(dialog), QPoint(4, 9));
    }

    void saveThenOpen_data() { addModels(); }
    void saveThenOpen() {
        QFETCH(QString, model);
        const ProgramProfile& profile = profileOf(model);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("stand.txt"));
        CInputDialog dialog(profile);
        putStand(dialog, profile, {"YLP", "SWG"});
        prompter->fileNames = {path, path};
        trigger(dialog, "actionSaveAs");
        QCOMPARE(prompter->presets.first() + prompter->suffixes.first(), QStringLiteral("*.txttxt"));

        trigger(dialog, "actionNew");
        trigger(dialog, "actionOpen");
        QCOMPARE(prompter->messageTexts(), QStringList());
        QCOMPARE(shown(dialog, 3, 2) + '|' + shown(dialog, 10, 2) + '|' + shown(dialog, 10, 3),
                 "North Ridge|3|" + QString(profile.hasProvince ? "Western Rim" : ""));
        QCOMPARE(shown(dialog, 3, 7) + '|' + shown(dialog, 10, 7), QStringLiteral("SWG|Preferred"));
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
        const ProgramProfile& profile = profileOf(model);
        QTemporaryDir dir;
        prompter->pdfPath = dir.filePath(QStringLiteral("tally.pdf"));
        CInputDialog dialog(profile);
        putStand(dialog, profile, {"RAA", "RBB", "RCC", "RDD", "MMM", "QQQ"});
        dialog.grid()->sheet().SetText(1, 10, "0"); // the tally ends after tree 4

        trigger(dialog, "actionPrint");
        QCOMPARE(prompter->messageTexts(), QStringList());
        const QString printed = pdfText(prompter->pdfPath);
        if (printed.isEmpty()) QSKIP("pdftotext is not installed");
        for (const char* expected : {"North Ridge", "Crown Class", "RAA", "RDD"})
            QVERIFY2(printed.contains(QLatin1String(expected)), expected);
        QCOMPARE(printed.contains(QLatin1String("MMM")), markerRowPrinted);
        QVERIFY(!printed.contains(QLatin1String("QQQ")));
    }

    // Undo and redo by key and by menu: the items name the step, the cursor goes to the step's first
    // cell, the boxes come back with the classes, and the results stay until the next Run.
    void undoRedo_data() { addModels(); }
    void undoRedo() {
        QFETCH(QString, model);
        const ProgramProfile& profile = profileOf(model);
        CInputDialog dialog(profile);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QAction* undo = action(dialog, "actionUndo");
        QAction* redo = action(dialog, "actionRedo");
        QCOMPARE(undo->text() + '|' + redo->text(), QStringLiteral("Undo|Redo"));
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
        auto ctrl = [&](Qt::Key key, Qt::KeyboardModifiers more = {}) {
            QTest::keyClick(dialog.grid(), key, Qt::ControlModifier | more);
        };

        putStand(dialog, profile);
        dialog.OnRun();
        const QString standValue = box(dialog, "standValueBox");
        pasteAt(dialog, 3, 7, QStringLiteral("SUM\tDesirable\nYLP\tAcceptable\n"));
        objective(dialog, 2)->click();
        const QString rewritten = shown(dialog, 10, 6);
        const char* clear = action(dialog, "actionClearSpreadsheet") ? "actionClearSpreadsheet" : "actionNew";
        trigger(dialog, clear);
        QCOMPARE(undo->text(), "Undo " + action(dialog, clear)->text());

        ctrl(Qt::Key_Z);
        QCOMPARE(shown(dialog, 3, 7) + '|' + shown(dialog, 10, 6), "SUM|" + rewritten);
        QCOMPARE(redo->text(), "Redo " + action(dialog, clear)->text());
        ctrl(Qt::Key_Z); // the objective click: its boxes and the classes before it
        QCOMPARE(checkedObjectives(dialog), QList<int>{1});
        QCOMPARE(shown(dialog, 10, 6), QStringLiteral("Preferred"));
        undo->trigger(); // the paste
        QCOMPARE(shown(dialog, 3, 7) + '|' + shown(dialog, 4, 8), QStringLiteral(" | "));
        QCOMPARE(cursor(dialog), QPoint(3, 7));
        QCOMPARE(undo->text() + '|' + redo->text(), QStringLiteral("Undo|Redo Paste"));
        QCOMPARE(box(dialog, "standValueBox"), standValue);

        ctrl(Qt::Key_Y);
        QCOMPARE(shown(dialog, 4, 8), QStringLiteral("Acceptable"));
        ctrl(Qt::Key_Z, Qt::ShiftModifier);
        QCOMPARE(checkedObjectives(dialog), QList<int>{2});
        // A new step drops what could be redone.
        pasteAt(dialog, 3, 2, QStringLiteral("South Ridge"));
        QVERIFY(!redo->isEnabled());
        QCOMPARE(dialog.undoStack()->count(), 3);
    }

    // Paste, cut and Delete raise the cell rules for each cell they change; Objective 3 follows the
    // province, and undo gives the box back.
    void pastedProvince() {
        const ProgramProfile& profile = timbra::timbraProfile();
        CInputDialog dialog(profile);
        pasteAt(dialog, 10, 3, QStringLiteral("Western Rim"));
        QVERIFY(!objective(dialog, 3)->isEnabled());
        dialog.undoStack()->undo();
        QVERIFY(objective(dialog, 3)->isEnabled());
    }

    void historyKeepsTheLastHundredSteps() {
        const ProgramProfile& profile = timbra::lowtimbraProfile();
        CInputDialog dialog(profile);
        for (int n = 1; n <= 150; ++n)
            pasteAt(dialog, 3, 2, QStringLiteral("Stand %1").arg(n));
        QCOMPARE(dialog.undoStack()->count(), 100);
        while (dialog.undoStack()->canUndo())
            dialog.undoStack()->undo();
        QCOMPARE(shown(dialog, 3, 2), QStringLiteral("Stand 50"));
    }

private:
    std::unique_ptr<TestPrompter> prompter;
};

QTEST_MAIN(InputDialogTest)
#include "input_dialog_test.moc"
