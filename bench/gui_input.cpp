// Benchmarks of the input dialog: opening it (stored grid restored and blanked, window shown),
// Run, an objective click and undo or redo of a whole-tally step over a full tally of 1,495 trees,
// each with its repaint, and the recovery copy of a full tally.

#include "../tests/gui/GuiTestSupport.h"
#include "core/app/ProgramProfile.h"
#include "gui/grid/CSpreadSheet.h"
#include "gui/input/CInputDialog.h"
#include "gui/input/TallyRecovery.h"

#include <QCheckBox>
#include <QUndoStack>

#include <benchmark/benchmark.h>

#include <optional>
#include <string>

namespace {

// 1,495 valid trees in 40 plots, so that Run shows no message.
void fillTally(CInputDialog& dialog) {
    openStand(dialog, [](timbra::Sheet& tally) {
        tally.SetText(8, 2, "Fifth acre");
        tally.SetText(10, 2, "40");
        tally.SetText(10, 3, "Cumberland");
        const char* codes[] = {"YLP", "SUM", "SWG", "WAO", "SRO"};
        const int lastRow = 1500;
        for (int row = 6; row <= lastRow; ++row) {
            const int tree = row - 5;
            tally.SetText(1, row, std::to_string(1 + (tree - 1) * 40 / 1495));
            tally.SetText(3, row, codes[tree % 5]);
            tally.SetText(4, row, tree % 3 ? "Desirable" : "Acceptable");
            tally.SetText(5, row, std::to_string(12 + 2 * (tree % 8)));
            tally.SetText(6, row, "2.0");
            tally.SetText(7, row, "1");
            tally.SetText(8, row, "High");
            tally.SetText(9, row, "Dominant");
            tally.SetText(10, row, tree % 2 ? "Cull" : "Preferred");
        }
    });
}

void BM_OpenInputDialog(benchmark::State& state, const timbra::ProgramProfile* profile) {
    TestPrompter prompter;
    std::optional<CInputDialog> dialog;
    for (auto _ : state) {
        dialog.emplace(*profile);
        dialog->show();
        dialog->repaint();
        state.PauseTiming();
        dialog.reset();
        state.ResumeTiming();
    }
}
BENCHMARK_CAPTURE(BM_OpenInputDialog, timbra, &timbra::timbraProfile())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenInputDialog, lowtimbra, &timbra::lowtimbraProfile())->Unit(benchmark::kMillisecond);

void BM_RunFullTally(benchmark::State& state, const timbra::ProgramProfile* profile) {
    TestPrompter prompter;
    CInputDialog dialog(*profile);
    dialog.show();
    fillTally(dialog);
    for (auto _ : state) {
        dialog.OnRun();
        dialog.repaint();
    }
    if (!prompter.messages.isEmpty()) state.SkipWithError("the tally raised messages");
}
BENCHMARK_CAPTURE(BM_RunFullTally, timbra, &timbra::timbraProfile())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RunFullTally, lowtimbra, &timbra::lowtimbraProfile())->Unit(benchmark::kMillisecond);

// Each click ticks the other of two objectives, so every click runs a rewrite pass.
void BM_ObjectiveClickFullTally(benchmark::State& state, const timbra::ProgramProfile* profile) {
    TestPrompter prompter;
    CInputDialog dialog(*profile);
    dialog.show();
    fillTally(dialog);
    int n = 1;
    for (auto _ : state) {
        n = 3 - n;
        dialog.findChild<QCheckBox*>(QStringLiteral("objective%1").arg(n))->click();
        dialog.repaint();
    }
}
BENCHMARK_CAPTURE(BM_ObjectiveClickFullTally, timbra, &timbra::timbraProfile())
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ObjectiveClickFullTally, lowtimbra, &timbra::lowtimbraProfile())
    ->Unit(benchmark::kMillisecond);

// Undo and redo of a whole-tally step (New over a full tally, about 13,500 cells): each iteration
// lays the step back or again and repaints.
void BM_UndoRedoWholeTally(benchmark::State& state, const timbra::ProgramProfile* profile) {
    TestPrompter prompter;
    CInputDialog dialog(*profile);
    dialog.show();
    fillTally(dialog);
    dialog.OnNew();
    QUndoStack* history = dialog.undoStack();
    for (auto _ : state) {
        if (history->canUndo())
            history->undo();
        else
            history->redo();
        dialog.repaint();
    }
}
BENCHMARK_CAPTURE(BM_UndoRedoWholeTally, timbra, &timbra::timbraProfile())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_UndoRedoWholeTally, lowtimbra, &timbra::lowtimbraProfile())
    ->Unit(benchmark::kMillisecond);

// The recovery copy of a full tally after one cell changed. `onDisk` 0: the time the user-interface
// thread spends (the tally formatted and compared, the write handed to the worker); 1: the whole
// copy until it is synced to disk.
void BM_RecoveryCopyFullTally(benchmark::State& state) {
    TestPrompter prompter;
    CInputDialog dialog(timbra::timbraProfile());
    fillTally(dialog);
    const bool onDisk = state.range(0) == 1;
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QAbstractItemModel* model = dialog.grid()->model();
        model->setData(model->index(1, 2), QString::fromStdString("Stand " + std::to_string(++n)));
        state.ResumeTiming();
        dialog.recovery()->writeIfChanged();
        if (!onDisk) state.PauseTiming();
        dialog.recovery()->waitForWrite();
        if (!onDisk) state.ResumeTiming();
    }
    if (!dialog.recovery()->file().exists()) state.SkipWithError("no recovery copy was written");
}
BENCHMARK(BM_RecoveryCopyFullTally)->Arg(0)->Arg(1)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
