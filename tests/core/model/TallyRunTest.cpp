#include "model/TallyRun.h"
#include "core/model/TallyBuilder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace timbra;
using timbra::test::Tree;

namespace {

// Values every tree at its diameter, so plot sums show which trees they hold.
RunOutcome walk(const Sheet& sheet, PercentForm form = PercentForm::QuotientTimes100) {
    RunOutcome outcome;
    readStandHeader(sheet, outcome.results, true);
    walkTally(
        sheet, [](const TreeRow& row) { return static_cast<double>(row.dbh); }, form, outcome);
    return outcome;
}

Tree at(int plot, int dbh) {
    Tree tree;
    tree.plot = plot;
    tree.dbh = dbh;
    return tree;
}

} // namespace

TEST(TallyWalk, PlotsFormInOrderOfAppearanceAndStandValueUsesDeclaredPlots) {
    const std::vector<Tree> trees{at(1, 12), at(1, 14), at(2, 16), at(1, 18)};
    const auto outcome = walk(test::tally(test::UplandRows, 4, "Fifth acre", "", trees));
    EXPECT_THAT(outcome.results.plotValue, testing::ElementsAre(26.0, 16.0, 18.0));
    EXPECT_EQ(outcome.results.standValue, 60.0 / 4);
    EXPECT_TRUE(outcome.treeMessages.empty());
}

TEST(TallyWalk, EmptyGridStillReadsRowSixAsTreeOne) {
    Sheet sheet = test::blankTally(test::UplandRows);
    sheet.SetInteger(10, 2, 3);
    auto outcome = walk(sheet);
    EXPECT_THAT(outcome.results.plotValue, testing::ElementsAre(0.0));
    EXPECT_EQ(outcome.results.standValue, 0.0);
    EXPECT_THAT(
        outcome.treeMessages,
        testing::ElementsAre("Tree 1 must have a species class, a DBH greater than 5 and a tree class."));

    sheet.SetInteger(10, 2, 0); // 0 / 0 plots
    EXPECT_TRUE(std::isnan(walk(sheet).results.standValue));
}

TEST(TallyWalk, PlotNumberZeroEndsTheTally) {
    Sheet sheet = test::tally(test::UplandRows, 1, "Fifth acre", "", std::vector<Tree>{at(1, 12), at(1, 14)});
    test::setTree(sheet, 9, at(1, 30)); // below the 0 in row 8: never read
    const auto outcome = walk(sheet);
    EXPECT_THAT(outcome.results.plotValue, testing::ElementsAre(26.0));
    EXPECT_EQ(outcome.results.largeTreeCount, 2);
}

// A tally that fills every tree row: each of its 150 plots is kept, and the plot still open at
// row 1500 closes there even when row 1501 carries the same plot number.
TEST(TallyWalk, FullTallyKeepsEveryPlotAndClosesTheLastOne) {
    for (int rows : {test::UplandRows, test::BottomlandRows}) {
        Sheet sheet = test::blankTally(rows);
        sheet.SetInteger(10, 2, 150);
        for (int row = 6; row <= 1500; ++row)
            test::setTree(sheet, row, at(1 + (row - 6) / 10, 12));
        sheet.SetInteger(1, 1501, 150);
        const auto outcome = walk(sheet);
        ASSERT_EQ(outcome.results.plotValue.size(), 150u) << rows;
        EXPECT_EQ(outcome.results.plotValue.back(), 5 * 12.0);
        EXPECT_EQ(outcome.results.standValue, 1495 * 12.0 / 150);
        EXPECT_EQ(outcome.results.largeTreeCount, 1495);
    }
}

TEST(TallyWalk, ChecksEachTreeInOrder) {
    Tree noVigor = at(1, 14);
    noVigor.vigor = " ";
    Tree smallBare = test::pole(1, 10);
    Tree halfLog = at(1, 14);
    halfLog.height = 0.5;
    Tree conflict = at(1, 14);
    conflict.speciesClass = "Unacceptable";
    conflict.treeClass = "Reserve";
    Tree shortButFine = at(1, 14);
    shortButFine.height = 0.95;
    Tree tiny = at(1, 14);
    tiny.height = 0.05;
    Tree everything = at(1, 5);
    everything.height = 0.5;
    everything.vigor = "Medium";
    everything.grade = 0;
    everything.speciesClass = "Unacceptable";
    everything.treeClass = "Preferred";

    const std::vector<Tree> trees{at(1, 5), at(1, 6),     noVigor, smallBare, halfLog,
                                  conflict, shortButFine, tiny,    everything};
    const auto outcome = walk(test::tally(test::UplandRows, 1, "Fifth acre", "", trees));
    EXPECT_THAT(outcome.treeMessages,
                testing::ElementsAre(
                    "Tree 1 must have a species class, a DBH greater than 5 and a tree class.",
                    "Tree 3 is invalid, check for errors.", "Tree 5 must have a height of at least 1 log.",
                    "Tree 6 contains conflict in species class and tree class, check for errors.",
                    "Tree 9 must have a species class, a DBH greater than 5 and a tree class.",
                    "Tree 9 is invalid, check for errors.",
                    "Tree 9 contains conflict in species class and tree class, check for errors.",
                    "Tree 9 must have a height of at least 1 log."));
}

TEST(TallyWalk, CountsOnlySawtimberAndKeepsEachPercentForm) {
    Tree fourLogs = at(1, 16);
    fourLogs.height = 4;
    fourLogs.grade = 4;
    fourLogs.crownClass = "Codominant"; // not a list item: counts nowhere
    Tree ungraded = at(1, 12);
    ungraded.height = 0;
    ungraded.grade = 0;
    ungraded.treeClass = "Reserve";
    const std::vector<Tree> trees{at(1, 10), at(1, 11), fourLogs, ungraded};
    const Sheet sheet = test::tally(test::UplandRows, 1, "Fifth acre", "", trees);

    const StandResults quotient = walk(sheet).results;
    EXPECT_EQ(quotient.largeTreeCount, 3);
    EXPECT_EQ(quotient.gradedTreeCount, 2);
    EXPECT_EQ(quotient.counts[CountPreferred], 2);
    EXPECT_EQ(quotient.counts[CountReserve], 1);
    EXPECT_EQ(quotient.counts[CountGrade1], 1);
    EXPECT_EQ(quotient.counts[CountGrade4], 1);
    EXPECT_EQ(quotient.counts[CountVigorHigh], 3); // the ungraded tree's vigor counts too
    EXPECT_EQ(quotient.counts[CountDominant], 2);
    EXPECT_EQ(quotient.counts[CountHeight2], 1);
    EXPECT_EQ(quotient.counts[CountHeight1] + quotient.counts[CountHeight35], 0);
    EXPECT_EQ(quotient.pctPreferred, 2.0 / 3 * 100);
    EXPECT_EQ(quotient.pctVigorHigh, 3.0 / 2 * 100);

    const StandResults product = walk(sheet, PercentForm::CountTimes100OverTotal).results;
    EXPECT_EQ(product.pctPreferred, 2.0 * 100 / 3);
    EXPECT_NE(product.pctPreferred, quotient.pctPreferred);
}

TEST(TallyWalk, PercentagesOfNoSawtimberAreNotNumbers) {
    const auto results =
        walk(test::tally(test::UplandRows, 1, "Fifth acre", "", std::vector<Tree>{test::pole(1)})).results;
    EXPECT_TRUE(std::isnan(results.pctPreferred));
    EXPECT_TRUE(std::isnan(results.pctHeight35));
}

TEST(Decision, ThresholdIsCutoffLessFiveHundredths) {
    const Cutoff cutoff{50, 49.95};
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<std::pair<double, const char*>> cases{
        {49.95, "Manage"}, {50, "Manage"}, {49.94, "Regenerate"}, {nan, "Regenerate"}, {inf, "Regenerate"}};
    for (const auto& [value, decision] : cases) {
        StandResults results;
        results.standValue = value;
        decide(results, 2, cutoff);
        EXPECT_EQ(results.decision, decision) << value;
        EXPECT_EQ(results.cutoffIndex, 50);
        EXPECT_EQ(results.objectiveNumber, 2);
    }
    StandResults results;
    results.cutoffIndex = 45;
    decide(results, 3, std::nullopt);
    EXPECT_EQ(results.decision, "Error");
    EXPECT_EQ(results.cutoffIndex, 0);
    EXPECT_EQ(results.objectiveNumber, 3);
}

TEST(FinishRun, BoxesAndUnusualValueMessage) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<std::pair<double, bool>> cases{
        {150, false}, {-20, false}, {150.01, true}, {-20.01, true}, {nan, true}};
    for (const auto& [value, unusual] : cases) {
        RunOutcome outcome;
        outcome.results.standValue = value;
        finishRun(outcome);
        EXPECT_EQ(outcome.closingMessages.size(), unusual ? 1u : 0u) << value;
    }
    RunOutcome outcome;
    outcome.results.standValue = nan;
    finishRun(outcome);
    EXPECT_EQ(outcome.standValueText, " n/a");
    EXPECT_EQ(outcome.decisionText, " ");
    EXPECT_EQ(outcome.cutoffText, " 0.0");
    EXPECT_THAT(outcome.closingMessages,
                testing::ElementsAre("Your stand has an unusual value, check data for errors."));
}
