// The input dialog of both programs: its opening state, the cursor rule, the objective boxes,
// Run with its messages and boxes, and leaving.
#include "input/CInputDialog.h"

#include "app/ProgramProfile.h"
#include "grid/CSpreadSheet.h"
#include "input_test_prompter.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using timbra::ProgramProfile;

namespace {

const ProgramProfile& profileOf(const QString& model) {
    return *timbra::profileForModel(model.toStdString());
}

QCheckBox* objective(const CInputDialog& dialog, int n) {
    return dialog.findChild<QCheckBox*>(QStringLiteral("objective%1").arg(n));
}

QList<int> checkedObjectives(const CInputDialog& dialog, const ProgramProfile& profile) {
    QList<int> checked;
    for (int n = 1; n <= profile.objectiveCount; ++n)
        if (objective(dialog, n)->isChecked()) checked << n;
    return checked;
}

QString box(const CInputDialog& dialog, const char* name) {
    return dialog.findChild<QLineEdit*>(QLatin1String(name))->text();
}

// The user's cursor as (column, row), from 1.
QPoint cursor(const CInputDialog& dialog) {
    const QModelIndex index = dialog.grid()->currentIndex();
    return {index.column() + 1, index.row() + 1};
}

// What the grid shows in a cell.
QString shown(const CInputDialog& dialog, int col, int row) {
    const auto* model = dialog.grid()->model();
    return model->data(model->index(row - 1, col - 1)).toString();
}

void put(CInputDialog& dialog, int col, int row, const char* text) {
    dialog.grid()->sheet().SetText(col, row, text);
    dialog.grid()->refresh();
}

// A stand of one plot with its header; the province only where the program has one.
void putStand(CInputDialog& dialog, const ProgramProfile& profile, const char* plots) {
    put(dialog, 10, 2, plots);
    if (profile.hasProvince) put(dialog, 10, 3, "Cumberland");
}

void addModels() {
    QTest::addColumn<QString>("model");
    QTest::newRow("upland") << QStringLiteral("upland");
    QTest::newRow("bottomland") << QStringLiteral("bottomland");
}

} // namespace

class InputDialogTest : public QObject {
    Q_OBJECT
private slots:
    void opening_data() { addModels(); }
    void opening() {
        QFETCH(QString, model);
        const ProgramProfile& profile = profileOf(model);
        TestPrompter prompter;
        CInputDialog dialog(profile);

        QCOMPARE(dialog.windowTitle(), QString::fromStdString(profile.inputCaption));
        QCOMPARE(checkedObjectives(dialog, profile), QList<int>{1});
        QCOMPARE(objective(dialog, profile.objectiveCount + 1), nullptr);
        QCOMPARE(cursor(dialog), QPoint(1, 6));
        QCOMPARE(box(dialog, "standValueBox"), QString());
        QCOMPARE(box(dialog, "decisionBox"), QString());
        QCOMPARE(box(dialog, "cutoffBox"), QString());
        QCOMPARE(dialog.results().cutoffIndex, 0.0);
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("hint")) != nullptr, !profile.hint.empty());
        QVERIFY(dialog.findChild<QPushButton*>(QStringLiteral("ok"))->isDefault());

        // Every tree row is blank by the tally conventions, through the last row the run reads.
        const timbra::Sheet& tally = dialog.grid()->sheet();
        for (int row : {6, 700, profile.tally.lastTreeRow}) {
            QCOMPARE(tally.GetText(1, row), std::string("0"));
            for (int col : {3, 4, 8, 9, 10})
                QCOMPARE(tally.GetText(col, row), std::string(" "));
            QCOMPARE(tally.GetInteger(5, row), 0);
            QCOMPARE(tally.GetFloat(6, row), 0.0);
        }
        QCOMPARE(shown(dialog, 4, 6), QStringLiteral(" "));

        // The menu bar carries the profile's menus, separators included.
        QStringList expected, seen;
        for (const auto& menu : profile.inputMenus) {
            expected << QString::fromStdString(menu.title);
            for (const auto& entry : menu.entries)
                expected << QString::fromStdString(entry.text);
        }
        for (QAction* menu : dialog.findChild<QMenuBar*>(QStringLiteral("menuBar"))->actions()) {
            seen << menu->text();
            for (QAction* item : menu->menu()->actions())
                seen << (item->isSeparator() ? QString() : item->text());
        }
        QCOMPARE(seen, expected);
    }

    void cursorRule_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("speciesClass");
        QTest::addColumn<QString>("dbh");
        QTest::addColumn<int>("expectedColumn");
        for (const char* model : {"upland", "bottomland"}) {
            const QString m = QString::fromLatin1(model);
            QTest::addRow("%s small desirable", model) << m << "Desirable"
                                                       << "8" << 9;
            QTest::addRow("%s 11 inches", model) << m << "Acceptable"
                                                 << "11" << 9;
            QTest::addRow("%s 12 inches", model) << m << "Desirable"
                                                 << "12" << 5;
            QTest::addRow("%s large desirable", model) << m << "Desirable"
                                                       << "14" << 5;
            QTest::addRow("%s large unacceptable", model) << m << "Unacceptable"
                                                          << "30" << 9;
        }
    }
    void cursorRule() {
        QFETCH(QString, model);
        QFETCH(QString, speciesClass);
        QFETCH(QString, dbh);
        QFETCH(int, expectedColumn);
        TestPrompter prompter;
        CInputDialog dialog(profileOf(model));
        put(dialog, 4, 8, speciesClass.toUtf8().constData());
        put(dialog, 5, 8, dbh.toUtf8().constData());
        emit dialog.grid()->CellChanged(5, 8);
        QCOMPARE(cursor(dialog), QPoint(expectedColumn, 8));

        // Other cells, and the header rows, leave the cursor where it is.
        dialog.grid()->SetActiveCell(2, 8);
        emit dialog.grid()->CellChanged(4, 8);
        emit dialog.grid()->CellChanged(5, 5);
        QCOMPARE(cursor(dialog), QPoint(2, 8));
    }

    // Typed into the grid, the rule has the last word over the grid's own move after the edit.
    void cursorRuleWhenTyping() {
        TestPrompter prompter;
        CInputDialog dialog(timbra::timbraProfile());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        put(dialog, 4, 7, "Desirable");
        dialog.grid()->SetActiveCell(5, 7);
        QTest::keyClicks(dialog.grid(), QStringLiteral("8"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(dialog.grid()->sheet().GetInteger(5, 7), 8);
        QCOMPARE(cursor(dialog), QPoint(9, 7));

        dialog.grid()->SetActiveCell(5, 9);
        QTest::keyClick(dialog.grid(), Qt::Key_1); // opens the editor
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_4);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTRY_COMPARE(dialog.grid()->sheet().GetInteger(5, 9), 14);
        QCOMPARE(cursor(dialog), QPoint(5, 9));

        // Enter on a cell that is not being edited moves down; it does not press OK.
        QTest::keyClick(dialog.grid(), Qt::Key_Return);
        QCOMPARE(prompter.questions.size(), 0);
        QVERIFY(dialog.isVisible());
    }

    // Objective 3 has no cut-off in two provinces, so the upland dialog disables it there.
    void objective3FollowsProvince() {
        const ProgramProfile& profile = timbra::timbraProfile();
        TestPrompter prompter;
        CInputDialog dialog(profile);
        QCheckBox* third = objective(dialog, 3);
        third->click();
        QCOMPARE(checkedObjectives(dialog, profile), QList<int>{3});

        for (const char* province : {"Western Rim", "Coastal Plain"}) {
            put(dialog, 10, 3, "Cumberland");
            emit dialog.grid()->CellChanged(10, 3);
            QVERIFY(third->isEnabled());
            put(dialog, 10, 3, province);
            emit dialog.grid()->CellChanged(10, 3);
            QVERIFY(!third->isEnabled());
            QVERIFY(third->isChecked());
        }
        // A new number of plots applies the rule to the province as it stands.
        put(dialog, 10, 3, "Cumberland");
        emit dialog.grid()->CellChanged(10, 2);
        QVERIFY(third->isEnabled());

        // The bottomland dialog has no such rule.
        CInputDialog bottomland(timbra::lowtimbraProfile());
        put(bottomland, 10, 3, "Western Rim");
        emit bottomland.grid()->CellChanged(10, 3);
        QVERIFY(objective(bottomland, 3)->isEnabled());
    }

    void objectiveRewrites_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("dbh");
        QTest::addColumn<QString>("speciesClass");
        QTest::addColumn<QString>("treeClass");
        QTest::newRow("upland sugar maple") << "upland" << 3 << "SUM"
                                            << "14"
                                            << "Unacceptable"
                                            << "Cutting Stock";
        QTest::newRow("bottomland sweetgum") << "bottomland" << 2 << "SWG"
                                             << "10"
                                             << "Unacceptable"
                                             << "Cutting Stock";
    }
    void objectiveRewrites() {
        QFETCH(QString, model);
        QFETCH(int, n);
        QFETCH(QString, code);
        QFETCH(QString, dbh);
        QFETCH(QString, speciesClass);
        QFETCH(QString, treeClass);
        const ProgramProfile& profile = profileOf(model);
        TestPrompter prompter;
        CInputDialog dialog(profile);
        put(dialog, 1, 6, "1");
        put(dialog, 3, 6, code.toUtf8().constData());
        put(dialog, 4, 6, "Desirable");
        put(dialog, 5, 6, dbh.toUtf8().constData());
        put(dialog, 10, 6, "Reserve");

        objective(dialog, n)->click();
        QCOMPARE(checkedObjectives(dialog, profile), QList<int>{n});
        QCOMPARE(shown(dialog, 4, 6), speciesClass);
        QCOMPARE(shown(dialog, 10, 6), treeClass);

        // Clicking the ticked box unticks it and rewrites nothing.
        put(dialog, 10, 6, "Reserve");
        objective(dialog, n)->click();
        QCOMPARE(checkedObjectives(dialog, profile), QList<int>{});
        QCOMPARE(shown(dialog, 10, 6), QStringLiteral("Reserve"));

        // Ticking Objective 1 unticks the others and applies its own rules.
        objective(dialog, n)->click();
        objective(dialog, 1)->click();
        QCOMPARE(checkedObjectives(dialog, profile), QList<int>{1});
        QCOMPARE(shown(dialog, 4, 6), QStringLiteral("Acceptable"));
        QCOMPARE(shown(dialog, 10, 6), QStringLiteral("Preferred"));
    }

    // Tree messages come one at a time before the boxes are filled; the closing messages after.
    void runMessagesAndBoxes_data() { addModels(); }
    void runMessagesAndBoxes() {
        QFETCH(QString, model);
        const ProgramProfile& profile = profileOf(model);
        TestPrompter prompter;
        CInputDialog dialog(profile);
        QStringList boxAtMessage;
        prompter.onMessage = [&] { boxAtMessage << box(dialog, "cutoffBox"); };

        putStand(dialog, profile, "1");
        dialog.findChild<QPushButton*>(QStringLiteral("run"))->click();
        QCOMPARE(prompter.messageTexts(),
                 QStringList{"Tree 1 must have a species class, a DBH greater than 5 and a tree class."});
        QCOMPARE(prompter.messages.first().caption, QString::fromStdString(profile.appName));
        QCOMPARE(boxAtMessage, QStringList{QString()});
        QCOMPARE(box(dialog, "standValueBox"), QStringLiteral(" 0.0"));
        QCOMPARE(box(dialog, "decisionBox"), QStringLiteral("Regenerate"));
        QCOMPARE(box(dialog, "cutoffBox"), QStringLiteral("50.0"));
        QCOMPARE(dialog.results().cutoffIndex, 50.0);
        QCOMPARE(dialog.results().decision, std::string("Regenerate"));

        // No plots: the stand value has no value, and the unusual-value message follows the boxes.
        prompter.messages.clear();
        QStringList standValueAtMessage;
        prompter.onMessage = [&] { standValueAtMessage << box(dialog, "standValueBox"); };
        put(dialog, 10, 2, "0");
        dialog.OnRun();
        QCOMPARE(prompter.messageTexts(),
                 QStringList({"Tree 1 must have a species class, a DBH greater than 5 and a tree class.",
                              "Your stand has an unusual value, check data for errors."}));
        QCOMPARE(standValueAtMessage.size(), 2);
        QCOMPARE(standValueAtMessage[0], QStringLiteral(" 0.0"));
        QVERIFY(standValueAtMessage[1] != QStringLiteral(" 0.0"));
    }

    void runWithoutProvince() {
        const ProgramProfile& profile = timbra::timbraProfile();
        TestPrompter prompter;
        CInputDialog dialog(profile);
        QStringList cutoffAtMessage;
        prompter.onMessage = [&] { cutoffAtMessage << box(dialog, "cutoffBox"); };
        put(dialog, 10, 2, "1");
        dialog.OnRun();
        QCOMPARE(prompter.messageTexts().last(), QStringLiteral("Please insert a physiographic province."));
        QCOMPARE(cutoffAtMessage, QStringList({QString(), QStringLiteral(" 0.0")}));
        QCOMPARE(box(dialog, "decisionBox"), QStringLiteral(" "));
    }

    void leaving_data() { addModels(); }
    void leaving() {
        QFETCH(QString, model);
        const ProgramProfile& profile = profileOf(model);
        TestPrompter prompter;
        CInputDialog dialog(profile);
        dialog.show();
        putStand(dialog, profile, "1");
        put(dialog, 3, 2, "North Ridge");
        dialog.OnRun();
        const QString leave = QString::fromStdString(profile.leaveQuestion);

        // No keeps the dialog, its tally and its results, whichever way the user tried to leave.
        dialog.findChild<QPushButton*>(QStringLiteral("cancel"))->click();
        dialog.findChild<QPushButton*>(QStringLiteral("ok"))->click();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        dialog.close();
        QCOMPARE(prompter.questions.size(), 4);
        QCOMPARE(prompter.questions[0].text, leave);
        QCOMPARE(prompter.questions[1].text, leave);
        QCOMPARE(prompter.questions[2].text, leave);
        QCOMPARE(prompter.questions[3].text, QString::fromStdString(profile.closeQuestion));
        QCOMPARE(prompter.questions[0].caption, QString::fromStdString(profile.appName));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.grid()->sheet().GetText(3, 2), std::string("North Ridge"));
        QCOMPARE(box(dialog, "cutoffBox"), QStringLiteral("50.0"));

        // Yes ends it; the results stay with the object for the report.
        prompter.answers = {true};
        dialog.findChild<QPushButton*>(QStringLiteral("ok"))->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.results().cutoffIndex, 50.0);
        QCOMPARE(dialog.results().standName, std::string("North Ridge"));

        // The close box asks once, then takes the cancel path.
        CInputDialog again(profile);
        again.show();
        prompter.questions.clear();
        prompter.answers = {true};
        QVERIFY(again.close());
        QCOMPARE(prompter.questions.size(), 1);
        QCOMPARE(again.result(), int(QDialog::Rejected));
    }

    // The leaving question through a real message box: Yes and No, no icon.
    void leavingQuestionBox() {
        Prompter::setCurrent(nullptr);
        const ProgramProfile& profile = timbra::timbraProfile();
        CInputDialog dialog(profile);
        dialog.show();
        QString seenText, seenCaption;
        int seenIcon = -1;
        auto answer = [&](QMessageBox::StandardButton button) {
            QTimer::singleShot(0, [&, button] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box);
                seenText = box->text();
                seenCaption = box->windowTitle();
                seenIcon = box->icon();
                QCOMPARE(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
                box->button(button)->click();
            });
        };
        answer(QMessageBox::No);
        dialog.reject();
        QCOMPARE(seenText, QString::fromStdString(profile.leaveQuestion));
        QCOMPARE(seenCaption, QStringLiteral("Timbra"));
        QCOMPARE(seenIcon, int(QMessageBox::NoIcon));
        QVERIFY(dialog.isVisible());

        answer(QMessageBox::Yes);
        dialog.reject();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(InputDialogTest)
#include "input_dialog_test.moc"
