// A Run, with and without the stand statistics, and each objective's rewrite pass over a full
// tally of 1,495 trees, for both models.
#include "core_tallies.h"

#include "core/input/TallyLayout.h"
#include "core/statistics/StandStatistics.h"

#include <benchmark/benchmark.h>

namespace timbra::bench {
namespace {

const ProgramProfile& profileOf(const benchmark::State& state) {
    return state.range(0) == 0 ? timbraProfile() : lowtimbraProfile();
}

void setModelLabel(benchmark::State& state) {
    state.SetLabel(profileOf(state).modelName);
}

void BM_Run(benchmark::State& state) {
    const ProgramProfile& profile = profileOf(state);
    const Sheet tally = fullTally(profile);
    const ObjectiveBoxes boxes = cli::openingBoxes();
    for (auto _ : state)
        benchmark::DoNotOptimize(profile.model->run(tally, boxes));
    setModelLabel(state);
}
BENCHMARK(BM_Run)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A Run followed by the stand statistics the programs show after it; compare with BM_Run.
void BM_RunWithStatistics(benchmark::State& state) {
    const ProgramProfile& profile = profileOf(state);
    const Sheet tally = fullTally(profile);
    const ObjectiveBoxes boxes = cli::openingBoxes();
    for (auto _ : state) {
        const RunOutcome outcome = profile.model->run(tally, boxes);
        benchmark::DoNotOptimize(computeStandStatistics(outcome.results));
    }
    setModelLabel(state);
}
BENCHMARK(BM_RunWithStatistics)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Each pass starts from the full tally as built: a pass leaves alone the cells that already hold
// its texts, so a second pass over the same sheet would write nothing. The classes are put back
// between passes, untimed.
void BM_RewritePass(benchmark::State& state) {
    const ProgramProfile& profile = profileOf(state);
    const int objective = static_cast<int>(state.range(1));
    Sheet tally = fullTally(profile);
    std::vector<std::string> built;
    for (int row = FirstTreeRow; row <= LastTreeRow; ++row)
        for (int col : {SpeciesClassColumn, TreeClassColumn})
            built.push_back(tally.GetText(col, row));
    for (auto _ : state) {
        const std::vector<int> changed = profile.model->rewriteForObjective(tally, objective);
        state.PauseTiming();
        for (int row : changed) {
            const std::size_t kept = 2 * static_cast<std::size_t>(row - FirstTreeRow);
            tally.SetText(SpeciesClassColumn, row, built[kept]);
            tally.SetText(TreeClassColumn, row, built[kept + 1]);
        }
        state.ResumeTiming();
    }
    setModelLabel(state);
}
BENCHMARK(BM_RewritePass)
    ->Args({0, 1})
    ->Args({0, 2})
    ->Args({0, 3})
    ->Args({0, 4})
    ->Args({1, 1})
    ->Args({1, 2})
    ->Args({1, 3})
    ->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace timbra::bench
