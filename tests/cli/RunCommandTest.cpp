#include "CliTestSupport.h"

#include <nlohmann/json.hpp>

#include <cmath>

namespace timbra::cli::test {
namespace {

using nlohmann::json;

json runJson(std::vector<std::string> args, const std::string& input = {}) {
    args.insert(args.begin(), "run");
    args.push_back("--json");
    const CliResult r = runCli(args, input);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    return json::parse(r.out);
}

// A sugar maple "Cutting Stock" tree: objective 1's pass makes it "Acceptable" "Preferred", and
// objective 4's makes it "Unacceptable" "Cutting Stock".
const Stand mapleStand{
    .trees = {{1, "WO", "Desirable", 18, 2.5, 1, "High", "Dominant", "Preferred"},
              {1, "SUM", "Acceptable", 14, 2, 2, "Medium", "Co-dominant", "Cutting Stock"}}};

TEST(RunCommand, JsonHasEveryFieldUnderItsName) {
    const json j = runJson({UplandExample});
    std::vector<std::string> keys;
    for (const auto& [key, value] : j.items())
        keys.push_back(key);
    EXPECT_EQ(keys, (std::vector<std::string>{"boxes", "fileNotices", "messages", "model", "objectives",
                                              "results"}));
    EXPECT_EQ(j["model"], "upland");
    EXPECT_EQ(j["objectives"], json::array({1}));
    EXPECT_EQ(j["messages"], json::array());
    EXPECT_EQ(j["fileNotices"], json::array());
    EXPECT_EQ(j["boxes"]["cutoff"], "50.0");
    EXPECT_EQ(j["boxes"]["decision"], j["results"]["decision"]);

    const json& r = j["results"];
    for (const char* name :
         {"numberOfPlots",   "plotValue",       "standValue",      "decision",        "standName",
          "standLocation",   "plotSize",        "province",        "largeTreeCount",  "gradedTreeCount",
          "counts",          "pctDesirable",    "pctAcceptable",   "pctUnacceptable", "pctPreferred",
          "pctReserve",      "pctCuttingStock", "pctCull",         "pctGrade1",       "pctGrade2",
          "pctGrade3",       "pctGrade4",       "pctVigorHigh",    "pctVigorMedium",  "pctVigorLow",
          "pctDominant",     "pctCodominant",   "pctIntermediate", "pctSuppressed",   "pctHeight1",
          "pctHeight15",     "pctHeight2",      "pctHeight25",     "pctHeight3",      "pctHeight35",
          "objectiveNumber", "cutoffIndex"})
        EXPECT_TRUE(r.contains(name)) << name;
    EXPECT_EQ(r.size(), 37u);
    EXPECT_EQ(r["counts"].size(), 24u);
    EXPECT_EQ(r["numberOfPlots"], 4);
    EXPECT_EQ(r["plotValue"].size(), 4u);
    EXPECT_EQ(r["standName"], "Buck Ridge oak stand");
    EXPECT_EQ(r["province"], "Cumberland");
    EXPECT_EQ(r["objectiveNumber"], 1.0);
    EXPECT_EQ(r["cutoffIndex"], 50.0);
}

TEST(RunCommand, NumbersReadBackExactly) {
    const Sheet tally = [] {
        Sheet s = openingTally(timbraProfile());
        loadTallyFile(s, UplandExample);
        return s;
    }();
    const StandResults direct = timbraProfile().run(tally, openingBoxes()).results;

    const json r = runJson({UplandExample})["results"];
    EXPECT_EQ(r["standValue"].get<double>(), direct.standValue);
    ASSERT_EQ(r["plotValue"].size(), direct.plotValue.size());
    for (std::size_t k = 0; k < direct.plotValue.size(); ++k)
        EXPECT_EQ(r["plotValue"][k].get<double>(), direct.plotValue[k]);
    EXPECT_EQ(r["pctGrade2"].get<double>(), direct.pctGrade2);
    EXPECT_EQ(r["counts"][CountGrade2].get<double>(), direct.counts[CountGrade2]);
}

TEST(RunCommand, BottomlandHasNoProvince) {
    const json j = runJson({BottomlandExample, "--model", "bottomland", "--objective", "3"});
    EXPECT_EQ(j["model"], "bottomland");
    EXPECT_EQ(j["objectives"], json::array({3}));
    EXPECT_FALSE(j["results"].contains("province"));
    EXPECT_EQ(j["results"]["cutoffIndex"], 44.0);
    EXPECT_EQ(j["boxes"]["cutoff"], "44.0");
}

TEST(RunCommand, MessagesInRunOrderAndFileNoticesApart) {
    // Tree 1 is too thin (which its editor would also refuse), tree 2 lacks a vigor; no plots
    // and no province add the two closing messages.
    const Stand stand{.province = "",
                      .plots = 0,
                      .trees = {{1, "WO", "Desirable", 5, 0, 0, " ", "Dominant", "Preferred"},
                                {1, "NRO", "Desirable", 16, 2, 1, " ", "Dominant", "Preferred"}}};
    const json j = runJson({standFile("messages.txt", timbraProfile(), stand)});
    EXPECT_EQ(j["messages"], json::array({
                                 "Tree 1 must have a species class, a DBH greater than 5 and a tree class.",
                                 "Tree 2 is invalid, check for errors.",
                                 "Your stand has an unusual value, check data for errors.",
                                 "Please insert a physiographic province.",
                             }));
    ASSERT_FALSE(j["fileNotices"].empty());
    for (const auto& notice : j["fileNotices"])
        EXPECT_EQ(notice.get<std::string>().find("Tree "), std::string::npos) << notice;
    EXPECT_EQ(j["fileNotices"][0].get<std::string>().rfind("E6: \"5\"", 0), 0u) << j["fileNotices"][0];
    // A stand of 0 plots has no stand value: null, not a number that does not parse.
    EXPECT_TRUE(j["results"]["standValue"].is_null());
    EXPECT_EQ(j["boxes"]["standValue"], " n/a");
}

TEST(RunCommand, ObjectiveZeroTicksNoBox) {
    const json j = runJson({UplandExample, "--objective", "0"});
    EXPECT_EQ(j["objectives"], json::array());
    EXPECT_EQ(j["results"]["decision"], " ");
    EXPECT_EQ(j["results"]["cutoffIndex"], 0.0);
    EXPECT_EQ(j["boxes"]["cutoff"], " 0.0");
}

TEST(RunCommand, ObjectiveRunsItsRewritePassUnlessClassesAreKept) {
    const std::string file = standFile("maple.txt", timbraProfile(), mapleStand);
    auto cuttingStock = [](const json& j) { return j["results"]["counts"][CountCuttingStock].get<double>(); };
    auto unacceptable = [](const json& j) { return j["results"]["counts"][CountUnacceptable].get<double>(); };

    // Without --objective box 1 is ticked as the dialog opens, and nothing is rewritten.
    EXPECT_EQ(cuttingStock(runJson({file})), 1.0);
    EXPECT_EQ(cuttingStock(runJson({file, "--objective", "1"})), 0.0);

    const json rewritten = runJson({file, "--objective", "4"});
    EXPECT_EQ(rewritten["objectives"], json::array({4}));
    EXPECT_EQ(unacceptable(rewritten), 1.0);
    const json kept = runJson({file, "--objective", "4", "--keep-classes"});
    EXPECT_EQ(kept["objectives"], json::array({4}));
    EXPECT_EQ(unacceptable(kept), 0.0);
    EXPECT_EQ(kept["results"]["objectiveNumber"], 4.0);
}

TEST(RunCommand, ReadsStandardInput) {
    std::ifstream f(UplandExample, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    EXPECT_EQ(runJson({"-"}, bytes), runJson({UplandExample}));
}

TEST(RunCommand, ReadableOutputShowsTheBoxesAndMessages) {
    const Stand stand{.trees = {{1, "WO", "Desirable", 16, 2, 1, " ", "Dominant", "Preferred"}}};
    const CliResult r = runCli({"run", standFile("readable.txt", timbraProfile(), stand)});
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("Model: upland, objective 1\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Cutoff value:  50.0\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Messages:\n  Tree 1 is invalid, check for errors.\n"), std::string::npos) << r.out;

    const CliResult low = runCli({"run", BottomlandExample, "--model=bottomland"});
    EXPECT_NE(low.out.find("Cut-off Value:  50.0\n"), std::string::npos) << low.out;
    EXPECT_NE(low.out.find("Messages: none\n"), std::string::npos) << low.out;
}

TEST(RunCommand, FileThatCannotBeReadExitsTwo) {
    const CliResult missing = runCli({"run", ::testing::TempDir() + "no-such-tally.txt"});
    EXPECT_EQ(missing.code, 2);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("no-such-tally.txt"), std::string::npos);
    EXPECT_EQ(std::count(missing.err.begin(), missing.err.end(), '\n'), 1);

    const CliResult binary = runCli({"run", scratchFile("binary.txt", std::string("1,2\0,3", 6))});
    EXPECT_EQ(binary.code, 2);
}

} // namespace
} // namespace timbra::cli::test
