// What both models share in a Run: plots formed from the tally rows, the checks of each tree, the
// counts, the decision against the threshold and the unusual-value message.
#include "core/model/TallyRun.h"
#include "core/TallyBuilder.h"

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
        TreeRows(sheet), [](const TreeRow& row) { return static_cast<double>(row.dbh); }, form, outcome);
    return outcome;
}

} // namespace

TEST(TallyWalk, PlotsFormInOrderOfAppearanceUntilPlotNumberZero) {
    Sheet sheet = test::tally(test::UplandRows, {.plots = 4}, {{1, 12}, {1, 14}, {2, 16}, {1, 18}});
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
        Sheet sheet = test::tally(rows, {.plots = 150});
        for (int row = 6; row <= rows; ++row)
            test::setTree(sheet, row, {std::min(150, 1 + (row - 6) / 10), 12});
        const auto outcome = walk(sheet);
        ASSERT_EQ(outcome.results.plotValue.size(), 150u) << rows;
        EXPECT_EQ(outcome.results.plotValue.back(), 5 * 12.0);
        EXPECT_EQ(outcome.results.standValue, 1495 * 12.0 / 150);
    }
}

// Each tree's checks, in order, are recorded in tests/data/golden/upland-tree-checks.

TEST(TallyWalk, CountsOnlySawtimberAndKeepsEachPercentForm) {
    // The third tree has no height or crown class, the fourth no grade.
    const Sheet sheet = test::tally(test::UplandRows, {},
                                    {{1, 10},
                                     {1, 11},
                                     {1, 16, 4, 4, "Desirable", "High", "Codominant"},
                                     {1, 12, 0, 0, "Desirable", "High", "Dominant", "Reserve"}});
    const StandResults quotient = walk(sheet).results;
    EXPECT_EQ(quotient.largeTreeCount, 3);
    EXPECT_EQ(quotient.gradedTreeCount, 2);
    // 4 tree classes, 3 species classes, 4 grades, 3 vigors, 4 crown classes, 6 heights.
    EXPECT_THAT(quotient.counts,
                ElementsAre(2, 1, 0, 0, 3, 0, 0, 1, 0, 0, 1, 3, 0, 0, 2, 0, 0, 0, 0, 0, 1, 0, 0, 0));
    EXPECT_EQ(quotient.pctPreferred, 2.0 / 3 * 100);
    EXPECT_EQ(quotient.pctVigorHigh, 3.0 / 2 * 100);
    // The two orders round differently: each model keeps its own.
    EXPECT_EQ(walk(sheet, PercentForm::CountTimes100OverTotal).results.pctPreferred, 2.0 * 100 / 3);
    // With no sawtimber the percentages are not numbers; the report shows them as such.
    EXPECT_TRUE(std::isnan(walk(test::tally(test::UplandRows, {}, {test::pole(1)})).results.pctPreferred));
}

// Manage from the cut-off less 0.05 up; a stand value that is not a number regenerates.
TEST(Decision, ThresholdIsCutoffLessFiveHundredths) {
    EXPECT_EQ(Cutoff{50}.threshold, 49.95);
    // clang-format off
    const std::pair<double, const char*> cases[] = {
        {49.95, "Manage"}, {50, "Manage"}, {49.94, "Regenerate"}, {NaN, "Regenerate"}, {INFINITY, "Regenerate"}};
    // clang-format on
    for (const auto& [value, decision] : cases) {
        StandResults results;
        results.standValue = value;
        decide(results, 2, Cutoff{50});
        EXPECT_EQ(std::string(decisionText(results.decision)) + "|" + std::to_string(results.cutoffIndex) +
                      "|" + std::to_string(results.objectiveNumber),
                  decision + std::string("|50.000000|2.000000"))
            << value;
    }
    StandResults results;
    decide(results, 3, std::nullopt);
    EXPECT_EQ(std::string(decisionText(results.decision)) + "|" + std::to_string(results.cutoffIndex),
              "Error|0.000000");
}

// A stand value outside -20 to 150 draws the unusual-value message; one that is not a number shows as such.
TEST(FinishRun, BoxesAndUnusualValueMessage) {
    for (const double value : {150.0, -20.0, 150.01, -20.01, NaN}) {
        RunOutcome outcome;
        outcome.results.standValue = value;
        finishRun(outcome);
        const bool unusual = !(value >= -20 && value <= 150);
        EXPECT_EQ(outcome.closingMessages,
                  std::vector<std::string>(unusual ? 1 : 0,
                                           "Your stand has an unusual value, check data for errors."))
            << value;
        const std::string boxes =
            outcome.standValueText + "|" + outcome.decisionText + "|" + outcome.cutoffText;
        EXPECT_TRUE(!std::isnan(value) || boxes == " n/a| | 0.0") << boxes;
    }
}

// A class text counts only whole and in its case; a text of a class text's length is compared too.
TEST(ClassTexts, OnlyTheWholeTextInItsCaseNamesAClass) {
    EXPECT_EQ(treeClassOf("Cutting Stock"), TreeClass::CuttingStock);
    EXPECT_EQ(speciesClassOf("Unacceptable"), SpeciesClass::Unacceptable);
    EXPECT_EQ(vigorOf("Low"), Vigor::Low);
    EXPECT_EQ(crownClassOf("Co-dominant"), CrownClass::Codominant);
    for (std::string_view text : {"", " ", "Reservx", "cull", "Cull ", " Cull", "Cutting stock",
                                  "Preferred  Preferred", "Desirable", "High", "Dominant"})
        EXPECT_EQ(treeClassOf(text), TreeClass::None) << text;
    for (std::string_view text : {"Lo", "Lox", "Medium ", "HIGH", "Preferred"})
        EXPECT_EQ(vigorOf(text), Vigor::None) << text;
}
