// The Stand Statistics window over a full tally (40 plots, 1,495 trees): built from the held
// statistics with its two charts and tables, shown and painted.

#include "../tests/gui/GuiTestSupport.h"
#include "core_tallies.h"
#include "gui/statistics/StatisticsWindow.h"

#include <benchmark/benchmark.h>

#include <optional>

namespace {

void BM_OpenStatisticsWindow(benchmark::State& state, const timbra::ProgramProfile* profile) {
    TestPrompter prompter;
    const timbra::Sheet tally = timbra::bench::fullTally(*profile);
    const timbra::RunOutcome outcome = profile->model->run(tally, timbra::cli::openingBoxes());
    const timbra::StandStatistics statistics = timbra::computeStandStatistics(outcome.results);
    if (statistics.sampling.plots != 40) state.SkipWithError("the tally did not form 40 plots");
    std::optional<StatisticsWindow> window;
    for (auto _ : state) {
        window.emplace(*profile, statistics, outcome.results);
        window->show();
        window->repaint();
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK_CAPTURE(BM_OpenStatisticsWindow, timbra, &timbra::timbraProfile())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenStatisticsWindow, lowtimbra, &timbra::lowtimbraProfile())
    ->Unit(benchmark::kMillisecond);

} // namespace
