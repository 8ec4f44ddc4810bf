// The run, report and summary commands: what each writes, and that it agrees with the models.
#include "CliTestSupport.h"

#include "grid/DelimitedText.h"
#include "model/ValueFormat.h"

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
    const StandResults direct = timbraProfile().model->run(tally, openingBoxes()).results;
    EXPECT_EQ(j["results"]["standValue"].get<double>(), direct.standValue);
    EXPECT_EQ(j["results"]["plotValue"].get<std::vector<double>>(), direct.plotValue);
    EXPECT_EQ(j["results"]["pctGrade2"].get<double>(), direct.pctGrade2);

    const json low = runJson({BottomlandExample, "--model", "bottomland", "--objective", "3"});
    EXPECT_EQ(low["model"], "bottomland");
    EXPECT_FALSE(low["results"].contains("province"));
    EXPECT_EQ(low["boxes"]["cutoff"], "44.0");
}

TEST(RunCommand, JsonHoldsTheStatisticsAndTheStandTable) {
    const json j = runJson({UplandExample});
    std::vector<std::string> keys;
    const auto ordered = nlohmann::ordered_json::parse(runCli({"run", UplandExample, "--json"}).out);
    for (const auto& [key, value] : ordered["statistics"].items())
        keys.push_back(key);
    EXPECT_EQ(keys, (std::vector<std::string>{"plots", "plotsFormed", "plotsInHeader", "mean",
                                              "standardDeviation", "standardError", "coefficientOfVariation",
                                              "t", "samplingErrorPercent", "low", "high", "threshold",
                                              "confidence", "settled", "plotsToSettle", "plotsFor10Percent",
                                              "plotsFor20Percent", "notes"}));
    EXPECT_EQ(j["statistics"]["mean"].get<double>(), j["results"]["standValue"].get<double>());
    EXPECT_EQ(j["statistics"]["threshold"].get<double>(), 49.95);
    const json& table = j["standTable"];
    EXPECT_EQ(table["expansionFactor"], 5.0);
    EXPECT_EQ(table["classes"][0]["treesPerAcre"].size(), 5u);
    EXPECT_TRUE(table["classes"][0]["basalAreaPerAcre"].contains("Cutting Stock"));
    EXPECT_EQ(table["species"][0].size(), 4u);

    // One plot: only the mean and the threshold.
    const json one = runJson({standFile("one-plot.txt", {.trees = {{1, 16}}})});
    EXPECT_TRUE(one["statistics"]["standardDeviation"].is_null());
    EXPECT_TRUE(one["statistics"]["settled"].is_null());
    EXPECT_EQ(one["statistics"]["threshold"].get<double>(), 49.95);
    EXPECT_EQ(one["statistics"]["notes"], json::array({"One plot: no sampling error."}));
}

TEST(RunCommand, MessagesInRunOrderAndFileNoticesApart) {
    // Tree 1 is too thin (which its editor also refuses), tree 2 lacks a vigor; no plots and no
    // province add the two closing messages. The name holds a stray Windows-1252 dash.
    const Stand stand{.name = "Ch\u00E2teau \x96 north",
                      .province = "",
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
              json::array({"1 byte of the file is not UTF-8 and was read as a Windows-1252 character",
                           "E6: \"5\" is outside the cell's limits (a whole number from 6 to 40)"}));
    EXPECT_EQ(j["results"]["standName"], "Ch\u00E2teau \u2013 north");
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
    EXPECT_NE(runCli({"run", UplandExample})
                  .out.find("Cutoff value:  50.0\n\n"
                            "95% interval:     27.7 to 50.3 (4 plots)\n"
                            "Confidence:       97.3%\n"
                            "Plots to settle:  5\n"
                            "How sure:         Not settled: the threshold 49.95 lies inside the interval "
                            "27.7 to 50.3; about 5 plots would settle it\n\n"),
              std::string::npos);
    EXPECT_NE(runCli({"run", BottomlandExample, "--model=bottomland"}).out.find("Cut-off Value:  50.0\n"),
              std::string::npos);
}

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
    EXPECT_EQ(rows[0].size(), 44u); // 20 columns, 3 of the stand table, 5 statistics per objective, Error
    EXPECT_EQ(rows[0][7], "Trees with messages");
    EXPECT_EQ(rows[0][43], "Error");
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

// The statistics columns agree with `run --json` under each objective, to one decimal.
TEST(SummaryCommand, StatisticsColumnsMatchRun) {
    const auto rows = parseCsv(runCli({"summary", UplandExample, "--csv"}).out);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(std::vector<std::string>(rows[0].begin() + 20, rows[0].begin() + 25),
              (std::vector<std::string>{"Trees/acre", "Basal area/acre", "QMD", "SE % 1", "95% low 1"}));
    const json table = runJson({UplandExample})["standTable"];
    EXPECT_EQ(std::vector<std::string>(rows[1].begin() + 20, rows[1].begin() + 23),
              (std::vector<std::string>{formatFixed(table["treesPerAcre"], 1),
                                        formatFixed(table["basalAreaPerAcre"], 1),
                                        formatFixed(table["quadraticMeanDiameter"], 1)}));
    for (int k = 1; k <= 4; ++k) {
        const json s = runJson({UplandExample, "--objective", std::to_string(k)})["statistics"];
        const auto at = rows[1].begin() + 23 + 5 * (k - 1);
        EXPECT_EQ(std::vector<std::string>(at, at + 5),
                  (std::vector<std::string>{formatFixed(s["samplingErrorPercent"], 1),
                                            formatFixed(s["low"], 1), formatFixed(s["high"], 1),
                                            formatFixed(100 * s["confidence"].get<double>(), 1),
                                            std::to_string(s["plotsToSettle"].get<int>())}))
            << k;
    }
}

TEST(SummaryCommand, TallyOfTheOtherModelIsNamedWithoutChangingFigures) {
    const CliResult up = runCli({"summary", BottomlandExample, "--csv"});
    EXPECT_EQ(up.code, 0);
    const auto rows = parseCsv(up.out);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].back(), "looks like a bottomland tally: use --model bottomland");
    EXPECT_EQ(rows[1][8], "45.5"); // the upland model's figures, as before
    const CliResult readable = runCli({"summary", UplandExample, "--model", "bottomland"});
    EXPECT_NE(readable.out.find(UplandExample + ": looks like an upland tally: use --model upland\n"),
              std::string::npos)
        << readable.out;
    EXPECT_EQ(parseCsv(runCli({"summary", UplandExample, "--csv"}).out)[1].back(), "");
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
    EXPECT_EQ(rows[0].size(), 35u); // no province, three objectives
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
