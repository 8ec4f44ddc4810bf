// Whole runs of stored tallies against their recorded results: each tests/data/golden/<name>.txt
// is a tally file, and <name>.json beside it names the model and the ticked objectives and holds
// what the run must give.
#include "core/TestFiles.h"
#include "core/bottomland/BottomlandModel.h"
#include "core/input/TallyFile.h"
#include "core/upland/UplandModel.h"

#include <algorithm>
#include <cmath>

using namespace timbra;
using nlohmann::json;
namespace fs = std::filesystem;

namespace {

const std::string GoldenDir = TIMBRA_TEST_DATA "/golden/";

std::vector<std::string> goldenNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(GoldenDir))
        if (entry.path().extension() == ".json") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

// What a run gives, in the golden files' form; null stands for a value that is not finite.
json describe(const RunOutcome& outcome) {
    const StandResults& r = outcome.results;
    const auto number = [](double v) { return std::isfinite(v) ? json(v) : json(nullptr); };
    json plots = json::array();
    for (double v : r.plotValue)
        plots.push_back(number(v));
    // clang-format off
    return {{"plotValue", plots}, {"standValue", number(r.standValue)}, {"decision", decisionText(r.decision)},
            {"objectiveNumber", r.objectiveNumber}, {"cutoffIndex", r.cutoffIndex},
            {"largeTreeCount", r.largeTreeCount}, {"gradedTreeCount", r.gradedTreeCount}, {"counts", r.counts},
            {"boxes", {outcome.standValueText, outcome.decisionText, outcome.cutoffText}},
            {"messages", outcome.allMessages()}};
    // clang-format on
}

class GoldenRun : public testing::TestWithParam<std::string> {};

} // namespace

TEST_P(GoldenRun, MatchesRecordedResults) {
    const json want = json::parse(test::readFile(GoldenDir + GetParam() + ".json"));
    const bool upland = want.at("model") == "upland";
    Sheet sheet(10, upland ? test::UplandRows : test::BottomlandRows);
    const auto loaded = loadTallyText(sheet, test::readFile(GoldenDir + GetParam() + ".txt"), GetParam());
    ASSERT_TRUE(loaded.ok) << loaded.error;

    ObjectiveBoxes boxes;
    for (int n : want.at("objectives"))
        boxes.checked[static_cast<std::size_t>(n - 1)] = true;
    const StandModel& model = upland ? static_cast<const StandModel&>(upland::model) : bottomland::model;
    const RunOutcome outcome = model.run(sheet, boxes);
    json got = describe(outcome);
    // A Run of the results alone forms everything else alike.
    RunOutcome resultsOnly = model.run(sheet, boxes, RunDetail::ResultsOnly);
    EXPECT_EQ(resultsOnly.results.standTally.stand().trees, 0);
    EXPECT_TRUE(resultsOnly.treeMessages.empty());
    resultsOnly.treeMessages = outcome.treeMessages;
    EXPECT_EQ(describe(resultsOnly).dump(1), got.dump(1));
    got["model"] = want.at("model");
    got["objectives"] = want.at("objectives");
    // After a deliberate change of the models, TIMBRA_UPDATE_GOLDEN=1 rewrites the expected files.
    if (std::getenv("TIMBRA_UPDATE_GOLDEN"))
        test::writeFile(GoldenDir + GetParam() + ".json", got.dump(2) + "\n");
    EXPECT_EQ(want.dump(1), got.dump(1));
}

INSTANTIATE_TEST_SUITE_P(Tallies, GoldenRun, testing::ValuesIn(goldenNames()), [](const auto& param) {
    std::string name = param.param;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
});
