#include "CliTestSupport.h"

namespace timbra::cli::test {
namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

TEST(ReportCommand, CsvIsTheFilledSheet) {
    const CliResult r = runCli({"report", UplandExample, "--csv", "--objective", "4"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out.find('\r'), std::string::npos);
    const auto rows = lines(r.out);
    ASSERT_EQ(rows.size(), 44u);
    for (const auto& row : {rows[0], rows[6], rows[43]})
        EXPECT_EQ(row, std::string(10, ','));
    EXPECT_EQ(rows[1], "TIMBRA DECISION-MAKER STAND ANALYSIS,,,,,,,,,,");
    EXPECT_EQ(rows[3], "Buck Ridge oak stand,,,,4,,4,,,,");
    EXPECT_EQ(rows[5], "Compartment 14 - north slope,,,,Fifth acre,,Cumberland,,,,");
    EXPECT_EQ(rows[10].rfind("Manage,,", 0), 0u) << rows[10];
    EXPECT_EQ(rows[13], ",,Plot #,Value,Plot #,Value,Plot #,Value,Plot #,Value,");
    EXPECT_EQ(rows[14].rfind(",,1,", 0), 0u) << rows[14];
}

TEST(ReportCommand, QuotesCellsAsTallyFilesDo) {
    const Stand stand{.name = "North \"Big\" Ridge, upper",
                      .trees = {{1, "WO", "Desirable", 16, 2, 1, "High", "Dominant", "Preferred"}}};
    const CliResult r = runCli({"report", standFile("quoted.txt", timbraProfile(), stand), "--csv"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(lines(r.out)[3], "\"North \"\"Big\"\" Ridge, upper\",,,,1,,1,,,,");
}

TEST(ReportCommand, GateFailureSaysWhyAndExitsOne) {
    const Stand westernRim{.province = "Western Rim",
                           .trees = {{1, "WO", "Desirable", 16, 2, 1, "High", "Dominant", "Preferred"}}};
    const Stand noProvince{.province = "", .trees = westernRim.trees};
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
        {{"report", UplandExample, "--csv", "--objective", "0"}, "no objective is ticked"},
        {{"report", standFile("rim.txt", timbraProfile(), westernRim), "--csv", "--objective", "3"},
         "objective 3 has no cut-off index in the Western Rim province"},
        {{"report", standFile("noprov.txt", timbraProfile(), noProvince), "--csv"},
         "the stand has no physiographic province"},
    };
    for (const auto& [args, why] : cases) {
        const CliResult r = runCli(args);
        EXPECT_EQ(r.code, 1) << why;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "timbra-cli: no report: " + why + "\n");
    }
}

TEST(ReportCommand, PdfNeedsABuildWithPrinting) {
    const CliResult r = runCli({"report", UplandExample, "--pdf", ::testing::TempDir() + "r.pdf"});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, "timbra-cli: --pdf is not available in this build\n");
}

} // namespace
} // namespace timbra::cli::test
