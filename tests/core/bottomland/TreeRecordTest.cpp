#include "bottomland/TreeRecord.h"
#include "model/TreeFactors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using timbra::OneTwelfth;
using timbra::bottomland::TreeRecord;

namespace {

struct Stand {
    int objective = 1;
    std::string plotSize = "Tenth acre";
};

struct Tree {
    int dbh = 18;
    double height = 2;
    int grade = 1;
    std::string speciesClass = "Desirable";
    std::string vigor = "High";
    std::string crownClass = "Dominant";
    std::string treeClass = "Preferred";
};

TreeRecord evaluate(const Tree& t, const Stand& s = {}) {
    TreeRecord record;
    record.SetStand(3, s.plotSize, s.objective == 1, s.objective == 2, s.objective == 3);
    record.Evaluate(t.dbh, t.height, t.grade, t.speciesClass, t.vigor, t.crownClass, t.treeClass);
    return record;
}

Tree withClass(const char* treeClass, int dbh = 18) {
    Tree tree;
    tree.treeClass = treeClass;
    tree.dbh = dbh;
    return tree;
}

} // namespace

TEST(BottomlandTree, WorkedExample) {
    const double sawtimber = 11.5 * 2.04 * OneTwelfth;
    const TreeRecord preferred = evaluate({});
    EXPECT_EQ(preferred.treeValue, sawtimber);
    EXPECT_NEAR(preferred.treeValue, 1.955, 1e-12);
    EXPECT_EQ(preferred.perAcreValue, sawtimber * 10);
    EXPECT_EQ(evaluate(withClass("Reserve")).treeValue, 0.75 * sawtimber);
    EXPECT_EQ(evaluate(withClass("Cull")).treeValue, -0.25 * 2.04);
    EXPECT_EQ(evaluate(withClass("Preferred", 28)).treeValue, -0.25 * 4.17);
    EXPECT_EQ(evaluate(withClass("Preferred", 28), {3}).treeValue, 11.5 * 4.17 * OneTwelfth);
    EXPECT_EQ(evaluate({}, {1, "Quarter acre"}).perAcreValue, sawtimber * 4);
    EXPECT_EQ(evaluate({}, {1, "Half acre"}).perAcreValue, sawtimber * 2);
    EXPECT_EQ(evaluate({}, {1, " "}).perAcreValue, sawtimber);
}

TEST(BottomlandTree, RankSumFactors) {
    const double weight = 2.04;
    Tree t;
    t.grade = 4;
    EXPECT_EQ(evaluate(t).treeValue, 9.5 * weight * OneTwelfth);
    t = {};
    t.height = 5.5; // no upper limit on height
    EXPECT_EQ(evaluate(t).treeValue, 12.0 * weight * OneTwelfth);
    t.height = 0.95;
    EXPECT_EQ(evaluate(t).treeValue, 10.0 * weight * OneTwelfth);
    t = {};
    t.crownClass = "Codominant";
    EXPECT_EQ(evaluate(t).treeValue, 8.5 * weight * OneTwelfth);
    t = {};
    t.speciesClass = "Unacceptable";
    EXPECT_EQ(evaluate(t).treeValue, 8.5 * weight * OneTwelfth);
}

TEST(BottomlandTree, DiameterRules) {
    for (int objective = 1; objective <= 3; ++objective) {
        for (const auto& [dbh, weight] : {std::pair{6, 0.5}, {7, 0.5}, {9, 0.67}, {11, 0.89}}) {
            Tree pole{dbh, 0, 0, "Acceptable", " ", " ", "Reserve"};
            EXPECT_EQ(evaluate(pole, {objective}).treeValue, weight) << dbh;
            pole.treeClass = "Cull";
            EXPECT_EQ(evaluate(pole, {objective}).treeValue, 0) << dbh;
        }
        EXPECT_EQ(evaluate(withClass("Preferred", 5), {objective}).treeValue, 0);
        EXPECT_EQ(evaluate(withClass("Cutting Stock", 12), {objective}).treeValue, -0.25 * 1.15);
        const Tree bare{14, 0, 0, "Desirable", " ", " ", "Preferred"};
        EXPECT_EQ(evaluate(bare, {objective}).treeValue, 1.41);
    }
    EXPECT_EQ(evaluate(withClass("Preferred", 26)).treeValue, 11.5 * 3.7 * OneTwelfth);
    EXPECT_EQ(evaluate(withClass("Preferred", 27), {2}).treeValue, -0.25 * 3.7);
    EXPECT_EQ(evaluate(withClass("Preferred", 50), {3}).treeValue, 11.5 * 5.26 * OneTwelfth);
    const double huge = evaluate(withClass("Preferred", 52)).treeValue;
    EXPECT_EQ(huge, 0);
    EXPECT_TRUE(std::signbit(huge)); // removal value of a weightless tree: -0, sums as 0
    EXPECT_EQ(evaluate(withClass("Cull", 14), {0}).treeValue, 0);
}

// Trees no rule values, and trees of a plot size outside the table, are worth 0, never what the
// tree before them was worth.
TEST(BottomlandTree, UnvaluedTreesAreWorthZero) {
    TreeRecord record;
    record.SetStand(1, "Tenth acre", 1, 0, 0);
    record.Evaluate(18, 2, 1, "Desirable", "High", "Dominant", "Preferred");
    ASSERT_GT(record.treeValue, 0);
    record.Evaluate(8, 0, 0, "Unacceptable", " ", " ", "Preferred");
    EXPECT_EQ(record.treeValue, 0);
    record.Evaluate(18, 2, 1, "Desirable", "High", "Dominant", "Preferred");
    record.Evaluate(18, 2, 0, "Desirable", "High", "Dominant", "Preferred"); // height without grade
    EXPECT_EQ(record.perAcreValue, 0);

    record.SetStand(1, "Acre", 1, 0, 0);
    record.Evaluate(18, 2, 1, "Desirable", "High", "Dominant", "Preferred");
    EXPECT_GT(record.treeValue, 0);
    EXPECT_EQ(record.perAcreValue, 0);
}
