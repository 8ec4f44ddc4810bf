#include "CliTestSupport.h"

#include "cli/Arguments.h"

namespace timbra::cli::test {
namespace {

TEST(Arguments, UnusableArgumentsExitTwoWithOneLine) {
    const std::vector<std::vector<std::string>> bad{
        {},
        {"frobnicate"},
        {"run"},
        {"run", UplandExample, BottomlandExample},
        {"run", UplandExample, "--model"},
        {"run", UplandExample, "--model", "lowland"},
        {"run", UplandExample, "--objective", "5"},
        {"run", UplandExample, "--objective", "4", "--model", "bottomland"},
        {"run", UplandExample, "--objective", "-1"},
        {"run", UplandExample, "--objective", "two"},
        {"run", UplandExample, "--csv"},
        {"run", UplandExample, "--json=yes"},
        {"summary", UplandExample, "--objective", "1"},
        {"summary"},
        {"report", UplandExample},
        {"report", UplandExample, "--json"},
    };
    for (const auto& args : bad) {
        const CliResult r = runCli(args);
        std::string joined;
        for (const auto& a : args)
            joined += a + " ";
        EXPECT_EQ(r.code, 2) << joined;
        EXPECT_EQ(r.out, "") << joined;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << joined << r.err;
    }
}

TEST(Arguments, OptionsInAnyOrderAndBothSpellings) {
    const ParsedArguments p =
        parseArguments({"report", "--objective=3", "--csv", "--model", "bottomland", "--", "--odd-name.txt"});
    ASSERT_TRUE(p.ok()) << p.error;
    EXPECT_EQ(p.options.command, Command::Report);
    EXPECT_EQ(p.options.profile, &lowtimbraProfile());
    EXPECT_EQ(p.options.objective, 3);
    EXPECT_TRUE(p.options.csv);
    EXPECT_EQ(p.options.files, std::vector<std::string>{"--odd-name.txt"});

    const ParsedArguments plain = parseArguments({"summary", "a.txt", "b.txt"});
    ASSERT_TRUE(plain.ok());
    EXPECT_EQ(plain.options.profile, &timbraProfile());
    EXPECT_FALSE(plain.options.objective.has_value());
    EXPECT_EQ(plain.options.files.size(), 2u);
}

TEST(Arguments, HelpPrintsUsage) {
    for (const auto& args : {std::vector<std::string>{"--help"}, {"-h"}, {"run", "--help"}}) {
        const CliResult r = runCli(args);
        EXPECT_EQ(r.code, 0);
        EXPECT_EQ(r.out.rfind("Usage:\n", 0), 0u);
        EXPECT_NE(r.out.find("timbra-cli summary FILE..."), std::string::npos);
    }
}

} // namespace
} // namespace timbra::cli::test
