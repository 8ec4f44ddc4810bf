#include "CliTestSupport.h"

#include <cstdio>
#include <sys/wait.h>

namespace timbra::cli::test {
namespace {

// Runs a shell command line; gives its exit status and standard output.
std::pair<int, std::string> shell(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return {-1, out};
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

const std::string Exe = std::string("'") + TIMBRA_CLI_EXE + "'";

TEST(Executable, StandardInputOutputAndExitStatus) {
    const auto [status, out] = shell(Exe + " run - --model bottomland --json < '" + BottomlandExample + "'");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out, runCli({"run", BottomlandExample, "--model", "bottomland", "--json"}).out);

    EXPECT_EQ(shell(Exe + " --help").first, 0);
    EXPECT_EQ(shell(Exe + " run 2>/dev/null").first, 2);
    EXPECT_EQ(shell(Exe + " summary '" + UplandExample + "' /nonexistent/tally.txt").first, 1);
}

} // namespace
} // namespace timbra::cli::test
