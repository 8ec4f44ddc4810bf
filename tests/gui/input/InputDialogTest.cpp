// The input dialog of both programs: its layout, the keys and the cursor rule, Run's messages and
// boxes, leaving, the menu bar's commands with their undo history, the real dialogs, and the file
// faults met through Save as..., Open and Print, each told in one message that harms nothing.
#include "gui/GuiTestSupport.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using timbra::ProgramProfile;

namespace {

QCheckBox* objective(const CInputDialog& d, int n) {
    return d.findChild<QCheckBox*>(QStringLiteral("objective%1").arg(n));
}

QList<int> checkedObjectives(const CInputDialog& d) {
    QList<int> checked;
    for (int n = 1; objective(d, n); ++n)
        if (objective(d, n)->isChecked()) checked << n;
    return checked;
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

void put(CInputDialog& d, int col, int row, const char* text) {
    d.grid()->sheet().SetText(col, row, text);
    d.grid()->refresh();
}

void pasteAt(CInputDialog& d, int col, int row, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    d.grid()->SetActiveCell(col, row);
    d.OnPaste();
}

void putStand(CInputDialog& d, const ProgramProfile& profile, int plots = 1) {
    writeStand(profile, d.grid()->sheet(), plots);
    d.grid()->refresh();
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size());
}

struct Fault {
    const char *name, *told, *where, *reason;
    void (CInputDialog::*command)();
    int sizeLimit = 0;
    std::string_view content = {}; // written to `where` first when not empty
};
static constexpr const char* NotSaved = "The tally was not saved. ";
static constexpr const char* NotOpened = "The tally was not opened. ";
static constexpr const char* NotPrinted = "The print was not saved. ";
// `where` is in a folder that holds the file "kept".
static constexpr Fault faults[] = {
    {"save: folder that is a file", NotSaved, "kept/stand.txt", "Not a directory", &CInputDialog::OnSaveAs},
    {"save: missing folder", NotSaved, "gone/stand.txt", "No such file or directory",
     &CInputDialog::OnSaveAs},
    {"save: folder", NotSaved, ".", "it is a folder", &CInputDialog::OnSaveAs},
    {"save: device", NotSaved, "/dev/full", "not a regular file", &CInputDialog::OnSaveAs},
    {"save: kernel's folder", NotSaved, "/proc/stand.txt", "Cannot save", &CInputDialog::OnSaveAs},
    {"open: folder", NotOpened, ".", "it is a folder", &CInputDialog::OnOpen},
    {"open: device", NotOpened, "/dev/zero", "not a regular file", &CInputDialog::OnOpen},
    {"open: missing", NotOpened, "missing.txt", "No such file or directory", &CInputDialog::OnOpen},
    {"open: binary", NotOpened, "binary.txt", "NUL byte", &CInputDialog::OnOpen, 0, {"1,2\r\0\0\0", 7}},
    {"print: full disk", NotPrinted, "kept", "File too large", &CInputDialog::OnPrint, 8192},
    {"print: device", NotPrinted, "/dev/full", "not a regular file", &CInputDialog::OnPrint},
    {"print: folder", NotPrinted, ".", "it is a folder", &CInputDialog::OnPrint},
};

} // namespace

class InputDialogTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TestPrompter> prompter;

private slots:
    void init() { prompter = std::make_unique<TestPrompter>(); }
    void cleanup() { prompter.reset(); }

    // Every caption whole and no control over another, at the opening size and at the least size the
    // dialog takes (where the grid scrolls); the bottomland dialog has no maximise box.
    void layout_data() { addModels(); }
    void layout() {
        const ProgramProfile& profile = fetchProfile();
        CInputDialog dialog(profile);
        QCOMPARE(bool(dialog.windowFlags() & Qt::WindowMaximizeButtonHint), profile.hasProvince);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (const QSize size : {dialog.size(), QSize(1, 1)}) {
            dialog.resize(size);
            dialog.layout()->activate();
            QList<QWidget*> controls;
            for (QWidget* w : dialog.findChildren<QWidget*>()) {
                if (!w->isVisible()) continue;
                if (qobject_cast<QCheckBox*>(w) || qobject_cast<QLabel*>(w) || qobject_cast<QPushButton*>(w))
                    QVERIFY2(w->width() >= w->sizeHint().width() && w->height() >= w->sizeHint().height(),
                             qPrintable(w->objectName()));
                if (w->parentWidget() == &dialog) controls << w;
            }
            for (int i = 0; i < controls.size(); ++i)
                for (int j = i + 1; j < controls.size(); ++j)
                    QVERIFY2(!controls[i]->geometry().intersects(controls[j]->geometry()),
                             qPrintable(controls[i]->objectName() + " / " + controls[j]->objectName()));
        }
        QVERIFY(dialog.height() < 400); // the grid gave up room rather than a control
    }

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
        put(dialog, 4, 9, "Desirable");
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
        for (const auto& [key, modifiers] :
             {std::pair{Qt::Key_F5, Qt::NoModifier}, {Qt::Key_R, Qt::ControlModifier}}) {
            dialog.findChild<QLineEdit*>("decisionBox")->clear();
            dialog.grid()->setFocus();
            press("", key, modifiers);
            QVERIFY(!dialog.findChild<QLineEdit*>("decisionBox")->text().isEmpty());
        }
    }

    // The real dialogs: the file dialog lists the tally type as "TEXT FILES (.txt)", without its
    // pattern again; the leaving question has Yes and No, no icon and the program's caption.
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
        for (const auto button : {QMessageBox::No, QMessageBox::Yes}) {
            QTimer::singleShot(0, [&seen, button] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box && box->standardButtons() == (QMessageBox::Yes | QMessageBox::No));
                QCOMPARE(box->icon(), QMessageBox::NoIcon);
                seen = box->windowTitle() + '|' + box->text();
                box->button(button)->click();
            });
            dialog.reject();
            QCOMPARE(seen, "Timbra|" + QString::fromStdString(timbra::timbraProfile().leaveQuestion));
            QCOMPARE(dialog.isVisible(), button == QMessageBox::No);
        }
    }

    // Objective 3 has no cut-off in two upland provinces: its box follows a pasted or typed province
    // and comes back with an undo; its tick is left alone.
    void objective3FollowsProvince() {
        CInputDialog dialog(timbra::timbraProfile());
        QCheckBox* third = objective(dialog, 3);
        third->click();
        pasteAt(dialog, 10, 3, "Western Rim");
        QVERIFY(!third->isEnabled());
        dialog.undoStack()->undo();
        QVERIFY(third->isEnabled());
        put(dialog, 10, 3, "Coastal Plain");
        emit dialog.grid()->CellChanged(10, 2); // a new number of plots applies the rule again
        QVERIFY(!third->isEnabled() && third->isChecked());
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
        QCOMPARE(boxesAtMessage, QStringList{"||"});
        QCOMPARE(boxes(dialog), " 0.0|Regenerate|50.0");

        // No plots: the unusual-value message, and in the upland program the missing province.
        prompter->messages.clear();
        boxesAtMessage.clear();
        put(dialog, 10, 2, "0");
        put(dialog, 10, 3, "");
        dialog.OnRun();
        QStringList expected = {tree1, "Your stand has an unusual value, check data for errors."};
        if (profile.hasProvince) expected << "Please insert a physiographic province.";
        QCOMPARE(prompter->messages, expected);
        QCOMPARE(boxesAtMessage.first(), " 0.0|Regenerate|50.0"); // still the previous run's
        QCOMPARE(boxesAtMessage.last(), boxes(dialog));
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
        QVERIFY(!dialog.close());
        const QString leave = QString::fromStdString(profile.leaveQuestion);
        QCOMPARE(prompter->questions,
                 (QStringList{leave, leave, leave, QString::fromStdString(profile.closeQuestion)}));
        QVERIFY(dialog.isVisible());

        prompter->answers = {true};
        dialog.findChild<QPushButton*>("ok")->click();
        QCOMPARE(dialog.isVisible(), false);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.results().standName, std::string("North Ridge"));

        CInputDialog again(profile);
        again.show();
        prompter->answers = {true};
        QVERIFY(again.close());
        QCOMPARE(prompter->questions.size(), 6);
        QCOMPARE(again.result(), int(QDialog::Rejected));
    }

    // Print covers the header and the tally down to its end marker (upland) or its last tree.
    void print_data() { addModels(); }
    void print() {
        const ProgramProfile& profile = fetchProfile();
        QTemporaryDir dir;
        prompter->pdfPath = dir.filePath("tally.pdf");
        CInputDialog dialog(profile);
        putStand(dialog, profile, 3);
        for (const auto& [row, code] : {std::pair{8, "RDD"}, {9, "MMM"}, {10, "QQQ"}})
            dialog.grid()->sheet().SetText(3, row, code);
        dialog.grid()->sheet().SetText(1, 9, "0"); // the tally ends after tree 3
        action(dialog, "actionPrint")->trigger();
        QCOMPARE(prompter->messages, QStringList());
        const QString printed = pdfText(prompter->pdfPath);
        if (printed.isEmpty()) QSKIP("pdftotext is not installed");
        QStringList found;
        for (const char* text : {"North Ridge", "RDD", "MMM", "QQQ"})
            if (printed.contains(text)) found << text;
        QCOMPARE(found.join(','), profile.hasProvince ? "North Ridge,RDD,MMM" : "North Ridge,RDD");
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
        QCOMPARE(undo->text() + '|' + redo->text(), "Undo|Redo");
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
        QAction* clear = action(dialog, "actionClearSpreadsheet"); // the bottomland program's; New otherwise
        const bool clears = clear;
        if (!clears) clear = action(dialog, "actionNew");
        clear->trigger(); // New or Clear Spreadsheet: the tally goes, the results and the cursor stay
        QCOMPARE(shown(dialog, {{10, 2}, {1, 6}, {4, 6}}), (clears ? "1|0| " : "0|0| "));
        QCOMPARE(boxes(dialog), ran);
        QCOMPARE(cursor(dialog), QPoint(4, 9));
        QCOMPARE(undo->text(), "Undo " + clear->text());

        ctrl(Qt::Key_Z);
        QCOMPARE(shown(dialog, {{3, 8}, {10, 6}}), "SUM|" + rewritten);
        QCOMPARE(redo->text(), "Redo " + clear->text());
        ctrl(Qt::Key_Z); // the objective click: its boxes and the classes before it
        QCOMPARE(checkedObjectives(dialog), QList<int>{1});
        QCOMPARE(shown(dialog, {{10, 6}}), "Preferred");
        undo->trigger(); // the paste
        QCOMPARE(shown(dialog, {{3, 8}, {4, 9}}), " | ");
        QCOMPARE(cursor(dialog), QPoint(3, 8));
        QCOMPARE(undo->text() + '|' + redo->text() + '|' + boxes(dialog), "Undo|Redo Paste|" + ran);
        ctrl(Qt::Key_Y);
        QCOMPARE(shown(dialog, {{4, 9}}), "Acceptable");
        ctrl(Qt::Key_Z, Qt::ShiftModifier);
        QCOMPARE(checkedObjectives(dialog), QList<int>{2});
        pasteAt(dialog, 3, 2, "South Ridge"); // a new step drops what could be redone
        QVERIFY(!redo->isEnabled());
        QCOMPARE(dialog.undoStack()->count(), 3);

        for (int n = 1; n <= 150; ++n)
            pasteAt(dialog, 3, 2, QString("Stand %1").arg(n));
        QCOMPARE(dialog.undoStack()->count(), 100);
        while (dialog.undoStack()->canUndo())
            dialog.undoStack()->undo();
        QCOMPARE(shown(dialog, {{3, 2}}), "Stand 50");
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
        const QString where = f.where;
        const QString path = where == "." ? dir.path() : where.startsWith('/') ? where : dir.filePath(where);
        if (!f.content.empty()) writeAll(path, QByteArray(f.content.data(), qsizetype(f.content.size())));
        const QStringList files =
            QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        const ProgramProfile& profile = timbra::timbraProfile();
        CInputDialog dialog(profile);
        putStand(dialog, profile);
        const QString before = sheetText(dialog.grid()->sheet());
        prompter->fileNames = {path};
        prompter->pdfPath = path;

        rlimit unlimited{};
        ::getrlimit(RLIMIT_FSIZE, &unlimited);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{rlim_t(f.sizeLimit), unlimited.rlim_max};
        if (f.sizeLimit > 0) ::setrlimit(RLIMIT_FSIZE, &limit);
        (dialog.*f.command)();
        ::setrlimit(RLIMIT_FSIZE, &unlimited);
        std::signal(SIGXFSZ, oldHandler);

        QCOMPARE(prompter->captions, QStringList{"Timbra"});
        const QString text = prompter->messages.value(0);
        QVERIFY2(text.startsWith(f.told) && text.contains(path) && text.contains(f.reason), qPrintable(text));
        QCOMPARE(sheetText(dialog.grid()->sheet()), before);
        QCOMPARE(readAll(dir.filePath("kept")), QByteArray("kept as it was"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), files);
        struct stat st {};
        QVERIFY(::stat("/dev/full", &st) == 0 && S_ISCHR(st.st_mode));
    }

    // Saved, then cut off in the middle of a row, given a DBH out of range and a stray Windows-1252
    // byte among UTF-8 text: it opens with what it holds, the refused cells marked, both told in
    // one message.
    void openMarksRefusedCells() {
        QTemporaryDir dir;
        const QString path = dir.filePath("cut.txt");
        const ProgramProfile& profile = timbra::timbraProfile();
        CInputDialog dialog(profile);
        putStand(dialog, profile);
        prompter->fileNames = {path, path};
        dialog.OnSaveAs();
        QCOMPARE(prompter->presets.first() + prompter->suffixes.first(), "*.txttxt");
        QByteArray bytes = readAll(path).replace(",16,", ",99,").replace("Ridge", "Ch\xC3\xA2teau \x96");
        bytes.truncate(bytes.indexOf("Preferred") + 5);
        writeAll(path, bytes);

        dialog.OnOpen();
        QCOMPARE(prompter->messages,
                 QStringList{"1 byte of " + path +
                             " is not UTF-8 and was read as a Windows-1252 character. 2 cells of " + path +
                             " hold values that their column does not accept; they are marked in the grid."});
        const timbra::Sheet& tally = dialog.grid()->sheet();
        QCOMPARE(tally.GetText(3, 2) + '|' + tally.GetText(10, 6) + '|' + tally.GetText(1, 7),
                 "North Ch\u00E2teau \u2013|Prefe|");
        QCOMPARE((QList<bool>{dialog.grid()->isMarked(5, 6), dialog.grid()->isMarked(10, 6),
                              dialog.grid()->isMarked(4, 6)}),
                 (QList<bool>{true, true, false}));
    }
};

QTEST_MAIN(InputDialogTest)
#include "InputDialogTest.moc"
