#include "bottomland/BottomlandModel.h"
#include "core/model/TallyBuilder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace timbra;

namespace {

ObjectiveBoxes ticked(int objective) {
    ObjectiveBoxes boxes;
    if (objective) boxes.checked[static_cast<std::size_t>(objective - 1)] = true;
    return boxes;
}

// Plot 1 worth 10 x 0.67 per acre on tenth-acre plots.
Sheet onePole(int plots) {
    return test::tally(test::BottomlandRows, plots, "Tenth acre", "", std::vector<test::Tree>{test::pole(1)});
}

} // namespace

TEST(BottomlandRun, CutoffByObjective) {
    const std::vector<std::pair<int, double>> cutoffs{{1, 50}, {2, 35}, {3, 44}};
    for (const auto& [objective, cutoff] : cutoffs) {
        const auto outcome = bottomland::run(onePole(1), ticked(objective));
        EXPECT_EQ(outcome.results.plotValue, std::vector<double>{0.67 * 10});
        EXPECT_EQ(outcome.results.objectiveNumber, objective);
        EXPECT_EQ(outcome.results.cutoffIndex, cutoff);
        EXPECT_EQ(outcome.results.decision, "Regenerate");
        EXPECT_EQ(outcome.results.province, " ");
        EXPECT_EQ(outcome.standValueText, " 6.7");
        EXPECT_TRUE(outcome.allMessages().empty());
    }
    const auto none = bottomland::run(onePole(1), ticked(0));
    EXPECT_EQ(none.decisionText, " ");
    EXPECT_EQ(none.cutoffText, " 0.0");
}

// 11-inch poles on one tenth-acre plot, against objective 2's threshold of 34.95.
TEST(BottomlandRun, DecidesAgainstTheTickedObjective) {
    Sheet sheet = onePole(1);
    ObjectiveBoxes boxes = ticked(2);
    const auto valueWith = [&](int poles) {
        for (int row = 6; row < 6 + poles; ++row)
            test::setTree(sheet, row, test::pole(1, 11));
        return bottomland::run(sheet, boxes).results;
    };
    const auto below = valueWith(3); // 26.7
    EXPECT_EQ(below.decision, "Regenerate");
    const auto above = valueWith(4); // 35.6
    EXPECT_EQ(above.decision, "Manage");
}

TEST(BottomlandRun, ZeroPlotsIsUnusualAndRegenerates) {
    const auto outcome = bottomland::run(onePole(0), ticked(1));
    EXPECT_TRUE(std::isinf(outcome.results.standValue));
    EXPECT_EQ(outcome.results.decision, "Regenerate");
    EXPECT_EQ(outcome.standValueText, " n/a");
    EXPECT_THAT(outcome.closingMessages,
                testing::ElementsAre("Your stand has an unusual value, check data for errors."));
}

TEST(BottomlandRun, EmptyTallyIsOnePlotOfNothing) {
    Sheet sheet = test::blankTally(test::BottomlandRows);
    test::setHeader(sheet, 2, "Tenth acre");
    const auto outcome = bottomland::run(sheet, ticked(3));
    EXPECT_EQ(outcome.results.plotValue, std::vector<double>{0.0});
    EXPECT_EQ(outcome.results.standValue, 0);
    EXPECT_EQ(outcome.results.decision, "Regenerate");
    EXPECT_THAT(
        outcome.allMessages(),
        testing::ElementsAre("Tree 1 must have a species class, a DBH greater than 5 and a tree class."));
}
