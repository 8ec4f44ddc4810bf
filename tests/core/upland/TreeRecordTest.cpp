#include "upland/TreeRecord.h"
#include "model/TreeFactors.h"

#include <gtest/gtest.h>

#include <string>

using timbra::OneTwelfth;
using timbra::upland::TreeRecord;

namespace {

struct Stand {
    int objective = 1;
    std::string plotSize = "Fifth acre";
};

struct Tree {
    int dbh = 14;
    double height = 2;
    int grade = 1;
    std::string speciesClass = "Desirable";
    std::string vigor = "High";
    std::string crownClass = "Dominant";
    std::string treeClass = "Preferred";
};

TreeRecord evaluate(const Tree& t, const Stand& s = {}) {
    TreeRecord record;
    record.SetStand(3, s.plotSize, s.objective == 1, s.objective == 2, s.objective == 3, s.objective == 4);
    record.Evaluate(t.dbh, t.height, t.grade, t.speciesClass, t.vigor, t.crownClass, t.treeClass);
    return record;
}

} // namespace

TEST(UplandTree, SawtimberByQualitySum) {
    const TreeRecord preferred = evaluate({});
    EXPECT_EQ(preferred.treeValue, 11.5 * OneTwelfth * 1.41);
    EXPECT_NEAR(preferred.treeValue, 1.35125, 1e-12);
    EXPECT_EQ(preferred.perAcreValue, 5 * (11.5 * OneTwelfth * 1.41));
    EXPECT_EQ(evaluate({}, {1, "Tenth acre"}).perAcreValue, 10 * (11.5 * OneTwelfth * 1.41));

    Tree reserve;
    reserve.treeClass = "Reserve";
    EXPECT_EQ(evaluate(reserve).treeValue, 11.5 * 1.41 * OneTwelfth * 0.75);

    Tree acceptable;
    acceptable.speciesClass = "Acceptable";
    EXPECT_EQ(evaluate(acceptable).treeValue, 8.5 * OneTwelfth * 1.41);
    Tree codominant;
    codominant.crownClass = "Codominant";
    EXPECT_EQ(evaluate(codominant).treeValue, 8.5 * OneTwelfth * 1.41);
    codominant.crownClass = "Co-dominant";
    EXPECT_EQ(evaluate(codominant).treeValue, 11.5 * OneTwelfth * 1.41);
    Tree fourLogs;
    fourLogs.height = 4;
    EXPECT_EQ(evaluate(fourLogs).treeValue, 10.0 * OneTwelfth * 1.41);
}

TEST(UplandTree, SmallTreesAndRemovals) {
    const Tree pole{8, 0, 0, "Acceptable", " ", " ", "Reserve"};
    for (int objective = 1; objective <= 4; ++objective) {
        EXPECT_EQ(evaluate(pole, {objective}).treeValue, 0.67) << objective;
        EXPECT_EQ(evaluate(pole, {objective, "Tenth acre"}).perAcreValue, 0.67 * 10);
    }
    Tree small = pole;
    small.dbh = 5;
    EXPECT_EQ(evaluate(small).treeValue, 0);

    const Tree cull{16, 0, 0, "Desirable", " ", " ", "Cull"};
    EXPECT_EQ(evaluate(cull).treeValue, 1.72 * -0.25);

    Tree huge;
    huge.dbh = 42;
    EXPECT_EQ(evaluate(huge).treeValue, 0);
}

TEST(UplandTree, ObjectivesTwoAndThreeRemoveTreesOverTwentyInches) {
    Tree big;
    big.dbh = 22;
    EXPECT_EQ(evaluate(big, {2}).treeValue, 2.78 * -0.25);
    EXPECT_EQ(evaluate(big, {3}).treeValue, 2.78 * -0.25);
    EXPECT_EQ(evaluate(big, {1}).treeValue, 11.5 * OneTwelfth * 2.78);

    const Tree noData{20, 0, 0, "Desirable", " ", " ", "Preferred"};
    EXPECT_EQ(evaluate(noData, {2}).treeValue, 2.44);
    Tree atLimit;
    atLimit.dbh = 20;
    EXPECT_EQ(evaluate(atLimit, {3}).treeValue, 11.5 * 2.44 * OneTwelfth);
}

TEST(UplandTree, UnknownPlotSizeMarksEveryTree) {
    EXPECT_EQ(evaluate({}, {1, "Acre"}).perAcreValue, 100.0);
    Tree small;
    small.dbh = 4;
    EXPECT_EQ(evaluate(small, {1, " "}).perAcreValue, 100.0);
}

// A tree that no rule values is worth 0, not what the tree before it was worth.
TEST(UplandTree, UnvaluedTreeDoesNotInheritThePreviousValue) {
    TreeRecord record;
    record.SetStand(1, "Fifth acre", 1, 0, 0, 0);
    record.Evaluate(14, 2, 1, "Desirable", "High", "Dominant", "Preferred");
    ASSERT_GT(record.treeValue, 0);
    record.Evaluate(14, 2, 0, "Desirable", "High", "Dominant", "Preferred"); // height without grade
    EXPECT_EQ(record.treeValue, 0);
    EXPECT_EQ(record.perAcreValue, 0);

    record.SetStand(1, "Fifth acre", 0, 0, 0, 0); // no objective
    record.Evaluate(14, 2, 1, "Desirable", "High", "Dominant", "Preferred");
    EXPECT_EQ(record.treeValue, 0);
}
