// The upland model: tree values, the objectives' rewrite passes, and the cut-off by province.
#include "core/model/TallyBuilder.h"
#include "model/TreeFactors.h"
#include "upland/TreeRecord.h"
#include "upland/UplandModel.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace timbra;
using test::Tree;

namespace {

// The tree valued on a record that has just valued another tree, so a tree that no rule values
// shows 0 and not the value carried over.
upland::TreeRecord valueAfterAnotherTree(int objective, const Tree& t, const char* plotSize = "Fifth acre") {
    upland::TreeRecord record;
    record.SetStand(3, plotSize, objective == 1, objective == 2, objective == 3, objective == 4);
    record.Evaluate(10, 0, 0, "Desirable", " ", " ", "Preferred");
    record.Evaluate(t.dbh, t.height, t.grade, t.speciesClass, t.vigor, t.crownClass, t.treeClass);
    return record;
}

RunOutcome runOneTree(std::string_view province, int objective) {
    ObjectiveBoxes boxes;
    boxes.checked[static_cast<std::size_t>(objective - 1)] = true;
    return upland::model.run(test::tally(test::UplandRows, 1, "Fifth acre", province, {Tree{}}), boxes);
}

} // namespace

TEST(UplandTree, ValuationRules) {
    const Tree sawtimber{1, 14, 2, 1};
    const struct {
        const char* what;
        int objective; // 0: none ticked
        Tree tree;
        double treeValue;
    } cases[]{
        {"sawtimber", 1, sawtimber, 11.5 * OneTwelfth * 1.41},
        {"reserve",
         4,
         {1, 14, 2, 1, "Desirable", "High", "Dominant", "Reserve"},
         11.5 * 1.41 * OneTwelfth * 0.75},
        {"acceptable", 1, {1, 14, 2, 1, "Acceptable"}, 8.5 * OneTwelfth * 1.41},
        {"no hyphen", 1, {1, 14, 2, 1, "Desirable", "High", "Codominant"}, 8.5 * OneTwelfth * 1.41},
        {"hyphen", 1, {1, 14, 2, 1, "Desirable", "High", "Co-dominant"}, 11.5 * OneTwelfth * 1.41},
        {"four logs", 1, {1, 14, 4, 1}, 10.0 * OneTwelfth * 1.41},
        {"pole", 3, test::pole(1, 8), 0.67},
        {"five inches", 1, test::pole(1, 5), 0},
        {"cull", 1, {1, 16, 0, 0, "Desirable", " ", " ", "Cull"}, 1.72 * -0.25},
        {"over 20, objective 1", 1, {1, 22, 2, 1}, 11.5 * OneTwelfth * 2.78},
        {"over 20, objective 2", 2, {1, 22, 2, 1}, 2.78 * -0.25},
        {"over 20, objective 3", 3, {1, 22, 0, 0, "Desirable", " ", " ", "Cull"}, 2.78 * -0.25},
        {"20 inches", 2, {1, 20, 2, 1}, 11.5 * 2.44 * OneTwelfth},
        {"20 inches, no data", 2, {1, 20, 0, 0, "Desirable", " ", " "}, 2.44},
        {"42 inches", 1, {1, 42, 2, 1}, 0},
        {"height without grade", 1, {1, 14, 2, 0}, 0},
        {"no objective", 0, sawtimber, 0},
        {"unknown tree class", 1, {1, 14, 2, 1, "Desirable", "High", "Dominant", " "}, 0},
    };
    for (const auto& c : cases) {
        const upland::TreeRecord record = valueAfterAnotherTree(c.objective, c.tree);
        EXPECT_EQ(record.treeValue, c.treeValue) << c.what;
        EXPECT_EQ(record.perAcreValue, c.treeValue * 5) << c.what;
    }
    EXPECT_NEAR(cases[0].treeValue, 1.35125, 1e-12);

    const Tree pole = test::pole(1, 8);
    EXPECT_EQ(valueAfterAnotherTree(1, pole, "Tenth acre").perAcreValue, 0.67 * 10);
    EXPECT_EQ(valueAfterAnotherTree(1, pole, "Quarter acre").perAcreValue, 0.67 * 4);
    EXPECT_EQ(valueAfterAnotherTree(1, pole, "Half acre").perAcreValue, 0.67 * 2);
    // An unknown plot size marks every tree, so the stand shows as unusual.
    EXPECT_EQ(valueAfterAnotherTree(1, pole, " ").perAcreValue, 100.0);
}

TEST(UplandObjectives, RewriteRules) {
    test::expectRewrites(test::UplandRows, [](Sheet& s, int n) { upland::model.rewriteForObjective(s, n); },
                         {
                             // Trees over 20 inches: growing stock under 1 and 4, removed under 2 and 3.
                             {1, "WO", "Desirable", 22, "Cutting Stock", "Desirable", "Preferred"},
                             {1, "WO", "Unacceptable", 22, "Cutting Stock", "Unacceptable", "Cutting Stock"},
                             {1, "WO", "Acceptable", 22, "Reserve", "Acceptable", "Reserve"},
                             {2, "WO", "Desirable", 22, "Reserve", "Desirable", "Cutting Stock"},
                             {3, "WO", "Desirable", 22, "Cull", "Desirable", "Cull"},
                             {2, "WO", "Desirable", 20, "Preferred", "Desirable", "Preferred"},
                             {4, "WO", "Acceptable", 24, "Cutting Stock", "Acceptable", "Preferred"},
                             {4, "YLP", "Acceptable", 24, "Cutting Stock", "Unacceptable", "Cutting Stock"},
                             // Yellow poplar and sugar maple.
                             {1, "YLP", "Unacceptable", 14, "Cutting Stock", "Acceptable", "Preferred"},
                             {1, "YLP", "Desirable", 14, "Reserve", "Desirable", "Reserve"},
                             {2, "YLP", "Desirable", 14, "Reserve", "Desirable", "Reserve"},
                             {2, "SUM", "Unacceptable", 24, "Preferred", "Unacceptable", "Cutting Stock"},
                             {3, "YLP", "Unacceptable", 14, "Cutting Stock", "Acceptable", "Preferred"},
                             {3, "SUM", "Desirable", 14, "Reserve", "Unacceptable", "Cutting Stock"},
                             {3, "SUM", "Desirable", 14, "Cull", "Desirable", "Cull"},
                             {4, "SUM", "Desirable", 8, "Preferred", "Unacceptable", "Cutting Stock"},
                             // Codes are compared exactly.
                             {4, "ylp", "Desirable", 14, "Preferred", "Desirable", "Preferred"},
                             {4, "YLP ", "Desirable", 14, "Preferred", "Desirable", "Preferred"},
                         });

    // Switching back is not an identity.
    Sheet sheet = test::tally(test::UplandRows, 1, "Fifth acre", "",
                              {{1, 14, 2, 1, "Desirable", "High", "Dominant", "Reserve", "SUM"}});
    upland::model.rewriteForObjective(sheet, 3);
    upland::model.rewriteForObjective(sheet, 1);
    EXPECT_EQ(sheet.GetText(4, 6), "Acceptable");
    EXPECT_EQ(sheet.GetText(10, 6), "Preferred");
}

TEST(UplandObjectives, PassRange) {
    // Row 1500 is rewritten by objectives 2 and 3 only.
    for (int objective = 1; objective <= 4; ++objective) {
        Sheet sheet = test::tally(test::UplandRows, 1, "Fifth acre", "");
        test::setTree(sheet, 1500, {1, 24, 2, 1, "Desirable", "High", "Dominant", "Reserve", "SUM"});
        upland::model.rewriteForObjective(sheet, objective);
        EXPECT_EQ(sheet.GetText(10, 1500), objective == 2 || objective == 3 ? "Cutting Stock" : "Reserve")
            << objective;
    }
    // Rows after a plot number 0 are still rewritten; row 6 is rewritten whatever its plot number.
    Sheet sheet = test::tally(test::UplandRows, 1, "Fifth acre", "", {{0, 24}});
    test::setTree(sheet, 9, {1, 24});
    upland::model.rewriteForObjective(sheet, 2);
    EXPECT_EQ(sheet.GetText(10, 6), "Cutting Stock");
    EXPECT_EQ(sheet.GetText(10, 9), "Cutting Stock");
}

TEST(UplandRun, CutoffByProvinceAndObjective) {
    const std::vector<std::pair<const char*, std::array<double, 4>>> table{
        {"Cumberland", {50, 45, 39, 30}},
        {"Western Rim", {43, 36, 0, 31}},
        {"Coastal Plain", {48, 44, 0, 45}}};
    for (const auto& [province, cutoffs] : table)
        for (int objective = 1; objective <= 4; ++objective) {
            const auto outcome = runOneTree(province, objective);
            const double cutoff = cutoffs[static_cast<std::size_t>(objective - 1)];
            EXPECT_EQ(outcome.results.cutoffIndex, cutoff) << province << objective;
            EXPECT_EQ(outcome.results.objectiveNumber, objective);
            EXPECT_EQ(outcome.results.decision, cutoff == 0 ? "Error" : "Regenerate")
                << province << objective;
            EXPECT_TRUE(outcome.closingMessages.empty());
        }

    // A blank and a province in the wrong case name no province, as an empty cell does.
    for (const char* province : {" ", "cumberland"}) {
        const auto outcome = runOneTree(province, 1);
        EXPECT_EQ(outcome.results.decision, " ") << province;
        EXPECT_EQ(outcome.results.cutoffIndex, 0);
        EXPECT_THAT(outcome.closingMessages, testing::ElementsAre("Please insert a physiographic province."));
    }
}
