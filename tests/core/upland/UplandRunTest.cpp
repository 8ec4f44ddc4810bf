#include "core/model/TallyBuilder.h"
#include "model/TreeFactors.h"
#include "upland/CutoffTable.h"
#include "upland/UplandModel.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

using namespace timbra;
using test::Tree;

namespace {

ObjectiveBoxes ticked(std::initializer_list<int> objectives) {
    ObjectiveBoxes boxes;
    for (int n : objectives)
        boxes.checked[static_cast<std::size_t>(n - 1)] = true;
    return boxes;
}

// Two plots on fifth-acre plots: a 14-inch sawtimber tree and a pole, then one 16-inch cull.
Sheet twoPlots(int plots, std::string_view province) {
    Tree cull;
    cull.plot = 2;
    cull.dbh = 16;
    cull.height = 0;
    cull.grade = 0;
    cull.vigor = " ";
    cull.treeClass = "Cull";
    return test::tally(test::UplandRows, plots, "Fifth acre", province,
                       std::vector<Tree>{Tree{}, test::pole(1), cull});
}

} // namespace

TEST(UplandRun, ValuesPlotsAndDecides) {
    const RunOutcome outcome = upland::run(twoPlots(2, "Cumberland"), ticked({1}));
    const StandResults& r = outcome.results;
    const double first = 5 * (11.5 * OneTwelfth * 1.41) + 5 * 0.67;
    EXPECT_THAT(r.plotValue, testing::ElementsAre(first, 5 * (1.72 * -0.25)));
    EXPECT_EQ(r.standValue, (first + 5 * (1.72 * -0.25)) / 2);
    EXPECT_EQ(r.decision, "Regenerate");
    EXPECT_EQ(r.objectiveNumber, 1);
    EXPECT_EQ(r.cutoffIndex, 50);
    EXPECT_EQ(r.standName, "Test stand");
    EXPECT_EQ(r.province, "Cumberland");
    EXPECT_EQ(outcome.standValueText, " 4.0");
    EXPECT_EQ(outcome.decisionText, "Regenerate");
    EXPECT_EQ(outcome.cutoffText, "50.0");
    EXPECT_TRUE(outcome.allMessages().empty());
}

TEST(UplandRun, CutoffTableByProvinceAndObjective) {
    const std::vector<std::pair<const char*, std::array<double, 4>>> table{
        {"Cumberland", {50, 45, 39, 30}},
        {"Western Rim", {43, 36, 0, 31}},
        {"Coastal Plain", {48, 44, 0, 45}}};
    for (const auto& [province, cutoffs] : table)
        for (int objective = 1; objective <= 4; ++objective) {
            const auto r = upland::run(twoPlots(2, province), ticked({objective})).results;
            const double cutoff = cutoffs[static_cast<std::size_t>(objective - 1)];
            EXPECT_EQ(r.cutoffIndex, cutoff) << province << objective;
            EXPECT_EQ(r.objectiveNumber, objective);
            EXPECT_EQ(r.decision, cutoff == 0 ? "Error" : "Regenerate") << province << objective;
            const auto* row = upland::findProvince(province);
            if (cutoff != 0) {
                EXPECT_EQ(row->byObjective[static_cast<std::size_t>(objective - 1)]->threshold,
                          cutoff - 0.05);
            }
        }
    EXPECT_EQ(upland::run(twoPlots(2, "Western Rim"), ticked({3})).cutoffText, " 0.0");
}

TEST(UplandRun, LastTickedObjectiveDecides) {
    EXPECT_EQ(upland::run(twoPlots(2, "Cumberland"), ticked({1, 4})).results.cutoffIndex, 30);
    const auto none = upland::run(twoPlots(2, "Cumberland"), ticked({}));
    EXPECT_EQ(none.results.decision, " ");
    EXPECT_EQ(none.results.objectiveNumber, 0);
    EXPECT_EQ(none.cutoffText, " 0.0");
}

TEST(UplandRun, ProvinceMessageForAnyTextThatNamesNoProvince) {
    for (const char* province : {"", " ", "cumberland", "Piedmont"}) {
        const auto outcome = upland::run(twoPlots(2, province), ticked({1}));
        EXPECT_EQ(outcome.results.decision, " ") << province;
        EXPECT_EQ(outcome.results.cutoffIndex, 0);
        EXPECT_THAT(outcome.closingMessages, testing::ElementsAre("Please insert a physiographic province."));
    }
}

TEST(UplandRun, MessagesComeTreeByTreeThenUnusualValueThenProvince) {
    Sheet sheet = twoPlots(0, "");
    sheet.SetText(8, 7, "High"); // the pole gains a vigor without height and grade
    const auto outcome = upland::run(sheet, ticked({1}));
    EXPECT_EQ(outcome.standValueText, " n/a");
    EXPECT_THAT(outcome.allMessages(),
                testing::ElementsAre("Tree 2 is invalid, check for errors.",
                                     "Your stand has an unusual value, check data for errors.",
                                     "Please insert a physiographic province."));
}
