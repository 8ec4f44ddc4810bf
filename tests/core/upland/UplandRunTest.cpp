#include "core/model/TallyBuilder.h"
#include "upland/UplandModel.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

using namespace timbra;

namespace {

ObjectiveBoxes ticked(std::initializer_list<int> objectives) {
    ObjectiveBoxes boxes;
    for (int n : objectives)
        boxes.checked[static_cast<std::size_t>(n - 1)] = true;
    return boxes;
}

RunOutcome runOneTree(std::string_view province, std::initializer_list<int> objectives) {
    return upland::run(test::tally(test::UplandRows, 1, "Fifth acre", province, std::vector<test::Tree>{{}}),
                       ticked(objectives));
}

} // namespace

TEST(UplandRun, CutoffByProvinceAndObjective) {
    const std::vector<std::pair<const char*, std::array<double, 4>>> table{
        {"Cumberland", {50, 45, 39, 30}},
        {"Western Rim", {43, 36, 0, 31}},
        {"Coastal Plain", {48, 44, 0, 45}}};
    for (const auto& [province, cutoffs] : table)
        for (int objective = 1; objective <= 4; ++objective) {
            const auto outcome = runOneTree(province, {objective});
            const double cutoff = cutoffs[static_cast<std::size_t>(objective - 1)];
            EXPECT_EQ(outcome.results.cutoffIndex, cutoff) << province << objective;
            EXPECT_EQ(outcome.results.objectiveNumber, objective);
            EXPECT_EQ(outcome.results.decision, cutoff == 0 ? "Error" : "Regenerate")
                << province << objective;
            EXPECT_TRUE(outcome.closingMessages.empty());
        }
    EXPECT_EQ(runOneTree("Western Rim", {3}).cutoffText, " 0.0");
}

// An empty cell and any text that names no province (from a file, say) are treated alike.
TEST(UplandRun, ProvinceMessageForAnyTextThatNamesNoProvince) {
    for (const char* province : {"", " ", "cumberland", "Piedmont"}) {
        const auto outcome = runOneTree(province, {1});
        EXPECT_EQ(outcome.results.decision, " ") << province;
        EXPECT_EQ(outcome.results.cutoffIndex, 0);
        EXPECT_THAT(outcome.closingMessages, testing::ElementsAre("Please insert a physiographic province."));
    }
}
