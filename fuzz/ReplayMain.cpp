// Runs saved inputs through a fuzz target's entry point without libFuzzer, so that the ordinary
// test suite replays the seed corpus and every input that once crashed. Arguments are files or
// folders (searched recursively); the exit status is 0 only if every input passed without a crash.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

int replay(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", file.c_str());
        return 1;
    }
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    int inputs = 0, failures = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path arg = argv[i];
        if (std::filesystem::is_directory(arg)) {
            for (const auto& entry : std::filesystem::recursive_directory_iterator(arg))
                if (entry.is_regular_file()) {
                    ++inputs;
                    failures += replay(entry.path());
                }
        } else {
            ++inputs;
            failures += replay(arg);
        }
    }
    std::printf("%d inputs replayed, %d unreadable\n", inputs, failures);
    return inputs > 0 && failures == 0 ? 0 : 1;
}
