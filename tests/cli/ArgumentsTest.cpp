// The command line as a user meets it: arguments, exit statuses and the program itself.
#include "CliTestSupport.h"

#include "app/Version.h"

namespace timbra::cli::test {
namespace {

TEST(Arguments, Version) {
    EXPECT_EQ(runCli({"--version"}).out, std::string("timbra-cli ") + version + "\n");
}

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
