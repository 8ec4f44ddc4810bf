// The run, report and summary commands: what each writes, and that it agrees with the models.
#include "CliTestSupport.h"

#include "grid/DelimitedText.h"
#include "model/ValueFormat.h"

namespace timbra::cli::test {
namespace {

using nlohmann::json;
using Row = std::vector<std::string>;

json runJson(std::vector<std::string> args) {
    args.insert(args.begin(), "run");
    args.push_back("--json");
    const CliResult r = runCli(args);
    EXPECT_EQ(r.code, 0) << r.err;
    return json::parse(r.out);
}

TEST(RunCommand, JsonHoldsTheBoxesStatisticsAndEveryNumberAtFullPrecision) {
    const json j = runJson({UplandExample});
    EXPECT_EQ(j["objectives"], json::array({1}));
    EXPECT_EQ(j["boxes"], (json{{"standValue", "39.0"}, {"decision", "Regenerate"}, {"cutoff", "50.0"}}));
    // Every number reads back as the double the model computed.
    Sheet tally = ::timbra::test::openingTally(timbraProfile());
    loadTallyFile(tally, UplandExample);
    const StandResults direct = timbraProfile().run(tally, openingBoxes()).results;
    EXPECT_EQ(j["results"]["standValue"].get<double>(), direct.standValue);
    EXPECT_EQ(j["results"]["plotValue"].get<std::vector<double>>(), direct.plotValue);
    EXPECT_EQ(j["results"]["pctGrade2"].get<double>(), direct.pctGrade2);
    EXPECT_EQ(j["statistics"]["mean"].get<double>(), direct.standValue);
    EXPECT_EQ(j["statistics"]["threshold"].get<double>(), 49.95);
    EXPECT_EQ(j["standTable"]["expansionFactor"], 5.0);

    const json low = runJson({BottomlandExample, "--model", "bottomland", "--objective", "3"});
    EXPECT_FALSE(low["results"].contains("province"));
    EXPECT_EQ(low["boxes"]["cutoff"], "44.0");
    // One plot: no sampling error.
    const json one = runJson({standFile("one-plot.txt", {{1, 16}})});
    EXPECT_TRUE(one["statistics"]["standardDeviation"].is_null());
    EXPECT_EQ(one["statistics"]["notes"], json::array({"One plot: no sampling error."}));
}

TEST(RunCommand, MessagesInRunOrderAndFileNoticesApart) {
    // Tree 1 is too thin (which its editor also refuses), tree 2 lacks a vigor; no plots and no
    // province add the two closing messages. The name holds a stray Windows-1252 dash.
    const json j = runJson({standFile("messages.txt",
                                      {{1, 5, 0, 0, "Desirable", " "},
                                       {1, 16, 2, 1, "Desirable", " ", "Dominant", "Preferred", "NRO"}},
                                      {.name = "Ch\u00E2teau \x96 north", .plots = 0})});
    EXPECT_EQ(j["messages"], json::array({"Tree 1 must have a species class, a DBH greater than 5 and a tree class.",
                                          "Tree 2 is invalid, check for errors.",
                                          "Your stand has an unusual value, check data for errors.",
                                          "Please insert a physiographic province."}));
    EXPECT_EQ(j["fileNotices"], json::array({"1 byte of the file is not UTF-8 and was read as a Windows-1252 character",
                                             "E6: \"5\" is outside the cell's limits (a whole number from 6 to 40)"}));
    EXPECT_EQ(j["results"]["standName"], "Ch\u00E2teau \u2013 north");
    EXPECT_TRUE(j["results"]["standValue"].is_null()); // 0 plots: no value
    EXPECT_EQ(j["boxes"]["standValue"], " n/a");
}

TEST(RunCommand, ObjectiveChoices) {
    // A sugar maple "Cutting Stock": objective 1's pass makes it "Preferred", objective 4's
    // makes it "Unacceptable"; box 1 is ticked as the dialog opens, with nothing rewritten.
    const std::string file =
        standFile("maple.txt", {{1, 14, 2, 2, "Acceptable", "Medium", "Dominant", "Cutting Stock", "SUM"}});
    const std::tuple<std::vector<std::string>, json, int, double> cases[] = {
        {{}, {1}, CountCuttingStock, 1},
        {{"--objective", "1"}, {1}, CountCuttingStock, 0},
        {{"--objective", "4"}, {4}, CountUnacceptable, 1},
        {{"--objective", "4", "--keep-classes"}, {4}, CountUnacceptable, 0},
    };
    for (const auto& [options, objectives, count, want] : cases) {
        std::vector<std::string> args{file};
        args.insert(args.end(), options.begin(), options.end());
        const json j = runJson(args);
        EXPECT_EQ(j["objectives"], objectives);
        EXPECT_EQ(j["results"]["counts"][count].get<double>(), want) << ::testing::PrintToString(options);
    }
    const json none = runJson({file, "--objective", "0"});
    EXPECT_EQ(none["objectives"], json::array());
    EXPECT_EQ(none["boxes"]["decision"].get<std::string>() + "|" + none["boxes"]["cutoff"].get<std::string>(), " | 0.0");
}

TEST(RunCommand, ReadableOutput) {
    const CliResult r = runCli({"run", standFile("readable.txt", {{1, 16, 2, 1, "Desirable", " "}})});
    EXPECT_EQ(r.code, 0);
    for (const char* line : {"Model: upland, objective 1\n", "Cutoff value:  50.0\n",
                             "Messages:\n  Tree 1 is invalid, check for errors.\n"})
        EXPECT_NE(r.out.find(line), std::string::npos) << r.out;
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

std::vector<Row> parseCsv(const std::string& text) {
    std::vector<Row> rows(1);
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

TEST(ReportCommand, CsvIsTheFilledSheet) {
    const CliResult r = runCli({"report", UplandExample, "--csv", "--objective", "4"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out.find('\r'), std::string::npos);
    const std::vector<Row> rows = parseCsv(r.out);
    ASSERT_EQ(rows.size(), 44u);
    EXPECT_EQ(rows[1][0], "TIMBRA DECISION-MAKER STAND ANALYSIS");
    EXPECT_EQ(rows[3], (Row{"Buck Ridge oak stand", "", "", "", "4", "", "4", "", "", "", ""}));
    EXPECT_EQ(rows[10], (Row{"Manage", "", "31.0", "", "30.0", "", "", "", "", "", ""}));

    const CliResult q = runCli({"report", standFile("quoted.txt", {{1, 16}}, {.name = "North \"Big\" Ridge, upper",
                                                                               .province = "Cumberland"}),
                                "--csv"});
    EXPECT_NE(q.out.find("\n\"North \"\"Big\"\" Ridge, upper\",,,,1,,1,,,,\n"), std::string::npos) << q.out;
}

TEST(ReportCommand, GateFailureSaysWhyAndExitsOne) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
        {{UplandExample, "--objective", "0"}, "no objective is ticked"},
        {{standFile("rim.txt", {{1, 16}}, {.province = "Western Rim"}), "--objective", "3"},
         "objective 3 has no cut-off index in the Western Rim province"},
        {{standFile("noprov.txt", {{1, 16}}, {})}, "the stand has no physiographic province"},
    };
    for (auto [args, why] : cases) {
        args.insert(args.begin(), "report");
        args.push_back("--csv");
        const CliResult r = runCli(args);
        EXPECT_EQ(r.code, 1) << why;
        EXPECT_EQ(r.out + r.err, "timbra-cli: no report: " + why + "\n");
    }
}

// Each objective's boxes and statistics columns agree with `run --json` under that objective.
TEST(SummaryCommand, EachObjectiveMatchesRun) {
    const CliResult r = runCli({"summary", UplandExample, "--csv"});
    ASSERT_EQ(r.code, 0) << r.err;
    const auto rows = parseCsv(r.out);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].size(), 44u); // 20 columns, 3 of the stand table, 5 statistics per objective, Error
    EXPECT_EQ(rows[1][0], UplandExample);
    EXPECT_EQ(Row(rows[1].begin() + 1, rows[1].begin() + 8),
              (Row{"Buck Ridge oak stand", "Compartment 14 - north slope", "Fifth acre", "Cumberland", "4", "24", "0"}));
    const json table = runJson({UplandExample})["standTable"];
    EXPECT_EQ(Row(rows[1].begin() + 20, rows[1].begin() + 23),
              (Row{formatFixed(table["treesPerAcre"], 1), formatFixed(table["basalAreaPerAcre"], 1),
                   formatFixed(table["quadraticMeanDiameter"], 1)}));
    for (int k = 1; k <= 4; ++k) {
        const json j = runJson({UplandExample, "--objective", std::to_string(k)});
        const json& s = j["statistics"];
        const auto boxes = rows[1].begin() + 8 + 3 * (k - 1);
        EXPECT_EQ(Row(boxes, boxes + 3), (Row{j["boxes"]["standValue"], j["boxes"]["decision"], j["boxes"]["cutoff"]}));
        const auto figures = rows[1].begin() + 23 + 5 * (k - 1);
        EXPECT_EQ(Row(figures, figures + 5),
                  (Row{formatFixed(s["samplingErrorPercent"], 1), formatFixed(s["low"], 1), formatFixed(s["high"], 1),
                       formatFixed(100 * s["confidence"].get<double>(), 1), std::to_string(s["plotsToSettle"].get<int>())}))
            << k;
    }
}

TEST(SummaryCommand, TallyOfTheOtherModelIsNamedWithoutChangingFigures) {
    const auto rows = parseCsv(runCli({"summary", BottomlandExample, "--csv"}).out);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].back(), "looks like a bottomland tally: use --model bottomland");
    EXPECT_EQ(rows[1][8], "45.5"); // the upland model's figures, as before
    EXPECT_NE(runCli({"summary", UplandExample, "--model", "bottomland"})
                  .out.find(UplandExample + ": looks like an upland tally: use --model upland\n"),
              std::string::npos);
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
    EXPECT_EQ(rows[4][0] + "|" + rows[4][1], missing + "|");
    EXPECT_NE(rows[4].back().find("Cannot open"), std::string::npos);
    for (int i : {1, 2, 3, 5, 6, 7})
        EXPECT_EQ(rows[i], rows[1]);
}

TEST(SummaryCommand, CountsTreesAndTreesWithMessages) {
    // Tree 2 draws two messages and tree 3 one; the tally ends at the plot number 0.
    const std::vector<Tree> trees{{1, 16},
                                  {1, 14, 2, 1, "Unacceptable", " ", "Dominant", "Preferred", "SUM"},
                                  {2, 16, 0.5},
                                  {0, 0, 0, 0, "", " ", " ", " ", ""},
                                  {3, 16}};
    const auto rows = parseCsv(runCli({"summary", standFile("counts.txt", trees), "--csv"}).out);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1][6] + "|" + rows[1][7], "3|2");
}

} // namespace
} // namespace timbra::cli::test
