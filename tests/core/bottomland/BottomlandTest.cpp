// The bottomland model: tree values and the objectives' rewrite passes.
#include "bottomland/BottomlandModel.h"
#include "bottomland/TreeRecord.h"
#include "core/model/TallyBuilder.h"
#include "model/TreeFactors.h"

#include <gtest/gtest.h>

using namespace timbra;
using test::Tree;

namespace {

// The tree valued on a record that has just valued another tree, so a tree that no rule values
// shows 0 and not the value carried over.
bottomland::TreeRecord valueAfterAnotherTree(int objective, const Tree& t,
                                             const char* plotSize = "Tenth acre") {
    bottomland::TreeRecord record;
    record.SetStand(3, plotSize, objective == 1, objective == 2, objective == 3);
    record.Evaluate(10, 0, 0, "Desirable", " ", " ", "Preferred");
    record.Evaluate(t.dbh, t.height, t.grade, t.speciesClass, t.vigor, t.crownClass, t.treeClass);
    return record;
}

constexpr double Sawtimber18 = 11.5 * 2.04 * OneTwelfth;

} // namespace

TEST(BottomlandTree, ValuationRules) {
    const Tree sawtimber{1, 18, 2, 1};
    const Tree noData{1, 14, 0, 0, "Desirable", " ", " "};
    const struct {
        const char* what;
        int objective; // 0: none ticked
        Tree tree;
        double treeValue;
    } cases[]{
        {"sawtimber", 1, sawtimber, Sawtimber18},
        {"reserve", 2, {1, 18, 2, 1, "Desirable", "High", "Dominant", "Reserve"}, 0.75 * Sawtimber18},
        {"cull", 1, {1, 18, 2, 1, "Desirable", "High", "Dominant", "Cull"}, -0.25 * 2.04},
        {"grade 4", 3, {1, 18, 2, 4}, 9.5 * 2.04 * OneTwelfth},
        {"5.5 logs", 3, {1, 18, 5.5, 1}, 12.0 * 2.04 * OneTwelfth},
        {"0.95 logs", 3, {1, 18, 0.95, 1}, 10.0 * 2.04 * OneTwelfth},
        {"no hyphen", 1, {1, 18, 2, 1, "Desirable", "High", "Codominant"}, 8.5 * 2.04 * OneTwelfth},
        {"unacceptable", 1, {1, 18, 2, 1, "Unacceptable"}, 8.5 * 2.04 * OneTwelfth},
        {"pole", 2, {1, 7, 0, 0, "Acceptable", " ", " ", "Reserve"}, 0.5},
        {"11-inch cull", 3, {1, 11, 0, 0, "Desirable", " ", " ", "Cull"}, 0},
        {"12-inch cutting stock", 3, {1, 12, 0, 0, "Desirable", " ", " ", "Cutting Stock"}, -0.25 * 1.15},
        {"no data", 2, noData, 1.41},
        {"26 inches", 1, {1, 26, 2, 1}, 11.5 * 3.7 * OneTwelfth},
        {"28 inches", 1, {1, 28, 2, 1}, -0.25 * 4.17},
        {"28 inches, objective 3", 3, {1, 28, 2, 1}, 11.5 * 4.17 * OneTwelfth},
        {"50 inches", 3, {1, 50, 2, 1}, 11.5 * 5.26 * OneTwelfth},
        {"52 inches", 1, {1, 52, 2, 1}, 0},
        {"small unacceptable", 1, {1, 8, 0, 0, "Unacceptable", " ", " "}, 0},
        {"height without grade", 1, {1, 18, 2, 0}, 0},
        {"no objective", 0, sawtimber, 0},
        {"no objective, cull", 0, {1, 18, 2, 1, "Desirable", "High", "Dominant", "Cull"}, 0},
    };
    for (const auto& c : cases) {
        const bottomland::TreeRecord record = valueAfterAnotherTree(c.objective, c.tree);
        EXPECT_EQ(record.treeValue, c.treeValue) << c.what;
        EXPECT_EQ(record.perAcreValue, c.treeValue * 10) << c.what;
    }
    EXPECT_NEAR(Sawtimber18, 1.955, 1e-12);

    EXPECT_EQ(valueAfterAnotherTree(1, sawtimber, "Fifth acre").perAcreValue, Sawtimber18 * 5);
    EXPECT_EQ(valueAfterAnotherTree(1, sawtimber, "Quarter acre").perAcreValue, Sawtimber18 * 4);
    EXPECT_EQ(valueAfterAnotherTree(1, sawtimber, "Half acre").perAcreValue, Sawtimber18 * 2);
    EXPECT_EQ(valueAfterAnotherTree(1, sawtimber, " ").perAcreValue, Sawtimber18);
    // A plot size outside the table gives nothing per acre, not the previous tree's value.
    EXPECT_EQ(valueAfterAnotherTree(1, sawtimber, "Acre").perAcreValue, 0);
}

TEST(BottomlandObjectives, RewriteRules) {
    test::expectRewrites(test::BottomlandRows,
                         [](Sheet& s, int n) { bottomland::model.rewriteForObjective(s, n); },
                         {
                             {1, "SWG", "Unacceptable", 10, "Cull", "Acceptable", "Preferred"},
                             {2, "SWG", "Desirable", 8, "Preferred", "Unacceptable", "Cutting Stock"},
                             {3, "SWG", "Acceptable", 11, "Reserve", "Unacceptable", "Cutting Stock"},
                             {1, "SWG", "Desirable", 12, "Reserve", "Desirable", "Reserve"},
                             {2, "swg", "Desirable", 8, "Preferred", "Desirable", "Preferred"},
                             {2, "SWG ", "Desirable", 8, "Preferred", "Desirable", "Preferred"},
                             {1, "WO", "Desirable", 30, "Reserve", "Desirable", "Cutting Stock"},
                             {2, "WO", "Desirable", 27, "Preferred", "Desirable", "Cutting Stock"},
                             {1, "WO", "Desirable", 26, "Reserve", "Desirable", "Reserve"},
                             {3, "WO", "Acceptable", 30, "Cutting Stock", "Acceptable", "Preferred"},
                             {3, "WO", "Unacceptable", 30, "Cutting Stock", "Unacceptable", "Cutting Stock"},
                             {1, "WO", "Desirable", 30, "Cull", "Desirable", "Cull"},
                             {2, "WO", "Desirable", 30, "Cull", "Desirable", "Cull"},
                             {3, "WO", "Desirable", 30, "Cull", "Desirable", "Cull"},
                         });

    // The pass reaches row 1500 and rows after a gap, but not the grid's extra row 1501.
    const Tree big{1, 30, 2, 1, "Desirable", "High", "Dominant", "Reserve"};
    Sheet sheet = test::tally(test::BottomlandRows, 1, "Tenth acre", "", {big});
    test::setTree(sheet, 9, big); // rows 7 and 8 hold plot number 0
    test::setTree(sheet, 1500, big);
    test::setTree(sheet, 1501, big);
    bottomland::model.rewriteForObjective(sheet, 1);
    for (int row : {6, 9, 1500})
        EXPECT_EQ(sheet.GetText(10, row), "Cutting Stock") << row;
    EXPECT_EQ(sheet.GetText(10, 1501), "Reserve");
    bottomland::model.rewriteForObjective(sheet, 3);
    EXPECT_EQ(sheet.GetText(10, 9), "Preferred");
}
