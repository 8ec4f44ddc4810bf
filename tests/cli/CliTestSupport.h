#pragma once

#include "cli/Cli.h"
#include "cli/StandSession.h"
#include "core/TestFiles.h"
#include "input/TallyFile.h"

#include <cstdio>
#include <sys/wait.h>

namespace timbra::cli::test {

using ::timbra::test::Header;
using ::timbra::test::Tree;

struct CliResult {
    int code = -1;
    std::string out, err;
};

inline CliResult runCli(const std::vector<std::string>& args, const std::string& input = {}) {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int code = run(args, in, out, err);
    return {code, out.str(), err.str()};
}

inline const std::string UplandExample = TIMBRA_EXAMPLES "/upland-ridge-stand.txt";
inline const std::string BottomlandExample = TIMBRA_EXAMPLES "/bottomland-creek-stand.txt";

// A file in the test's scratch folder.
inline std::string scratchFile(const std::string& name, const std::string& bytes) {
    const std::string path = ::testing::TempDir() + "timbra-cli-" + name;
    ::timbra::test::writeFile(path, bytes);
    return path;
}

// The stand saved as the program saves it, from the grid the input dialog opens with.
inline std::string standFile(const std::string& name, const std::vector<Tree>& trees,
                             const Header& header = {.province = "Cumberland"}) {
    return scratchFile(name, formatTallyText(::timbra::test::openingTally(timbraProfile(), header, trees)));
}

// Runs a shell command line; gives its exit status and standard output.
inline std::pair<int, std::string> shell(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return {-1, out};
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

inline const std::string Exe = std::string("'") + TIMBRA_CLI_EXE + "'";

} // namespace timbra::cli::test
