#include "CliTestSupport.h"

#include <cstdio>
#include <sys/wait.h>

namespace timbra::cli::test {
namespace {

struct Process {
    int status = -1;
    std::string out;
};

Process shell(const std::string& command) {
    Process p;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return p;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        p.out.append(buffer, n);
    const int raw = pclose(pipe);
    p.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return p;
}

const std::string Exe = std::string("'") + TIMBRA_CLI_EXE + "'";

TEST(Executable, RunsTheExampleFromTheShell) {
    const Process p = shell(Exe + " run '" + UplandExample + "' 2>&1");
    EXPECT_EQ(p.status, 0);
    EXPECT_EQ(p.out, runCli({"run", UplandExample}).out);

    const Process piped = shell(Exe + " run - --model bottomland --json < '" + BottomlandExample + "'");
    EXPECT_EQ(piped.status, 0);
    EXPECT_EQ(piped.out, runCli({"run", BottomlandExample, "--model", "bottomland", "--json"}).out);
}

TEST(Executable, ExitStatusReachesTheShell) {
    EXPECT_EQ(shell(Exe + " --help").status, 0);
    EXPECT_EQ(shell(Exe + " run 2>/dev/null").status, 2);
    EXPECT_EQ(shell(Exe + " summary '" + UplandExample + "' /nonexistent/tally.txt").status, 1);
}

} // namespace
} // namespace timbra::cli::test
