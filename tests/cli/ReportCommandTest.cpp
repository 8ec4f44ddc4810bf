#include "CliTestSupport.h"

namespace timbra::cli::test {
namespace {

TEST(ReportCommand, CsvIsTheFilledSheet) {
    const CliResult r = runCli({"report", UplandExample, "--csv", "--objective", "4"});
    ASSERT_EQ(r.code, 0) << r.err;
    std::vector<std::string> rows;
    std::istringstream in(r.out);
    for (std::string line; std::getline(in, line);)
        rows.push_back(line);
    ASSERT_EQ(rows.size(), 44u);
    EXPECT_EQ(r.out.find('\r'), std::string::npos);
    EXPECT_EQ(rows[0], std::string(10, ','));
    EXPECT_EQ(rows[1], "TIMBRA DECISION-MAKER STAND ANALYSIS,,,,,,,,,,");
    EXPECT_EQ(rows[3], "Buck Ridge oak stand,,,,4,,4,,,,");
    EXPECT_EQ(rows[10], "Manage,,31.0,,30.0,,,,,,");
    EXPECT_EQ(rows[14].rfind(",,1,", 0), 0u) << rows[14];

    const Stand quoted{.name = "North \"Big\" Ridge, upper", .trees = {{1, 16}}};
    const CliResult q = runCli({"report", standFile("quoted.txt", quoted), "--csv"});
    EXPECT_NE(q.out.find("\n\"North \"\"Big\"\" Ridge, upper\",,,,1,,1,,,,\n"), std::string::npos) << q.out;
}

TEST(ReportCommand, GateFailureSaysWhyAndExitsOne) {
    const Tree tree{1, 16};
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
        {{UplandExample, "--objective", "0"}, "no objective is ticked"},
        {{standFile("rim.txt", {.province = "Western Rim", .trees = {tree}}), "--objective", "3"},
         "objective 3 has no cut-off index in the Western Rim province"},
        {{standFile("noprov.txt", {.province = "", .trees = {tree}})},
         "the stand has no physiographic province"},
    };
    for (auto [args, why] : cases) {
        args.insert(args.begin(), "report");
        args.push_back("--csv");
        const CliResult r = runCli(args);
        EXPECT_EQ(r.code, 1) << why;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "timbra-cli: no report: " + why + "\n");
    }
}

} // namespace
} // namespace timbra::cli::test
