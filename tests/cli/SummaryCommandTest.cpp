#include "CliTestSupport.h"

#include "cli/TextOutput.h"
#include "grid/DelimitedText.h"

#include <nlohmann/json.hpp>

namespace timbra::cli::test {
namespace {

std::vector<std::vector<std::string>> parseCsv(const std::string& text) {
    std::vector<std::vector<std::string>> rows(1);
    DelimitedReader reader(text, ',');
    std::string cell;
    bool last = false;
    while (reader.next(cell, last) == DelimitedReader::Status::Cell) {
        rows.back().push_back(cell);
        if (last) rows.emplace_back();
    }
    rows.pop_back();
    return rows;
}

TEST(SummaryCommand, EachObjectiveMatchesRunWithThatObjective) {
    const CliResult r = runCli({"summary", UplandExample, "--csv"});
    ASSERT_EQ(r.code, 0) << r.err;
    const auto rows = parseCsv(r.out);
    ASSERT_EQ(rows.size(), 2u);
    const std::vector<std::string> headings{
        "File",       "Stand name",          "Location", "Plot size",  "Province",  "Plots",
        "Trees",      "Trees with messages", "Value 1",  "Decision 1", "Cut-off 1", "Value 2",
        "Decision 2", "Cut-off 2",           "Value 3",  "Decision 3", "Cut-off 3", "Value 4",
        "Decision 4", "Cut-off 4",           "Error"};
    EXPECT_EQ(rows[0], headings);
    const auto& row = rows[1];
    ASSERT_EQ(row.size(), headings.size());
    EXPECT_EQ(row[0], UplandExample);
    EXPECT_EQ(row[1], "Buck Ridge oak stand");
    EXPECT_EQ(row[4], "Cumberland");
    EXPECT_EQ(row[5], "4");
    EXPECT_EQ(row[6], "24");
    EXPECT_EQ(row[7], "0");
    EXPECT_EQ(row.back(), "");

    for (int k = 1; k <= 4; ++k) {
        const CliResult one = runCli({"run", UplandExample, "--objective", std::to_string(k), "--json"});
        const auto boxes = nlohmann::json::parse(one.out)["boxes"];
        const std::size_t at = 8 + 3 * static_cast<std::size_t>(k - 1);
        EXPECT_EQ(row[at], trimmed(boxes["standValue"].get<std::string>())) << k;
        EXPECT_EQ(row[at + 1], boxes["decision"]) << k;
        EXPECT_EQ(row[at + 2], trimmed(boxes["cutoff"].get<std::string>())) << k;
    }
}

TEST(SummaryCommand, UnreadableFileGetsItsRowAndTheRestGoOn) {
    const std::string missing = ::testing::TempDir() + "missing, \"quoted\".txt";
    const CliResult r =
        runCli({"summary", "--model", "bottomland", BottomlandExample, missing, BottomlandExample, "--csv"});
    EXPECT_EQ(r.code, 1);
    const auto rows = parseCsv(r.out);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].size(), 17u); // no province, three objectives, the error
    EXPECT_EQ(rows[1], rows[3]);
    EXPECT_EQ(rows[2][0], missing);
    EXPECT_EQ(rows[2][1], "");
    EXPECT_NE(rows[2].back().find("Cannot open"), std::string::npos);
    EXPECT_EQ(rows[1][1], "Cypress Creek bottom");
}

TEST(SummaryCommand, CountsTreesAndTreesWithMessages) {
    // Tree 2 draws two messages and tree 3 one; the row after the tally's end is not a tree.
    const Stand stand{.trees = {{1, "WO", "Desirable", 16, 2, 1, "High", "Dominant", "Preferred"},
                                {1, "SUM", "Unacceptable", 14, 2, 1, " ", "Dominant", "Preferred"},
                                {2, "WO", "Desirable", 16, 0.5, 1, "High", "Dominant", "Preferred"},
                                {0, "", "", 0, 0, 0, " ", " ", " "},
                                {3, "WO", "Desirable", 16, 2, 1, "High", "Dominant", "Preferred"}}};
    const CliResult r = runCli({"summary", standFile("counts.txt", timbraProfile(), stand), "--csv"});
    ASSERT_EQ(r.code, 0) << r.err;
    const auto rows = parseCsv(r.out);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1][6], "3");
    EXPECT_EQ(rows[1][7], "2");
}

TEST(SummaryCommand, ManyFilesKeepTheirOrderInTheTable) {
    std::vector<std::string> args{"summary"};
    for (int i = 0; i < 9; ++i)
        args.push_back(i % 3 == 1 ? BottomlandExample : UplandExample);
    const CliResult r = runCli(args);
    EXPECT_EQ(r.code, 0);
    std::istringstream lines(r.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line.rfind("File ", 0), 0u);
    for (int i = 0; i < 9; ++i) {
        ASSERT_TRUE(std::getline(lines, line));
        EXPECT_EQ(line.rfind(args[static_cast<std::size_t>(i + 1)] + " ", 0), 0u) << line;
    }
}

} // namespace
} // namespace timbra::cli::test
