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

// null in the file stands for a value that is not finite.
void expectValue(const nlohmann::json& want, double got, const std::string& what) {
    if (want.is_null())
        EXPECT_FALSE(std::isfinite(got)) << what;
    else
        EXPECT_DOUBLE_EQ(want.get<double>(), got) << what;
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
    const RunOutcome outcome = upland ? upland::run(sheet, boxes) : bottomland::run(sheet, boxes);
    const StandResults& got = outcome.results;

    const auto& plots = want.at("plotValue");
    ASSERT_EQ(plots.size(), got.plotValue.size());
    for (std::size_t k = 0; k < plots.size(); ++k)
        expectValue(plots[k], got.plotValue[k], "plot " + std::to_string(k + 1));
    expectValue(want.at("standValue"), got.standValue, "standValue");
    EXPECT_EQ(want.at("decision"), got.decision);
    expectValue(want.at("objectiveNumber"), got.objectiveNumber, "objectiveNumber");
    expectValue(want.at("cutoffIndex"), got.cutoffIndex, "cutoffIndex");
    expectValue(want.at("largeTreeCount"), got.largeTreeCount, "largeTreeCount");
    expectValue(want.at("gradedTreeCount"), got.gradedTreeCount, "gradedTreeCount");
    EXPECT_EQ(want.at("counts").get<std::vector<double>>(),
              std::vector<double>(got.counts.begin(), got.counts.end()));
    EXPECT_EQ(want.at("boxes").get<std::vector<std::string>>(),
              (std::vector<std::string>{outcome.standValueText, outcome.decisionText, outcome.cutoffText}));
    EXPECT_EQ(want.at("messages").get<std::vector<std::string>>(), outcome.allMessages());
}

INSTANTIATE_TEST_SUITE_P(Tallies, GoldenRun, testing::ValuesIn(goldenNames()),
                         [](const testing::TestParamInfo<std::string>& param) {
                             std::string name = param.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });
