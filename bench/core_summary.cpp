// `timbra-cli summary` over 1,000 full tally files, reported in bytes of tally read per second: the
// same generated tally in every file, and a set of different tallies as cruises leave them.
#include "core_tallies.h"

#include "core/input/TallyFile.h"
#include "core/tract/StandJudge.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace timbra::bench {
namespace {

constexpr int SummaryFiles = 1000;

// The files are written once and removed when the program ends; `textOf(i)` is file i's text.
struct SummaryFolder {
    std::filesystem::path folder;
    std::vector<std::string> files;
    std::int64_t bytes = 0;

    template <typename TextOf> SummaryFolder(const std::string& name, TextOf textOf) {
        folder = std::filesystem::temp_directory_path() /
                 ("timbra-bench-" + name + "-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
        for (int i = 0; i < SummaryFiles; ++i) {
            const std::string text = textOf(i);
            const std::string path = (folder / ("stand-" + std::to_string(i) + ".txt")).string();
            std::FILE* f = std::fopen(path.c_str(), "wb");
            if (!f) continue;
            bytes += static_cast<std::int64_t>(std::fwrite(text.data(), 1, text.size(), f));
            std::fclose(f);
            files.push_back(path);
        }
    }
    ~SummaryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

void summarizeFolder(benchmark::State& state, const SummaryFolder& tallies) {
    for (auto _ : state)
        benchmark::DoNotOptimize(judgeFiles(timbraProfile(), tallies.files));
    state.SetBytesProcessed(state.iterations() * tallies.bytes);
    state.counters["files"] = static_cast<double>(tallies.files.size());
}

void BM_Summary(benchmark::State& state) {
    static const SummaryFolder tallies(
        "summary", [text = formatTallyText(fullTally(timbraProfile()))](int) { return text; });
    summarizeFolder(state, tallies);
}
BENCHMARK(BM_Summary)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

void BM_SummaryRealistic(benchmark::State& state) {
    static const SummaryFolder tallies("summary-realistic", [](int i) {
        return realisticTallyText(timbraProfile().hasProvince, static_cast<std::uint32_t>(i));
    });
    summarizeFolder(state, tallies);
}
BENCHMARK(BM_SummaryRealistic)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

} // namespace
} // namespace timbra::bench
