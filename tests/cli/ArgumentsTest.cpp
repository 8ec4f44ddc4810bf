// The command line as a user meets it: arguments, exit statuses and the program itself.
#include "CliTestSupport.h"

#include "app/Version.h"

namespace timbra::cli::test {
namespace {

// Unusable arguments and files that cannot be read alike.
TEST(Arguments, UnusableArgumentsExitTwoWithOneLine) {
    const std::string f = UplandExample;
    const std::string binary = scratchFile("binary.txt", std::string("1,2\0,3", 6));
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {},
             {"frobnicate"},
             {"run"},
             {"run", f, f},
             {"run", f, "--model"},
             {"run", f, "--model", "lowland"},
             {"run", f, "--objective", "5"},
             {"run", f, "--objective", "4", "--model", "bottomland"},
             {"run", f, "--objective", "two"},
             {"run", f, "--csv"},
             {"run", f, "--json=yes"},
             {"summary", f, "--objective", "1"},
             {"report", f},
             {"run", ::testing::TempDir() + "no-such-tally.txt"},
             {"run", binary},
         }) {
        const CliResult r = runCli(args);
        EXPECT_EQ(r.code, 2) << ::testing::PrintToString(args);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
}

TEST(Arguments, HelpAndOptionSpellings) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--help"}, {"run", "-h"}}) {
        const CliResult r = runCli(args);
        EXPECT_EQ(r.code, 0);
        EXPECT_EQ(r.out.rfind("Usage:\n", 0), 0u);
    }
    EXPECT_EQ(runCli({"--version"}).out, std::string("timbra-cli ") + version + "\n");
    // "--name=value", options after the file, and "--" before a name that looks like an option.
    EXPECT_EQ(runCli({"run", BottomlandExample, "--objective=3", "--model=bottomland"}).code, 0);
    const CliResult r = runCli({"run", "--", "--odd"});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("Cannot open \"--odd\""), std::string::npos) << r.err;
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
