#pragma once

// What the Qt tests share: a prompter that answers the programs' dialogs and records what they
// showed, the two programs as a test table, a stand written into the input dialog, and a way to
// drive a modal dialog from inside.

#include "core/app/ProgramProfile.h"
#include "core/app/StandDocument.h"
#include "core/input/TallyFile.h"
#include "gui/common/Prompter.h"
#include "gui/grid/CSpreadSheet.h"
#include "gui/input/CInputDialog.h"

#include <QPrinter>
#include <QtWidgets>

#include <functional>

// Answers the programs' prompts in tests and records what they showed.
class TestPrompter final : public Prompter {
public:
    TestPrompter() { Prompter::setCurrent(this); }
    ~TestPrompter() override { Prompter::setCurrent(nullptr); }

    QStringList messages, captions; // the texts and captions of the messages shown
    QStringList questions;
    QList<bool> answers;     // answers to the next questions; No once they run out
    QList<bool> noByDefault; // for each question asked: No was its default button
    QStringList fileNames;   // names for the next file dialogs; an empty name cancels
    QStringList presets, suffixes;
    QString pdfPath; // where prints go; empty cancels the print dialog
    int printRequests = 0;
    std::function<void()> onMessage; // runs while each message is shown
    int skipAt = 0;                  // the message of a series whose box skips the rest (from 1); 0: none
    QList<int> remaining;            // what each message of a series said remained after it

    void message(QWidget*, const QString& caption, const QString& text) override {
        messages << text;
        captions << caption;
        if (onMessage) onMessage();
    }
    bool seriesMessage(QWidget* parent, const QString& caption, const QString& text, int left) override {
        message(parent, caption, text);
        remaining << left;
        return remaining.size() != skipAt;
    }
    bool question(QWidget*, const QString&, const QString& text) override {
        questions << text;
        noByDefault << false;
        return !answers.isEmpty() && answers.takeFirst();
    }
    bool cautiousQuestion(QWidget* parent, const QString& caption, const QString& text) override {
        const bool yes = question(parent, caption, text);
        noByDefault.back() = true;
        return yes;
    }
    QString openFileName(QWidget*, const QString& preset, const QString&) override {
        presets << preset;
        return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
    }
    QString saveFileName(QWidget*, const QString& preset, const QString& filter,
                         const QString& suffix) override {
        suffixes << suffix;
        return openFileName(nullptr, preset, filter);
    }
    bool choosePrinter(QWidget*, QPrinter& printer) override {
        ++printRequests;
        if (pdfPath.isEmpty()) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
        return true;
    }
};

// The text of a PDF, pages separated by form feeds; empty when pdftotext is missing.
inline QString pdfText(const QString& path) {
    QProcess process;
    process.start("pdftotext", {"-layout", path, "-"});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// A command of a window's menus or accelerators, by its name ("actionInputData").
inline QAction* action(const QObject& window, const char* name) {
    return window.findChild<QAction*>(name);
}

// Every cell text of a sheet, row by row: one string to compare whole sheets by.
inline QString sheetText(const timbra::Sheet& s) {
    QString all;
    for (int r = 1; r <= s.GetMaxRows(); ++r)
        for (int c = 1; c <= s.GetMaxCols(); ++c)
            all += QString::fromStdString(s.GetText(c, r)) + (c < s.GetMaxCols() ? '|' : '\n');
    return all;
}

// Calls `open`, which runs a modal dialog, and `inside` on that dialog once it shows. Whatever
// `inside` does, the dialog is closed afterwards (without its leaving question), so a failed
// check never leaves a test waiting on a window.
inline void whileModal(const std::function<void()>& open, const std::function<void(QDialog*)>& inside) {
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        inside(dialog);
        if (dialog->isVisible()) dialog->done(QDialog::Rejected);
    });
    open();
}

// A stand of `plots` plots of two trees each, every tree a sound, large, desirable white oak.
// Plot `zeroPlot` (from 1; 0 for none) holds only small cull trees, worth nothing.
inline void writeStand(const timbra::ProgramProfile& profile, timbra::Sheet& tally, int plots,
                       int zeroPlot = 0) {
    tally.SetText(3, 2, "North Ridge");
    tally.SetText(3, 3, "Compartment 12");
    tally.SetInteger(10, 2, plots);
    if (profile.hasProvince) tally.SetText(10, 3, "Cumberland");
    for (int row = 6; row < 6 + 2 * plots; ++row) {
        const int plot = (row - 4) / 2;
        const QStringList tree = QString(plot == zeroPlot ? "WHO,Unacceptable,6,0.0,0, , ,Cull"
                                                          : "WHO,Desirable,16,2.5,1,High,Dominant,Preferred")
                                     .split(',');
        tally.SetInteger(1, row, plot);
        tally.SetFloat(2, row, row - 5);
        for (int col = 3; col <= 10; ++col)
            tally.SetText(col, row, tree[col - 3].toStdString());
    }
}

// Lays a tally into the input dialog as Open lays a file: one undoable step through the document,
// cells their editor refuses kept and marked. `edit` changes a copy of the dialog's tally.
inline void openStand(CInputDialog& dialog, const std::function<void(timbra::Sheet&)>& edit) {
    timbra::Sheet tally = dialog.document().tally();
    edit(tally);
    dialog.openTallyText(timbra::formatTallyText(tally), "stand.txt", timbra::StandStep::Open);
}

// Inside the input dialog: opens the stand and runs it. Leaving is the caller's choice.
inline void runStand(const timbra::ProgramProfile& profile, CInputDialog& dialog, int plots,
                     int zeroPlot = 0) {
    openStand(dialog, [&](timbra::Sheet& tally) { writeStand(profile, tally, plots, zeroPlot); });
    dialog.OnRun();
}

#ifdef QT_TESTLIB_LIB // the Qt tests; the benchmarks share the rest
#include <QtTest>

// The two programs as a test table's column "model", "upland" and "bottomland", and the profile of
// the row being run.
inline void addModels() {
    QTest::addColumn<QString>("model");
    QTest::newRow("upland") << QStringLiteral("upland");
    QTest::newRow("bottomland") << QStringLiteral("bottomland");
}

inline const timbra::ProgramProfile& fetchProfile() {
    QFETCH(QString, model);
    return *timbra::profileForModel(model.toStdString());
}
#endif
