// The command line as a user meets it: the run, report and summary commands, what each writes and
// that it agrees with the models, arguments, exit statuses and the program itself.
#include "CliTestSupport.h"

#include "cli/StandardStreams.h"
#include "core/app/Version.h"
#include "core/grid/DelimitedText.h"
#include "core/model/ValueFormat.h"

#include <fcntl.h>
#include <unistd.h>

namespace timbra::cli::test {
namespace {

using nlohmann::json;
using Row = std::vector<std::string>;

// Each run of tests/data/cli/runs.json, with its standard input, gives its recorded exit status,
// standard output and standard error byte for byte; $EXAMPLES and $STANDS stand for the example
// folder and tests/data/cli. The runs name them from the project's folder, so that the width of a
// table's file column does not depend on where the project was checked out. After a deliberate
// change of the output, TIMBRA_UPDATE_GOLDEN=1 records the runs anew.
TEST(CommandLine, RecordedRuns) {
    const std::string file = TIMBRA_TEST_DATA "/cli/runs.json";
    const std::pair<std::string, std::string> folders[] = {{"$EXAMPLES", "./examples"},
                                                           {"$STANDS", "./tests/data/cli"}};
    const auto startFolder = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::path(TIMBRA_EXAMPLES).parent_path());
    const auto replace = [&](std::string text, bool toPlaceholder) {
        for (const auto& [placeholder, folder] : folders) {
            const std::string& from = toPlaceholder ? folder : placeholder;
            const std::string& to = toPlaceholder ? placeholder : folder;
            for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
                text.replace(at, from.size(), to);
        }
        return text;
    };
    nlohmann::ordered_json runs = nlohmann::ordered_json::parse(::timbra::test::readFile(file));
    for (auto& run : runs) {
        std::vector<std::string> args;
        for (const std::string arg : run["args"])
            args.push_back(replace(arg, false));
        // Standard input from a file, a folder, or closed (an empty name).
        const std::string source = run.contains("stdin") ? replace(run["stdin"], false) : "/dev/null";
        const int fd = source.empty() ? -1 : ::open(source.c_str(), O_RDONLY);
        FdInputBuffer buffer(fd);
        std::istream in(&buffer);
        std::ostringstream out, err;
        const CliResult r{::timbra::cli::run(args, in, out, err), out.str(), err.str()};
        if (fd >= 0) ::close(fd);
        const nlohmann::ordered_json got{
            {"code", r.code}, {"out", replace(r.out, true)}, {"err", replace(r.err, true)}};
        if (std::getenv("TIMBRA_UPDATE_GOLDEN")) {
            run.update(got);
            continue;
        }
        EXPECT_EQ(nlohmann::ordered_json({{"code", run["code"]}, {"out", run["out"]}, {"err", run["err"]}}),
                  got)
            << run["name"];
    }
    std::filesystem::current_path(startFolder);
    if (std::getenv("TIMBRA_UPDATE_GOLDEN")) ::timbra::test::writeFile(file, runs.dump(1) + "\n");
}

json runJson(std::vector<std::string> args) {
    args.insert(args.begin(), "run");
    args.push_back("--json");
    const CliResult r = runCli(args);
    EXPECT_EQ(r.code, 0) << r.err;
    return json::parse(r.out);
}

TEST(RunCommand, JsonHoldsEveryNumberAtFullPrecision) {
    const json j = runJson({UplandExample});
    // Every number reads back as the double the model computed.
    Sheet tally = ::timbra::test::openingTally(timbraProfile());
    loadTallyFile(tally, UplandExample);
    const StandResults direct = timbraProfile().model->run(tally, openingBoxes()).results;
    EXPECT_EQ(j["results"]["standValue"].get<double>(), direct.standValue);
    EXPECT_EQ(j["results"]["plotValue"].get<std::vector<double>>(), direct.plotValue);
    EXPECT_EQ(j["results"]["pctGrade2"].get<double>(), direct.pctGrade2);
    EXPECT_EQ(j["statistics"]["mean"].get<double>(), direct.standValue);
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

// Each objective's boxes and statistics columns agree with `run --json` under that objective.
TEST(SummaryCommand, EachObjectiveMatchesRun) {
    const CliResult r = runCli({"summary", UplandExample, "--csv"});
    ASSERT_EQ(r.code, 0) << r.err;
    const auto rows = parseCsv(r.out);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].size(), 44u); // 20 columns, 3 of the stand table, 5 statistics per objective, Error
    const json table = runJson({UplandExample})["standTable"];
    EXPECT_EQ(Row(rows[1].begin() + 20, rows[1].begin() + 23),
              (Row{formatFixed(table["treesPerAcre"], 1), formatFixed(table["basalAreaPerAcre"], 1),
                   formatFixed(table["quadraticMeanDiameter"], 1)}));
    for (int k = 1; k <= 4; ++k) {
        const json j = runJson({UplandExample, "--objective", std::to_string(k)});
        const json& s = j["statistics"];
        const auto boxes = rows[1].begin() + 8 + 3 * (k - 1);
        EXPECT_EQ(Row(boxes, boxes + 3),
                  (Row{j["boxes"]["standValue"], j["boxes"]["decision"], j["boxes"]["cutoff"]}));
        const auto figures = rows[1].begin() + 23 + 5 * (k - 1);
        EXPECT_EQ(Row(figures, figures + 5),
                  (Row{formatFixed(s["samplingErrorPercent"], 1), formatFixed(s["low"], 1),
                       formatFixed(s["high"], 1), formatFixed(100 * s["confidence"].get<double>(), 1),
                       std::to_string(s["plotsToSettle"].get<int>())}))
            << k;
    }
}

TEST(Arguments, Version) {
    EXPECT_EQ(runCli({"--version"}).out, std::string("timbra-cli ") + version + "\n");
}

TEST(Executable, StandardInputOutputAndExitStatus) {
    const auto [status, out] = shell(Exe + " run - --model bottomland --json < '" + BottomlandExample + "'");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out, runCli({"run", BottomlandExample, "--model", "bottomland", "--json"}).out);

    EXPECT_EQ(shell(Exe + " --help").first, 0);
    EXPECT_EQ(shell(Exe + " run 2>/dev/null").first, 2);
    EXPECT_EQ(shell(Exe + " summary '" + UplandExample + "' /nonexistent/tally.txt").first, 1);
}

// The example cruise imported by its mapping: the tallies shipped beside it, byte for byte, whose
// summary gives the decisions recorded for them; a second import keeps the files it finds.
TEST(ImportCommand, TheExampleCruiseRoundTripsToItsDecisions) {
    ::timbra::test::TempFolder out;
    const std::vector<std::string> import = {"import",    TIMBRA_EXAMPLES "/pine-knob-cruise.csv",
                                             "--mapping", TIMBRA_EXAMPLES "/pine-knob-cruise.mapping.json",
                                             "--out",     out.path()};
    const CliResult r = runCli(import);
    EXPECT_EQ(r.code, 1) << r.err; // the example holds refused values on purpose
    std::vector<std::string> args{"summary", "--csv"};
    for (const auto& c : ::timbra::test::cases("import", "roundTrip")) {
        const std::string name = c[0];
        EXPECT_EQ(::timbra::test::readFile(out / name),
                  ::timbra::test::readFile(TIMBRA_EXAMPLES "/pine-knob-tallies/" + name))
            << name;
        args.push_back(out / name);
    }
    const CliResult summary = runCli(args);
    ASSERT_EQ(summary.code, 0) << summary.err;
    const std::vector<Row> rows = parseCsv(summary.out);
    const auto expected = ::timbra::test::cases("import", "roundTrip");
    ASSERT_EQ(rows.size(), expected.size() + 1);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Row& c = rows[i + 1];
        EXPECT_EQ((Row{c[1], c[6], c[8], c[9], c[12], c[15], c[17], c[18]}), expected[i][1].get<Row>());
    }
    const std::string before = ::timbra::test::readFile(out / "Pine Knob North.txt");
    ::timbra::test::writeFile(out / "Pine Knob North.txt", "mine");
    const CliResult again = runCli(import);
    EXPECT_EQ(again.code, 2);
    EXPECT_NE(again.err.find("Pine Knob North.txt\" exists and was kept."), std::string::npos) << again.err;
    EXPECT_EQ(::timbra::test::readFile(out / "Pine Knob North.txt"), "mine");
    EXPECT_NE(before, "mine");
    // A dry run writes nothing and agrees with the written run's audit.
    ::timbra::test::TempFolder none;
    const CliResult dry = runCli({"import", TIMBRA_EXAMPLES "/pine-knob-cruise.csv", "--mapping",
                                  TIMBRA_EXAMPLES "/pine-knob-cruise.mapping.json", "--dry-run", "--json"});
    EXPECT_EQ(dry.code, 1);
    const json j = json::parse(dry.out);
    EXPECT_EQ(j["stands"].size(), 3u);
    EXPECT_FALSE(j["everyRowTaken"].get<bool>());
    EXPECT_EQ(::timbra::test::entriesOf(none.path()), "");
}

} // namespace
} // namespace timbra::cli::test
