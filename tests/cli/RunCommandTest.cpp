#include "CliTestSupport.h"

#include <nlohmann/json.hpp>

namespace timbra::cli::test {
namespace {

using nlohmann::json;

json runJson(std::vector<std::string> args) {
    args.insert(args.begin(), "run");
    args.push_back("--json");
    const CliResult r = runCli(args);
    EXPECT_EQ(r.code, 0) << r.err;
    return json::parse(r.out);
}

TEST(RunCommand, JsonHoldsTheBoxesAndEveryNumberAtFullPrecision) {
    const json j = runJson({UplandExample});
    EXPECT_EQ(j["objectives"], json::array({1}));
    EXPECT_EQ(j["boxes"], (json{{"standValue", "39.0"}, {"decision", "Regenerate"}, {"cutoff", "50.0"}}));
    EXPECT_EQ(j["results"]["counts"].size(), 24u);

    // Every number reads back as the double the model computed.
    Sheet tally = openingTally(timbraProfile());
    loadTallyFile(tally, UplandExample);
    const StandResults direct = timbraProfile().run(tally, openingBoxes()).results;
    EXPECT_EQ(j["results"]["standValue"].get<double>(), direct.standValue);
    EXPECT_EQ(j["results"]["plotValue"].get<std::vector<double>>(), direct.plotValue);
    EXPECT_EQ(j["results"]["pctGrade2"].get<double>(), direct.pctGrade2);

    const json low = runJson({BottomlandExample, "--model", "bottomland", "--objective", "3"});
    EXPECT_EQ(low["model"], "bottomland");
    EXPECT_FALSE(low["results"].contains("province"));
    EXPECT_EQ(low["boxes"]["cutoff"], "44.0");
}

TEST(RunCommand, MessagesInRunOrderAndFileNoticesApart) {
    // Tree 1 is too thin (which its editor also refuses), tree 2 lacks a vigor; no plots and no
    // province add the two closing messages.
    const Stand stand{.province = "",
                      .plots = 0,
                      .trees = {{1, 5, 0, 0, "Desirable", " "},
                                {1, 16, 2, 1, "Desirable", " ", "Dominant", "Preferred", "NRO"}}};
    const json j = runJson({standFile("messages.txt", stand)});
    EXPECT_EQ(j["messages"], json::array({
                                 "Tree 1 must have a species class, a DBH greater than 5 and a tree class.",
                                 "Tree 2 is invalid, check for errors.",
                                 "Your stand has an unusual value, check data for errors.",
                                 "Please insert a physiographic province.",
                             }));
    EXPECT_EQ(j["fileNotices"],
              json::array({"E6: \"5\" is outside the cell's limits (a whole number from 6 to 40)"}));
    EXPECT_TRUE(j["results"]["standValue"].is_null()); // 0 plots: no value
    EXPECT_EQ(j["boxes"]["standValue"], " n/a");
}

TEST(RunCommand, ObjectiveChoices) {
    // A sugar maple "Cutting Stock": objective 1's pass makes it "Preferred", objective 4's
    // makes it "Unacceptable".
    const std::string file = standFile(
        "maple.txt", {.trees = {{1, 14, 2, 2, "Acceptable", "Medium", "Dominant", "Cutting Stock", "SUM"}}});
    auto count = [](const json& j, int index) { return j["results"]["counts"][index].get<double>(); };

    const json opening = runJson({file}); // box 1 ticked as the dialog opens, nothing rewritten
    EXPECT_EQ(opening["objectives"], json::array({1}));
    EXPECT_EQ(count(opening, CountCuttingStock), 1.0);
    EXPECT_EQ(count(runJson({file, "--objective", "1"}), CountCuttingStock), 0.0);

    const json rewritten = runJson({file, "--objective", "4"});
    EXPECT_EQ(rewritten["objectives"], json::array({4}));
    EXPECT_EQ(count(rewritten, CountUnacceptable), 1.0);
    const json kept = runJson({file, "--objective", "4", "--keep-classes"});
    EXPECT_EQ(kept["objectives"], json::array({4}));
    EXPECT_EQ(count(kept, CountUnacceptable), 0.0);

    const json none = runJson({file, "--objective", "0"});
    EXPECT_EQ(none["objectives"], json::array());
    EXPECT_EQ(none["boxes"]["decision"], " ");
    EXPECT_EQ(none["boxes"]["cutoff"], " 0.0");
}

TEST(RunCommand, ReadableOutput) {
    const CliResult r =
        runCli({"run", standFile("readable.txt", {.trees = {{1, 16, 2, 1, "Desirable", " "}}})});
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("Model: upland, objective 1\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Cutoff value:  50.0\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Messages:\n  Tree 1 is invalid, check for errors.\n"), std::string::npos) << r.out;
    EXPECT_NE(runCli({"run", BottomlandExample, "--model=bottomland"}).out.find("Cut-off Value:  50.0\n"),
              std::string::npos);
}

TEST(RunCommand, FileThatCannotBeReadExitsTwo) {
    for (const std::string& file :
         {::testing::TempDir() + "no-such-tally.txt", scratchFile("binary.txt", std::string("1,2\0,3", 6))}) {
        const CliResult r = runCli({"run", file});
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(file), std::string::npos);
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);
    }
}

} // namespace
} // namespace timbra::cli::test
