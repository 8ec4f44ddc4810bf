// `timbra-cli summary` over 1,000 full tally files, reported in bytes of tally read per second.
#include "core_tallies.h"

#include "cli/SummaryCommand.h"
#include "core/input/TallyFile.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace timbra::bench {
namespace {

constexpr int SummaryFiles = 1000;

// The files are written once and removed when the program ends.
struct SummaryFolder {
    std::filesystem::path folder;
    std::vector<std::string> files;
    std::int64_t bytes = 0;

    SummaryFolder() {
        folder =
            std::filesystem::temp_directory_path() / ("timbra-bench-summary-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
        const std::string text = formatTallyText(fullTally(timbraProfile()));
        for (int i = 0; i < SummaryFiles; ++i) {
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

void BM_Summary(benchmark::State& state) {
    static const SummaryFolder tallies;
    for (auto _ : state)
        benchmark::DoNotOptimize(cli::summarize(timbraProfile(), tallies.files, {}));
    state.SetBytesProcessed(state.iterations() * tallies.bytes);
    state.counters["files"] = static_cast<double>(tallies.files.size());
}
BENCHMARK(BM_Summary)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

} // namespace
} // namespace timbra::bench
