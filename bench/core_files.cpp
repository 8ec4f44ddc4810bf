// Tally files: load and save of a full tally, and the report fill.
#include "core_tallies.h"

#include "core/input/TallyFile.h"
#include "core/report/ReportContent.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>

namespace timbra::bench {
namespace {

std::string scratchPath(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

void BM_LoadTallyFile(benchmark::State& state) {
    const Sheet full = fullTally(timbraProfile());
    const std::string path = scratchPath("timbra-bench-load.txt");
    saveTallyFile(full, path);
    Sheet tally = cli::openingTally(timbraProfile());
    for (auto _ : state) {
        const LoadResult r = loadTallyFile(tally, path);
        if (!r.ok) state.SkipWithError(r.error.c_str());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(path)));
    std::remove(path.c_str());
}
BENCHMARK(BM_LoadTallyFile)->Unit(benchmark::kMicrosecond);

void BM_SaveTallyFile(benchmark::State& state) {
    const Sheet full = fullTally(timbraProfile());
    const std::string path = scratchPath("timbra-bench-save.txt");
    for (auto _ : state) {
        const FileResult r = saveTallyFile(full, path);
        if (!r.ok) state.SkipWithError(r.error.c_str());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(path)));
    std::remove(path.c_str());
}
BENCHMARK(BM_SaveTallyFile)->Unit(benchmark::kMicrosecond);

void BM_FillReport(benchmark::State& state) {
    const StandResults results =
        timbraProfile().model->run(fullTally(timbraProfile()), cli::openingBoxes()).results;
    Sheet report;
    setUpReportSheet(report);
    for (auto _ : state) {
        clearReport(report);
        fillReport(report, results, true);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FillReport)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace timbra::bench
