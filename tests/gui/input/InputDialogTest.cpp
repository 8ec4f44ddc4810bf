// The input dialog of both programs: its layout, the keys and the cursor rule, Run's messages and
// boxes, leaving, the menu bar's commands with their undo history, the real dialogs; the file
// faults met through Save as..., Open and Print, each told in one message that harms nothing; and
// the recovery copy of the tally: offered back to a fresh dialog as one undoable step, kept when the
// dialog is left unsaved and offered once, deleted on No, Save as or leaving a saved tally, kept
// aside when unreadable, a failure to write it told once, its question in plain text.
#include "core/app/StandDocument.h"
#include "core/input/RecoveryFile.h"
#include "core/input/TallyFile.h"
#include "gui/GuiTestSupport.h"
#include "gui/input/TallyRecovery.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using timbra::ProgramProfile;

namespace {

QCheckBox* objective(const CInputDialog& d, int n) {
    return d.findChild<QCheckBox*>(QString("objective%1").arg(n));
}

// The objective boxes ticked, as "1" or "12".
QString ticked(const CInputDialog& d) {
    QString n;
    for (QCheckBox* box : d.findChildren<QCheckBox*>())
        if (box->isChecked()) n += box->objectName().back();
    return n;
}

// The stand value, decision and cut-off boxes in one string.
QString boxes(const CInputDialog& d) {
    QStringList texts;
    for (const char* name : {"standValueBox", "decisionBox", "cutoffBox"})
        texts << d.findChild<QLineEdit*>(name)->text();
    return texts.join('|');
}

QPoint cursor(const CInputDialog& d) {
    return {d.grid()->currentIndex().column() + 1, d.grid()->currentIndex().row() + 1};
}

// What the grid shows in cells, joined by '|'.
QString shown(const CInputDialog& d, std::initializer_list<QPoint> cells) {
    QStringList texts;
    for (const QPoint cell : cells)
        texts << d.grid()->model()->index(cell.y() - 1, cell.x() - 1).data().toString();
    return texts.join('|');
}

// Enters a cell's text as its closing editor does: one undoable step, the cell's rules applied.
void put(CInputDialog& d, int col, int row, const char* text) {
    QAbstractItemModel* model = d.grid()->model();
    QVERIFY2(model->setData(model->index(row - 1, col - 1), QString::fromUtf8(text)), text);
}

void pasteAt(CInputDialog& d, int col, int row, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    d.grid()->SetActiveCell(col, row);
    d.OnPaste();
}

void putStand(CInputDialog& d, const ProgramProfile& profile) {
    openStand(d, [&](timbra::Sheet& tally) { writeStand(profile, tally, 1); });
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size());
}

// A file fault: the command ('s'ave as, 'o'pen, 'p'rint) and where it is pointed, in a folder that
// holds the file "kept".
struct Fault {
    const char *name, command, *where, *reason;
    int sizeLimit = 0;             // bytes a file may grow to
    std::string_view content = {}; // written to `where` first when not empty
};
constexpr Fault faults[] = {
    {"save: folder that is a file", 's', "kept/stand.txt", "Not a directory"},
    {"save: missing folder", 's', "gone/stand.txt", "No such file or directory"},
    {"save: folder", 's', ".", "it is a folder"},
    {"save: device", 's', "/dev/full", "not a regular file"},
    {"save: kernel's folder", 's', "/proc/stand.txt", "Cannot save"},
    {"open: folder", 'o', ".", "it is a folder"},
    {"open: device", 'o', "/dev/zero", "not a regular file"},
    {"open: missing", 'o', "missing.txt", "No such file or directory"},
    {"open: binary", 'o', "binary.txt", "NUL byte", 0, {"1,2\r\0\0\0", 7}},
    {"print: full disk", 'p', "kept", "File too large", 8192},
    {"print: device", 'p', "/dev/full", "not a regular file"},
    {"print: folder", 'p', ".", "it is a folder"},
};

} // namespace

class InputDialogTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TestPrompter> prompter;
    std::unique_ptr<QTemporaryDir> state; // the recovery copies' state folder, fresh for every test

    QString folder() const { return state->filePath("timbra"); }

    // A dialog as the user opens it, the recovery question (if any) asked.
    static std::unique_ptr<CInputDialog> open(const ProgramProfile& profile) {
        auto d = std::make_unique<CInputDialog>(profile);
        d->show();
        QCoreApplication::processEvents();
        return d;
    }

    // A stand with a grade no cell takes, as a file can bring it (kept and marked, and marked again
    // when restored), then the recovery copy written as losing focus writes it.
    static void typeStandAndLeaveIt(const ProgramProfile& profile, CInputDialog& d) {
        openStand(d, [&](timbra::Sheet& tally) {
            writeStand(profile, tally, 1);
            tally.SetText(7, 7, "bad grade");
        });
        QEvent deactivate(QEvent::WindowDeactivate);
        QCoreApplication::sendEvent(&d, &deactivate);
        d.recovery()->waitForWrite();
    }

private slots:
    void init() {
        state = std::make_unique<QTemporaryDir>();
        qputenv("XDG_STATE_HOME", state->path().toLocal8Bit());
        prompter = std::make_unique<TestPrompter>();
    }
    void cleanup() { prompter.reset(); }

    // Typed into the grid: a jump of the cursor rule wins over the grid's own move after the edit;
    // where the rule keeps the edited cell, the key's move stands. Enter outside an edit moves on and
    // does not press the default button. Ctrl+Tab and Ctrl+Shift+Tab leave the grid (committing an
    // open edit); the objective boxes are in the tab order; F5 and Ctrl+R run.
    void keysAndCursorRule() {
        const ProgramProfile& profile = timbra::timbraProfile();
        CInputDialog dialog(profile);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        const auto press = [](const char* keys, Qt::Key end, Qt::KeyboardModifiers modifiers = {}) {
            for (const char* k = keys; *k; ++k)
                QTest::keyClick(QApplication::focusWidget(), *k);
            QTest::keyClick(QApplication::focusWidget(), end, modifiers);
        };
        QCOMPARE(cursor(dialog), QPoint(1, 6));
        dialog.grid()->setFocus();
        put(dialog, 4, 10, "Unacceptable");
        for (const auto& [row, keys, end, cursorCol] :
             {std::tuple{7, "8", Qt::Key_Return, 9}, // to the crown class
              {9, "18", Qt::Key_Tab, 6},             // on to the height
              {10, "30", Qt::Key_Return, 9}}) {
            dialog.grid()->SetActiveCell(5, row);
            press(keys, end);
            QTRY_COMPARE(dialog.grid()->sheet().GetText(5, row), std::string(keys));
            QCOMPARE(cursor(dialog), QPoint(cursorCol, row));
        }
        press("", Qt::Key_Return);
        press("", Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget()->objectName() + prompter->questions.join(""), "run");
        dialog.grid()->setFocus();
        dialog.grid()->SetActiveCell(3, 6);
        press("w", Qt::Key_Tab, Qt::ControlModifier);
        QTRY_COMPARE(dialog.grid()->sheet().GetText(3, 6), std::string("W"));
        QCOMPARE(QApplication::focusWidget(), objective(dialog, 1));
        press("", Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), objective(dialog, 2));
        putStand(dialog, profile);
        dialog.grid()->setFocus();
        press("", Qt::Key_F5);
        QVERIFY(!boxes(dialog).startsWith('|'));
        // Run by key commits an open edit and gives the focus back to the grid, on the same cell.
        QCOMPARE(QApplication::focusWidget(), dialog.grid());
        dialog.findChild<QLineEdit*>("standValueBox")->clear();
        dialog.grid()->SetActiveCell(3, 3);
        press("Ridge", Qt::Key_R, Qt::ControlModifier);
        QVERIFY(!boxes(dialog).startsWith('|'));
        QCOMPARE(dialog.grid()->sheet().GetText(3, 3), "Ridge");
        QCOMPARE(QApplication::focusWidget(), dialog.grid());
        QCOMPARE(cursor(dialog), QPoint(3, 3));
    }

    // The grid as it opened pastes back: an empty tree row copied over a typed one, without a word.
    void openingValuesPasteBack_data() { addModels(); }
    void openingValuesPasteBack() {
        const ProgramProfile& profile = fetchProfile();
        CInputDialog dialog(profile);
        putStand(dialog, profile);
        QVERIFY(shown(dialog, {{5, 6}}) != "0");
        const timbra::StandDocument opening(profile);
        pasteAt(dialog, 1, 6,
                QString::fromStdString(timbra::formatClipboardText(opening.tally(), {1, 6, 10, 6})));
        QCOMPARE(prompter->messages, QStringList());
        QCOMPARE(shown(dialog, {{1, 6}, {5, 6}, {6, 6}, {7, 6}}), "0|0|0.0|0");
    }

    // The real dialogs: the file dialog lists the tally type as "TEXT FILES (.txt)", without its
    // pattern again; the leaving question has Yes and No, no icon and the program's caption, and No
    // is its answer to Enter, Space and Esc.
    void realDialogs() {
        prompter.reset();
        CInputDialog dialog(timbra::timbraProfile());
        QString seen;
        QTimer::singleShot(0, &dialog, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* types = modal ? modal->findChild<QComboBox*>("fileTypeCombo") : nullptr)
                seen = types->currentText();
            if (modal) modal->close();
        });
        dialog.OnOpen();
        QCOMPARE(seen, "TEXT FILES (.txt)");
        dialog.show();
        // No is the default: Enter and Space keep the dialog, and so does Esc; only Yes leaves.
        for (const int key : {int(Qt::Key_Return), int(Qt::Key_Space), int(Qt::Key_Escape), 0}) {
            QTimer::singleShot(0, [&seen, key] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box && box->standardButtons() == (QMessageBox::Yes | QMessageBox::No) &&
                        box->icon() == QMessageBox::NoIcon &&
                        box->defaultButton() == box->button(QMessageBox::No));
                seen = box->windowTitle() + '|' + box->text();
                if (key)
                    QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, Qt::Key(key));
                else
                    box->button(QMessageBox::Yes)->click();
            });
            dialog.reject();
            QCOMPARE(seen, "Timbra|" + QString::fromStdString(timbra::timbraProfile().leaveQuestion));
            QCOMPARE(dialog.isVisible(), key != 0);
        }
    }

    // Tree messages come before the boxes are filled, the closing messages after.
    void runMessagesAndBoxes_data() { addModels(); }
    void runMessagesAndBoxes() {
        const ProgramProfile& profile = fetchProfile();
        CInputDialog dialog(profile);
        QStringList boxesAtMessage;
        prompter->onMessage = [&] { boxesAtMessage << boxes(dialog); };
        const QString tree1 = "Tree 1 must have a species class, a DBH greater than 5 and a tree class.";
        put(dialog, 10, 2, "1");
        if (profile.hasProvince) put(dialog, 10, 3, "Cumberland");
        dialog.findChild<QPushButton*>("run")->click();
        QCOMPARE(prompter->captions + prompter->messages, (QStringList{"Timbra", tree1}));
        QCOMPARE(prompter->remaining, QList<int>{0}); // a single message has nothing to skip
        QCOMPARE(boxesAtMessage + QStringList{boxes(dialog)}, (QStringList{"||", " 0.0|Regenerate|50.0"}));

        // No plots (blank, as the dialog opened; no cell takes 0 typed): the unusual-value message,
        // and in the upland program the missing province.
        prompter->messages.clear();
        boxesAtMessage.clear();
        while (dialog.undoStack()->canUndo())
            dialog.undoStack()->undo();
        QCOMPARE(shown(dialog, {{10, 2}, {10, 3}}), "|");
        dialog.OnRun();
        QStringList expected = {tree1, "Your stand has an unusual value, check data for errors."};
        if (profile.hasProvince) expected << "Please insert a physiographic province.";
        QCOMPARE(prompter->messages, expected);
        QCOMPARE(boxesAtMessage.first(), " 0.0|Regenerate|50.0"); // still the previous run's
        QCOMPARE(boxesAtMessage.last(), boxes(dialog));
        QCOMPARE(prompter->remaining.mid(1),
                 profile.hasProvince ? (QList<int>{2, 1, 0}) : (QList<int>{1, 0}));

        // Skipped from the first box: nothing more is shown, the closing messages neither, and the
        // results are filled all the same.
        prompter->messages.clear();
        prompter->remaining.clear();
        prompter->skipAt = 1;
        dialog.findChild<QLineEdit*>("standValueBox")->clear();
        dialog.OnRun();
        QCOMPARE(prompter->messages, QStringList{tree1});
        QVERIFY(!boxes(dialog).startsWith('|'));
    }

    // A tally of 1,495 bad trees through the real message boxes: Escape closes one message, the
    // next box's button skips the rest, and every message stays in the Messages list.
    void skipRemainingMessages() {
        prompter.reset();
        const ProgramProfile& profile = timbra::timbraProfile();
        CInputDialog dialog(profile);
        dialog.show();
        auto* messagesButton = dialog.findChild<QPushButton*>("messages");
        QVERIFY(messagesButton && !messagesButton->isEnabled());
        timbra::Sheet& tally = dialog.grid()->sheet();
        tally.SetInteger(10, 2, 1);
        tally.SetText(10, 3, "Cumberland");
        for (int row = 6; row <= tally.GetMaxRows(); ++row)
            tally.SetInteger(1, row, 1); // a plot number and nothing else: one message each
        dialog.grid()->refresh();

        QStringList seen; // each box's text and its skip button's caption
        QTimer answer;
        connect(&answer, &QTimer::timeout, &dialog, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || box->property("answered").toBool()) return;
            box->setProperty("answered", true);
            auto* skip = box->findChild<QPushButton*>("skipRemaining");
            seen << box->text() + '|' + (skip ? skip->text() : QString());
            if (seen.size() == 1)
                QTest::keyClick(box, Qt::Key_Escape);
            else if (seen.size() == 2 && skip)
                skip->click();
            else
                box->button(QMessageBox::Ok)->click();
        });
        answer.start(5);
        dialog.OnRun();
        answer.stop();

        const std::vector<std::string> all = dialog.document().lastRun()->outcome.allMessages();
        QCOMPARE(all.size(), std::size_t{1495});
        QCOMPARE(seen, (QStringList{QString::fromStdString(all[0]) + "|Skip the remaining 1,494 messages",
                                    QString::fromStdString(all[1]) + "|Skip the remaining 1,493 messages"}));
        QCOMPARE(boxes(dialog), " 0.0|Regenerate|50.0");
        QVERIFY(messagesButton->isEnabled());
        QString listed;
        whileModal([&] { messagesButton->click(); },
                   [&](QDialog* list) {
                       listed = list->findChild<QPlainTextEdit*>("runMessagesText")->toPlainText();
                   });
        QCOMPARE(listed.split('\n').size(), 1495);
        QCOMPARE(listed.split('\n').last(), QString::fromStdString(all.back()));
    }

    // Cancel, OK, Escape and the close box ask first; No keeps everything, Yes ends the dialog and
    // the results stay with the object for the report. The close box asks once.
    void leaving_data() { addModels(); }
    void leaving() {
        const ProgramProfile& profile = fetchProfile();
        CInputDialog dialog(profile);
        dialog.show();
        put(dialog, 3, 2, "North Ridge");
        put(dialog, 10, 2, "1");
        dialog.OnRun();
        dialog.findChild<QPushButton*>("cancel")->click();
        dialog.findChild<QPushButton*>("ok")->click();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.close() && dialog.isVisible());
        const QString leave = QString::fromStdString(profile.leaveQuestion);
        QCOMPARE(prompter->questions,
                 (QStringList{leave, leave, leave, QString::fromStdString(profile.closeQuestion)}));
        QCOMPARE(prompter->noByDefault, QList<bool>(4, true));
        prompter->answers = {true};
        dialog.findChild<QPushButton*>("ok")->click();
        QVERIFY(!dialog.isVisible() && dialog.result() == QDialog::Accepted);
        QCOMPARE(dialog.document().lastRun()->outcome.results.standName, "North Ridge");
        CInputDialog again(profile);
        again.show();
        prompter->answers = {true};
        QVERIFY(again.close() && again.result() == QDialog::Rejected);
        QCOMPARE(prompter->questions.size(), 6);
    }

    // New (upland) and Clear Spreadsheet (bottomland) reset the tally but leave the run's results and
    // the cursor. Undo and redo by key and by menu: the items name the step, the cursor goes to the
    // step's first cell, the boxes come back with the classes, and the results stay until the next
    // Run. The history keeps the last hundred steps.
    void undoRedo_data() { addModels(); }
    void undoRedo() {
        const ProgramProfile& profile = fetchProfile();
        CInputDialog dialog(profile);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QAction* undo = action(dialog, "actionUndo");
        QAction* redo = action(dialog, "actionRedo");
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
        auto ctrl = [&](Qt::Key key, Qt::KeyboardModifiers more = {}) {
            QTest::keyClick(dialog.grid(), key, Qt::ControlModifier | more);
        };
        putStand(dialog, profile);
        dialog.OnRun();
        const QString ran = boxes(dialog);
        pasteAt(dialog, 3, 8, "SUM\tDesirable\nYLP\tAcceptable\n");
        objective(dialog, 2)->click();
        const QString rewritten = shown(dialog, {{10, 6}});
        dialog.grid()->SetActiveCell(4, 9);
        QAction* clear = action(dialog, "actionClearSpreadsheet"); // the bottomland program's
        const bool clears = clear;
        if (!clears) clear = action(dialog, "actionNew");
        clear->trigger();
        QCOMPARE(shown(dialog, {{10, 2}, {1, 6}, {4, 6}}), (clears ? "1|0| " : "0|0| "));
        QCOMPARE(boxes(dialog) + (cursor(dialog) == QPoint(4, 9) ? "" : ", cursor moved"), ran);
        QCOMPARE(undo->text(), "Undo " + clear->text());

        ctrl(Qt::Key_Z);
        QCOMPARE(shown(dialog, {{3, 8}, {10, 6}}) + '|' + redo->text(),
                 "SUM|" + rewritten + "|Redo " + clear->text());
        ctrl(Qt::Key_Z); // the objective click: its boxes and the classes before it
        QCOMPARE(ticked(dialog), "1");
        QCOMPARE(shown(dialog, {{10, 6}}), "Preferred");
        undo->trigger(); // the paste
        QCOMPARE(shown(dialog, {{3, 8}, {4, 9}}), " | ");
        QCOMPARE(cursor(dialog), QPoint(3, 8));
        QCOMPARE(undo->text() + '|' + redo->text() + '|' + boxes(dialog), "Undo Open|Redo Paste|" + ran);
        ctrl(Qt::Key_Y);
        QCOMPARE(shown(dialog, {{4, 9}}), "Acceptable");
        ctrl(Qt::Key_Z, Qt::ShiftModifier);
        QCOMPARE(ticked(dialog), "2");
        pasteAt(dialog, 3, 2, "South Ridge"); // a new step drops what could be redone
        QVERIFY(!redo->isEnabled());
        for (int n = 1; n <= 150; ++n)
            pasteAt(dialog, 3, 2, QString("Stand %1").arg(n));
        QCOMPARE(dialog.undoStack()->count(), 100);
    }

    // A file fault met by Save as..., Open or Print to a PDF file: one message naming the file and
    // the reason; the grid, the folder and the file already there stay as they were.
    void fileFaultsHarmNothing_data() {
        QTest::addColumn<int>("i");
        for (int i = 0; i < int(std::size(faults)); ++i)
            QTest::newRow(faults[i].name) << i;
    }
    void fileFaultsHarmNothing() {
        QFETCH(int, i);
        const Fault& f = faults[i];
        QTemporaryDir dir;
        writeAll(dir.filePath("kept"), "kept as it was");
        const QString where = f.where, path = where == "."      ? dir.path()
                                              : where[0] == '/' ? where
                                                                : dir.filePath(where);
        if (!f.content.empty()) writeAll(path, QByteArray(f.content.data(), qsizetype(f.content.size())));
        const auto files = [&] {
            return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        };
        CInputDialog dialog(timbra::timbraProfile());
        const QStringList before = files() << sheetText(dialog.grid()->sheet());
        prompter->fileNames = {path};
        prompter->pdfPath = path;
        rlimit unlimited{};
        ::getrlimit(RLIMIT_FSIZE, &unlimited);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{rlim_t(f.sizeLimit), unlimited.rlim_max};
        if (f.sizeLimit > 0) ::setrlimit(RLIMIT_FSIZE, &limit);
        f.command == 's' ? dialog.OnSaveAs() : f.command == 'o' ? dialog.OnOpen() : dialog.OnPrint();
        ::setrlimit(RLIMIT_FSIZE, &unlimited);
        std::signal(SIGXFSZ, oldHandler);

        const QString told =
            QString("The %1 was not %2. ")
                .arg(f.command == 'p' ? "print" : "tally", f.command == 'o' ? "opened" : "saved");
        const QString text = prompter->messages.value(0);
        QVERIFY2(text.startsWith(told) && text.contains(path) && text.contains(f.reason), qPrintable(text));
        QCOMPARE(prompter->captions, QStringList{"Timbra"});
        QCOMPARE(files() << sheetText(dialog.grid()->sheet()), before);
        QCOMPARE(readAll(dir.filePath("kept")), QByteArray("kept as it was"));
        struct stat st {};
        QVERIFY(::stat("/dev/full", &st) == 0 && S_ISCHR(st.st_mode));
    }

    // Saved, then cut off in the middle of a row, given a DBH out of range, a crown class in lower
    // case and a stray Windows-1252 byte among UTF-8 text: it opens with what it holds, the crown
    // class as its list's entry, the refused cells marked, all told in one message.
    void openMarksRefusedCells() {
        const QString path = state->filePath("cut.txt");
        CInputDialog dialog(timbra::timbraProfile());
        putStand(dialog, timbra::timbraProfile());
        prompter->fileNames = {path, path};
        dialog.OnSaveAs();
        QCOMPARE(prompter->presets.first() + prompter->suffixes.first(), "*.txttxt");
        QByteArray bytes = readAll(path)
                               .replace(",16,", ",99,")
                               .replace("Ridge", "Ch\xC3\xA2teau \x96")
                               .replace("Dominant", "dominant");
        writeAll(path, bytes.left(bytes.indexOf("Preferred") + 5));
        dialog.OnOpen();
        QCOMPARE(prompter->messages,
                 QStringList{"1 byte of " + path +
                             " is not UTF-8 and was read as a Windows-1252 character. 1 cell of " + path +
                             " was stored as typing would store it: dominant -> Dominant. 2 cells of " +
                             path +
                             " hold values that their column does not accept; they are marked in the grid."});
        const timbra::Sheet& tally = dialog.grid()->sheet();
        QCOMPARE(tally.GetText(3, 2) + '|' + tally.GetText(9, 6) + '|' + tally.GetText(10, 6) + '|' +
                     tally.GetText(1, 7),
                 "North Ch\u00E2teau \u2013|Dominant|Prefe|");
        QVERIFY(dialog.grid()->isMarked(5, 6) && dialog.grid()->isMarked(10, 6) &&
                !dialog.grid()->isMarked(4, 6) && !dialog.grid()->isMarked(9, 6));
    }

    // Typed, copied, crashed (the dialog simply goes), reopened, restored: the same cells. Still
    // unsaved, so the copy stays until the user gives the tally up.
    void recoveryRestores_data() { addModels(); }
    void recoveryRestores() {
        const ProgramProfile& profile = fetchProfile();
        const QString copy = folder() + QString::fromStdString("/" + profile.executable + "-recovery-") +
                             QString::number(QCoreApplication::applicationPid()) + ".txt";
        QString typed;
        {
            auto first = open(profile);
            first->recovery()->writeIfChanged(); // the opening grid holds nothing to recover
            first->recovery()->waitForWrite();
            QVERIFY(!QFile::exists(copy));
            typeStandAndLeaveIt(profile, *first);
            typed = sheetText(first->grid()->sheet());
        }
        prompter->answers = {true};
        auto second = open(profile);
        const QRegularExpression question(
            R"(^A tally typed on .+ \(2 trees, not saved to a file\) was open when )"
            R"(the program stopped\. Restore it\?$)");
        QVERIFY2(prompter->questions.size() == 1 && question.match(prompter->questions[0]).hasMatch(),
                 qPrintable(prompter->questions.join('\n')));
        QCOMPARE(sheetText(second->grid()->sheet()), typed);
        QVERIFY(second->grid()->isMarked(7, 7) && second->undoStack()->undoText() == "Restore");
        second->undoStack()->undo();
        QVERIFY(sheetText(second->grid()->sheet()) != typed && QFile::exists(copy));
        prompter->answers = {true};
        second->reject(); // the opening grid again: nothing to keep
        QVERIFY(QDir(folder()).isEmpty());
    }

    // A tally left with Yes while no file holds it is kept, written a few seconds after the last edit
    // already, and the next dialog offers it once, saying when it was left; No deletes it. A tally
    // that was saved, or is the opening grid again, is not kept.
    void leftTallyIsOfferedOnce() {
        const ProgramProfile& profile = timbra::timbraProfile();
        const QRegularExpression question(R"(^The tally you left at [^(]*\d\d \(no trees\) was not saved\. )"
                                          R"(Restore it\?$)");
        const auto leave = [&](CInputDialog& d) {
            prompter->answers = {true};
            d.reject();
            prompter->questions.clear();
        };
        auto d = open(profile);
        pasteAt(*d, 3, 2, "Left Ridge");
        QTRY_VERIFY_WITH_TIMEOUT(!QDir(folder()).entryList({"*.txt"}).isEmpty(), TallyRecovery::PauseMs * 3);
        leave(*d);
        for (const bool restore : {false, true}) {
            if (restore) prompter->answers = {true};
            d = open(profile); // No first: the copy goes; then the same again, restored
            QVERIFY2(question.match(prompter->questions.value(0)).hasMatch(),
                     qPrintable(prompter->questions.join('\n')));
            QCOMPARE(QString::fromStdString(d->grid()->sheet().GetText(3, 2)), restore ? "Left Ridge" : "");
            prompter->questions.clear();
            if (!restore) {
                QVERIFY(QDir(folder()).isEmpty());
                pasteAt(*d, 3, 2, "Left Ridge");
                leave(*d);
            }
        }
        prompter->fileNames = {state->filePath("left.txt")};
        d->OnSaveAs();
        leave(*d);
        d = open(profile);
        pasteAt(*d, 3, 2, "Typed, then New");
        d->OnNew();
        leave(*d);
        open(profile);
        QVERIFY2(prompter->questions.isEmpty() && QDir(folder()).isEmpty(),
                 qPrintable(prompter->questions.join("\n") +
                            QDir(folder()).entryList(QDir::AllEntries | QDir::Hidden).join(",")));
    }

    // No deletes the copy; Save as removes it, and later changes are copied again, from the saved
    // file.
    void recoveryNoAndSaveAs() {
        const ProgramProfile& profile = timbra::lowtimbraProfile();
        typeStandAndLeaveIt(profile, *open(profile));
        auto d = open(profile); // no answer given: No
        QVERIFY(prompter->questions.size() == 1 && d->undoStack()->count() == 0);
        QVERIFY(QDir(folder()).isEmpty());
        const QString saved = state->filePath("hollow.txt");
        typeStandAndLeaveIt(profile, *d);
        prompter->fileNames = {saved};
        action(*d, "actionSaveAs")->trigger();
        QVERIFY(QDir(folder()).isEmpty());
        put(*d, 3, 2, "Crash Hollow east");
        d->recovery()->writeIfChanged();
        d.reset();
        open(profile);
        QVERIFY(prompter->questions.value(1).contains("(2 trees, based on " + saved + ")"));
    }

    // The real question shows a file name as it is, never as markup.
    void restoreQuestionIsPlainText() {
        prompter.reset();
        const timbra::RecoveryFile dead(folder().toStdString(), "timbra", "1");
        timbra::Sheet tally = timbra::timbraProfile().loadTallyGrid();
        tally.SetText(3, 2, "<b>Ridge</b>");
        QVERIFY(
            dead.write(timbra::formatTallyText(tally), {"2026-12-07T11:02:00+00:00", "<h1>stand</h1>.txt"})
                .ok);
        QString seen;
        Qt::TextFormat format = Qt::AutoText;
        QTimer answer; // until the question is up
        connect(&answer, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            answer.stop();
            seen = box->text();
            format = box->textFormat();
            box->button(QMessageBox::No)->click();
        });
        answer.start(20);
        open(timbra::timbraProfile());
        QVERIFY2(seen.contains("based on <h1>stand</h1>.txt") && format == Qt::PlainText, qPrintable(seen));
    }

    // A copy no tally could be is kept aside and named in a message. A state folder that cannot be
    // made (a file stands in its way, which binds root too): one line in the dialog, however many
    // tries, and no message box; it goes once a copy is written.
    void recoveryFaults() {
        QDir().mkpath(folder());
        writeAll(folder() + "/timbra-recovery.txt", QByteArray(int(timbra::MaxTallyRowBytes) + 1, 'x'));
        open(timbra::timbraProfile());
        const QStringList kept = QDir(folder()).entryList(QDir::Files);
        QVERIFY2(kept.size() == 1 && kept[0].startsWith("timbra-recovery-20"), qPrintable(kept.join(',')));
        QVERIFY(prompter->questions.isEmpty() &&
                prompter->messages.value(0).contains(folder() + '/' + kept[0]));

        QDir(folder()).removeRecursively();
        writeAll(folder(), "in the way");
        prompter->messages.clear();
        auto d = open(timbra::timbraProfile());
        auto* status = d->findChild<QLabel*>("recoveryStatus");
        int told = 0;
        connect(d->recovery(), &TallyRecovery::statusChanged, this, [&told] { ++told; });
        const auto copy = [&](const char* name) {
            put(*d, 3, 2, name);
            d->recovery()->writeIfChanged();
            d->recovery()->waitForWrite();
        };
        copy("One");
        copy("Two");
        QVERIFY2(told == 1 && !status->isHidden() && status->text().contains("Not a directory"),
                 qPrintable(status->text()));
        QFile::remove(folder());
        copy("Three");
        QVERIFY(told == 2 && status->isHidden() && prompter->messages.isEmpty());
    }
};

QTEST_MAIN(InputDialogTest)
#include "InputDialogTest.moc"
