#include "CliTestSupport.h"

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
    EXPECT_EQ(rows[0].size(), 21u);
    EXPECT_EQ(rows[0][7], "Trees with messages");
    EXPECT_EQ(rows[0][20], "Error");
    std::string start;
    for (int i = 1; i < 8; ++i)
        start += rows[1][static_cast<std::size_t>(i)] + "|";
    EXPECT_EQ(rows[1][0], UplandExample);
    EXPECT_EQ(start, "Buck Ridge oak stand|Compartment 14 - north slope|Fifth acre|Cumberland|4|24|0|");
    for (int k = 1; k <= 4; ++k) {
        const auto boxes = nlohmann::json::parse(
            runCli({"run", UplandExample, "--objective", std::to_string(k), "--json"}).out)["boxes"];
        const auto at = rows[1].begin() + 8 + 3 * (k - 1);
        EXPECT_EQ(std::vector<std::string>(at, at + 3),
                  (std::vector<std::string>{boxes["standValue"], boxes["decision"], boxes["cutoff"]}));
    }
}

TEST(SummaryCommand, UnreadableFileGetsItsRowAndTheRestGoOnInOrder) {
    const std::string missing = ::testing::TempDir() + "missing, \"quoted\".txt";
    std::vector<std::string> args{"summary", "--model", "bottomland", "--csv"};
    for (int i = 0; i < 7; ++i)
        args.push_back(i == 3 ? missing : BottomlandExample);
    const CliResult r = runCli(args);
    EXPECT_EQ(r.code, 1);
    const auto rows = parseCsv(r.out);
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_EQ(rows[0].size(), 17u); // no province, three objectives
    EXPECT_EQ(rows[4][0], missing);
    EXPECT_EQ(rows[4][1], "");
    EXPECT_NE(rows[4].back().find("Cannot open"), std::string::npos);
    for (int i : {1, 2, 3, 5, 6, 7})
        EXPECT_EQ(rows[i], rows[1]);
}

TEST(SummaryCommand, CountsTreesAndTreesWithMessages) {
    // Tree 2 draws two messages and tree 3 one; the tally ends at the plot number 0.
    const Stand stand{.trees = {{1, 16},
                                {1, 14, 2, 1, "Unacceptable", " ", "Dominant", "Preferred", "SUM"},
                                {2, 16, 0.5},
                                {0, 0, 0, 0, "", " ", " ", " ", ""},
                                {3, 16}}};
    const auto rows = parseCsv(runCli({"summary", standFile("counts.txt", stand), "--csv"}).out);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1][6], "3");
    EXPECT_EQ(rows[1][7], "2");
}

} // namespace
} // namespace timbra::cli::test
