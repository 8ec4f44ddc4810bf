// Benchmarks of the grid widget over a full tally (10 columns by 1,500 rows): showing a new sheet,
// and a refresh after code rewrote every cell, with the repaint of the visible cells.

#include "core/app/ProgramProfile.h"
#include "gui/grid/CSpreadSheet.h"

#include <QApplication>
#include <QPixmap>

#include <benchmark/benchmark.h>

#include <string>

namespace {

timbra::Sheet fullTally() {
    timbra::Sheet tally = timbra::timbraProfile().loadTallyGrid();
    const char* codes[] = {"YLP", "SUM", "SWG", "WAO", "SRO"};
    for (int row = 6; row <= tally.GetMaxRows(); ++row) {
        const int tree = row - 5;
        tally.SetText(1, row, std::to_string(1 + tree / 40));
        tally.SetText(2, row, std::to_string(tree));
        tally.SetText(3, row, codes[tree % 5]);
        tally.SetText(4, row, "Desirable");
        tally.SetText(5, row, std::to_string(12 + 2 * (tree % 8)));
        tally.SetText(6, row, "2.0");
        tally.SetText(7, row, "1");
        tally.SetText(8, row, "High");
        tally.SetText(9, row, "Co-dominant");
        tally.SetText(10, row, "Preferred");
    }
    return tally;
}

void BM_GridSetSheet(benchmark::State& state) {
    const timbra::Sheet tally = fullTally();
    CSpreadSheet grid;
    grid.resize(800, 500);
    grid.show();
    for (auto _ : state) {
        grid.setSheet(tally);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_GridSetSheet)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_GridRefreshAndRepaint(benchmark::State& state) {
    CSpreadSheet grid;
    grid.setSheet(fullTally());
    grid.resize(800, 500);
    grid.show();
    QApplication::processEvents();
    int pass = 0;
    for (auto _ : state) {
        // What an objective click does: rewrite class cells of every row, then one refresh.
        timbra::Sheet& tally = grid.sheet();
        const char* cls = ++pass % 2 ? "Reserve" : "Preferred";
        for (int row = 6; row <= tally.GetMaxRows(); ++row)
            tally.SetText(10, row, cls);
        grid.refresh();
        benchmark::DoNotOptimize(grid.viewport()->grab());
    }
}
BENCHMARK(BM_GridRefreshAndRepaint)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
