#include "CliTestSupport.h"

namespace timbra::cli::test {
namespace {

TEST(Arguments, UnusableArgumentsExitTwoWithOneLine) {
    const std::string f = UplandExample;
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
    // "--name=value", options after the file, and "--" before a name that looks like an option.
    EXPECT_EQ(runCli({"run", BottomlandExample, "--objective=3", "--model=bottomland"}).code, 0);
    const CliResult r = runCli({"run", "--", "--odd"});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("Cannot open \"--odd\""), std::string::npos) << r.err;
}

} // namespace
} // namespace timbra::cli::test
