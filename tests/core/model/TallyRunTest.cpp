#include "model/TallyRun.h"
#include "core/model/TallyBuilder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace timbra;
using test::Tree;
using testing::ElementsAre;

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// Values every tree at its diameter, so plot sums show which trees they hold.
RunOutcome walk(const Sheet& sheet, PercentForm form = PercentForm::QuotientTimes100) {
    RunOutcome outcome;
    readStandHeader(sheet, outcome.results, true);
    walkTally(
        sheet, [](const TreeRow& row) { return static_cast<double>(row.dbh); }, form, outcome);
    return outcome;
}

Sheet tallyOf(int plots, const std::vector<Tree>& trees) {
    return test::tally(test::UplandRows, plots, "Fifth acre", "", trees);
}

} // namespace

TEST(TallyWalk, PlotsFormInOrderOfAppearanceUntilPlotNumberZero) {
    Sheet sheet = tallyOf(4, {{1, 12}, {1, 14}, {2, 16}, {1, 18}});
    test::setTree(sheet, 11, {1, 30}); // below the 0 in row 10: never read
    const auto outcome = walk(sheet);
    EXPECT_THAT(outcome.results.plotValue, ElementsAre(26.0, 16.0, 18.0));
    EXPECT_EQ(outcome.results.standValue, 60.0 / 4); // the declared plots, not the plots met
    EXPECT_EQ(outcome.results.largeTreeCount, 4);
    EXPECT_TRUE(outcome.treeMessages.empty());
}

// A tally that fills every tree row: each of its 150 plots is kept, and the plot still open at
// row 1500 closes there, even when row 1501 carries the same plot number.
TEST(TallyWalk, FullTallyKeepsEveryPlotAndClosesTheLastOne) {
    for (int rows : {test::UplandRows, test::BottomlandRows}) {
        Sheet sheet = test::tally(rows, 150, "Fifth acre", "");
        for (int row = 6; row <= 1500; ++row)
            test::setTree(sheet, row, {1 + (row - 6) / 10, 12});
        sheet.SetInteger(1, 1501, 150);
        const auto outcome = walk(sheet);
        ASSERT_EQ(outcome.results.plotValue.size(), 150u) << rows;
        EXPECT_EQ(outcome.results.plotValue.back(), 5 * 12.0);
        EXPECT_EQ(outcome.results.standValue, 1495 * 12.0 / 150);
    }
}

TEST(TallyWalk, ChecksEachTreeInOrder) {
    const std::vector<Tree> trees{
        {1, 5},                                                            // tree 1: too small
        {1, 6},                                                            //
        {1, 14, 2, 1, "Desirable", " "},                                   // tree 3: no vigor
        test::pole(1, 10),                                                 // none of height, grade, vigor
        {1, 14, 0.5},                                                      // tree 5: half a log
        {1, 14, 2, 1, "Unacceptable", "High", "Dominant", "Reserve"},      // tree 6: conflict
        {1, 14, 0.95},                                                     //
        {1, 14, 0.05},                                                     //
        {1, 5, 0.5, 0, "Unacceptable", "Medium", "Dominant", "Preferred"}, // tree 9: everything
    };
    EXPECT_THAT(walk(tallyOf(1, trees)).allMessages(),
                ElementsAre("Tree 1 must have a species class, a DBH greater than 5 and a tree class.",
                            "Tree 3 is invalid, check for errors.",
                            "Tree 5 must have a height of at least 1 log.",
                            "Tree 6 contains conflict in species class and tree class, check for errors.",
                            "Tree 9 must have a species class, a DBH greater than 5 and a tree class.",
                            "Tree 9 is invalid, check for errors.",
                            "Tree 9 contains conflict in species class and tree class, check for errors.",
                            "Tree 9 must have a height of at least 1 log."));
}

TEST(TallyWalk, CountsOnlySawtimberAndKeepsEachPercentForm) {
    const Sheet sheet =
        tallyOf(1, {
                       {1, 10},
                       {1, 11},
                       {1, 16, 4, 4, "Desirable", "High", "Codominant"},          // no height or crown class
                       {1, 12, 0, 0, "Desirable", "High", "Dominant", "Reserve"}, // ungraded
                   });
    const StandResults quotient = walk(sheet).results;
    EXPECT_EQ(quotient.largeTreeCount, 3);
    EXPECT_EQ(quotient.gradedTreeCount, 2);
    // 4 tree classes, 3 species classes, 4 grades, 3 vigors, 4 crown classes, 6 heights.
    EXPECT_THAT(quotient.counts,
                ElementsAre(2, 1, 0, 0, 3, 0, 0, 1, 0, 0, 1, 3, 0, 0, 2, 0, 0, 0, 0, 0, 1, 0, 0, 0));
    EXPECT_EQ(quotient.pctPreferred, 2.0 / 3 * 100);
    EXPECT_EQ(quotient.pctVigorHigh, 3.0 / 2 * 100);
    EXPECT_EQ(walk(sheet, PercentForm::CountTimes100OverTotal).results.pctPreferred, 2.0 * 100 / 3);
    EXPECT_NE(2.0 * 100 / 3, 2.0 / 3 * 100);

    // With no sawtimber the percentages are not numbers; the report shows them as such.
    EXPECT_TRUE(std::isnan(walk(tallyOf(1, {test::pole(1)})).results.pctPreferred));
}

TEST(Decision, ThresholdIsCutoffLessFiveHundredths) {
    const double inf = std::numeric_limits<double>::infinity();
    for (const auto& [value, decision] : std::vector<std::pair<double, const char*>>{{49.95, "Manage"},
                                                                                     {50, "Manage"},
                                                                                     {49.94, "Regenerate"},
                                                                                     {NaN, "Regenerate"},
                                                                                     {inf, "Regenerate"}}) {
        StandResults results;
        results.standValue = value;
        decide(results, 2, Cutoff{50, 49.95});
        EXPECT_EQ(results.decision, decision) << value;
        EXPECT_EQ(results.cutoffIndex, 50);
        EXPECT_EQ(results.objectiveNumber, 2);
    }
    StandResults results;
    decide(results, 3, std::nullopt);
    EXPECT_EQ(results.decision, "Error");
    EXPECT_EQ(results.cutoffIndex, 0);
    EXPECT_EQ(results.objectiveNumber, 3);
}

TEST(FinishRun, BoxesAndUnusualValueMessage) {
    for (const auto& [value, unusual] : std::vector<std::pair<double, bool>>{
             {150, false}, {-20, false}, {150.01, true}, {-20.01, true}, {NaN, true}}) {
        RunOutcome outcome;
        outcome.results.standValue = value;
        finishRun(outcome);
        EXPECT_EQ(outcome.closingMessages.size(), unusual ? 1u : 0u) << value;
        if (std::isnan(value)) {
            EXPECT_EQ(outcome.standValueText, " n/a");
            EXPECT_EQ(outcome.decisionText, " ");
            EXPECT_EQ(outcome.cutoffText, " 0.0");
            EXPECT_THAT(outcome.closingMessages,
                        ElementsAre("Your stand has an unusual value, check data for errors."));
        }
    }
}
