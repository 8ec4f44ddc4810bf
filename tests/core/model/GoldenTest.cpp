// Whole runs of stored tallies against their recorded results: each tests/data/golden/<name>.txt
// is a tally file, and <name>.json beside it names the model and the ticked objectives and holds
// what the run must give.

#include "bottomland/BottomlandModel.h"
#include "input/TallyFile.h"
#include "upland/UplandModel.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace timbra;
namespace fs = std::filesystem;

namespace {

const fs::path GoldenDir = fs::path(TIMBRA_TEST_DATA) / "golden";

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> goldenNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(GoldenDir))
        if (entry.path().extension() == ".json") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

// What a run gives, in the golden files' form; null stands for a value that is not finite.
nlohmann::json describe(const RunOutcome& outcome) {
    const StandResults& r = outcome.results;
    const auto number = [](double v) {
        return std::isfinite(v) ? nlohmann::json(v) : nlohmann::json(nullptr);
    };
    nlohmann::json plots = nlohmann::json::array();
    for (double v : r.plotValue)
        plots.push_back(number(v));
    return {{"plotValue", plots},
            {"standValue", number(r.standValue)},
            {"decision", r.decision},
            {"objectiveNumber", r.objectiveNumber},
            {"cutoffIndex", r.cutoffIndex},
            {"largeTreeCount", r.largeTreeCount},
            {"gradedTreeCount", r.gradedTreeCount},
            {"counts", r.counts},
            {"boxes", {outcome.standValueText, outcome.decisionText, outcome.cutoffText}},
            {"messages", outcome.allMessages()}};
}

class GoldenRun : public testing::TestWithParam<std::string> {};

} // namespace

TEST_P(GoldenRun, MatchesRecordedResults) {
    const auto want = nlohmann::json::parse(readFile(GoldenDir / (GetParam() + ".json")));
    const bool upland = want.at("model") == "upland";
    Sheet sheet(10, upland ? 1500 : 1501);
    const auto loaded = loadTallyText(sheet, readFile(GoldenDir / (GetParam() + ".txt")), GetParam());
    ASSERT_TRUE(loaded.ok) << loaded.error;

    ObjectiveBoxes boxes;
    for (int n : want.at("objectives"))
        boxes.checked[static_cast<std::size_t>(n - 1)] = true;
    const RunOutcome outcome = upland ? upland::model.run(sheet, boxes) : bottomland::model.run(sheet, boxes);

    nlohmann::json got = describe(outcome);
    got["model"] = want.at("model");
    got["objectives"] = want.at("objectives");
    // After a deliberate change of the models, TIMBRA_UPDATE_GOLDEN=1 rewrites the expected files.
    if (std::getenv("TIMBRA_UPDATE_GOLDEN"))
        std::ofstream(GoldenDir / (GetParam() + ".json")) << got.dump(2) << "\n";
    EXPECT_EQ(want.dump(1), got.dump(1));
}

INSTANTIATE_TEST_SUITE_P(Tallies, GoldenRun, testing::ValuesIn(goldenNames()),
                         [](const testing::TestParamInfo<std::string>& param) {
                             std::string name = param.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });
