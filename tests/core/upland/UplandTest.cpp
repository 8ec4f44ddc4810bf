// The upland model: tree values, the objectives' rewrite passes (tests/data/cases/upland.json),
// and the cut-off by province.
#include "core/TestFiles.h"
#include "core/upland/CutoffTable.h"
#include "core/upland/TreeRecord.h"
#include "core/upland/UplandModel.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace timbra;
using test::Tree;

namespace {

RunOutcome runOneTree(std::string_view province, int objective) {
    ObjectiveBoxes boxes;
    boxes.checked[static_cast<std::size_t>(objective - 1)] = true;
    return upland::model.run(test::tally(test::UplandRows, {.province = std::string(province)}, {Tree{}}),
                             boxes);
}

} // namespace

TEST(UplandTree, ValuationRules) {
    test::expectValuations(
        "upland", "Fifth acre", 5, [](int objective, const std::string& plotSize, const Tree& t) {
            upland::TreeRecord record;
            record.SetStand(3, plotSize, objective == 1, objective == 2, objective == 3, objective == 4);
            record.Evaluate(10, 0, 0, "Desirable", " ", " ", "Preferred");
            record.Evaluate(t.dbh, t.height, t.grade, t.speciesClass, t.vigor, t.crownClass, t.treeClass);
            return record;
        });
}

// Objectives 1 and 4 pass over rows 6 to 1499, objectives 2 and 3 over rows 6 to 1500.
TEST(UplandObjectives, RewriteRulesAndRows) {
    test::expectRewrites(
        upland::model, test::UplandRows, [](int objective) { return objective % 3 == 1 ? 1499 : 1500; },
        test::cases("upland", "rewrites"));

    // Switching back is not an identity; row 6 is rewritten whatever its plot number.
    Sheet sheet =
        test::tally(test::UplandRows, {}, {{0, 14, 2, 1, "Desirable", "High", "Dominant", "Reserve", "SUM"}});
    upland::model.rewriteForObjective(sheet, 3);
    upland::model.rewriteForObjective(sheet, 1);
    EXPECT_EQ(sheet.GetText(4, 6) + "|" + sheet.GetText(10, 6), "Acceptable|Preferred");
}

TEST(UplandRun, CutoffByProvinceAndObjective) {
    const nlohmann::json table = test::cases("upland", "cutoffs");
    for (const auto& [province, cutoffs] : table.items())
        for (int objective = 1; objective <= 4; ++objective) {
            const auto outcome = runOneTree(province, objective);
            const double cutoff = cutoffs[static_cast<std::size_t>(objective - 1)];
            EXPECT_EQ(outcome.results.cutoffIndex, cutoff) << province << objective;
            EXPECT_EQ(outcome.results.objectiveNumber, objective);
            EXPECT_EQ(outcome.results.decision, cutoff == 0 ? Decision::Error : Decision::Regenerate)
                << province << objective;
            EXPECT_TRUE(outcome.closingMessages.empty());
            // Manage from the cut-off less 0.05 up.
            const auto& stored =
                upland::findProvince(province)->byObjective[static_cast<std::size_t>(objective - 1)];
            EXPECT_NEAR(stored ? stored->threshold : -0.05, cutoff - 0.05, 1e-9) << province << objective;
        }
    // A blank and a province in the wrong case name no province, as an empty cell does.
    for (const char* province : {" ", "cumberland"}) {
        const auto outcome = runOneTree(province, 1);
        EXPECT_EQ(outcome.results.decision, Decision::None) << province;
        EXPECT_EQ(outcome.results.cutoffIndex, 0);
        EXPECT_THAT(outcome.closingMessages, testing::ElementsAre("Please insert a physiographic province."));
    }
}
