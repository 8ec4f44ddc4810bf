#include "upland/TreeRecord.h"
#include "model/TreeFactors.h"

#include <gtest/gtest.h>

using timbra::OneTwelfth;
using timbra::upland::TreeRecord;

namespace {

struct Case {
    const char* what;
    int objective; // 0: none ticked
    int dbh;
    double height;
    int grade;
    const char* speciesClass;
    const char* vigor;
    const char* crownClass;
    const char* treeClass;
    double treeValue;
};

// Each case follows a valued tree on the same record, so a tree that no rule values shows 0 and
// not the value carried over.
TreeRecord evaluateAfterValuedTree(const Case& c, const char* plotSize = "Fifth acre") {
    TreeRecord record;
    record.SetStand(3, plotSize, c.objective == 1, c.objective == 2, c.objective == 3, c.objective == 4);
    record.Evaluate(10, 0, 0, "Desirable", " ", " ", "Preferred");
    record.Evaluate(c.dbh, c.height, c.grade, c.speciesClass, c.vigor, c.crownClass, c.treeClass);
    return record;
}

} // namespace

TEST(UplandTree, ValuationRules) {
    const Case cases[]{
        {"sawtimber", 1, 14, 2, 1, "Desirable", "High", "Dominant", "Preferred", 11.5 * OneTwelfth * 1.41},
        {"reserve", 4, 14, 2, 1, "Desirable", "High", "Dominant", "Reserve", 11.5 * 1.41 * OneTwelfth * 0.75},
        {"acceptable", 1, 14, 2, 1, "Acceptable", "High", "Dominant", "Preferred", 8.5 * OneTwelfth * 1.41},
        {"no hyphen", 1, 14, 2, 1, "Desirable", "High", "Codominant", "Preferred", 8.5 * OneTwelfth * 1.41},
        {"hyphen", 1, 14, 2, 1, "Desirable", "High", "Co-dominant", "Preferred", 11.5 * OneTwelfth * 1.41},
        {"four logs", 1, 14, 4, 1, "Desirable", "High", "Dominant", "Preferred", 10.0 * OneTwelfth * 1.41},
        {"pole", 3, 8, 0, 0, "Acceptable", " ", " ", "Reserve", 0.67},
        {"five inches", 1, 5, 0, 0, "Acceptable", " ", " ", "Reserve", 0},
        {"cull", 1, 16, 0, 0, "Desirable", " ", " ", "Cull", 1.72 * -0.25},
        {"over 20, objective 1", 1, 22, 2, 1, "Desirable", "High", "Dominant", "Preferred",
         11.5 * OneTwelfth * 2.78},
        {"over 20, objective 2", 2, 22, 2, 1, "Desirable", "High", "Dominant", "Preferred", 2.78 * -0.25},
        {"over 20, objective 3", 3, 22, 0, 0, "Desirable", " ", " ", "Cull", 2.78 * -0.25},
        {"20 inches", 2, 20, 2, 1, "Desirable", "High", "Dominant", "Preferred", 11.5 * 2.44 * OneTwelfth},
        {"20 inches, no data", 2, 20, 0, 0, "Desirable", " ", " ", "Preferred", 2.44},
        {"42 inches", 1, 42, 2, 1, "Desirable", "High", "Dominant", "Preferred", 0},
        {"height without grade", 1, 14, 2, 0, "Desirable", "High", "Dominant", "Preferred", 0},
        {"no objective", 0, 14, 2, 1, "Desirable", "High", "Dominant", "Preferred", 0},
        {"unknown tree class", 1, 14, 2, 1, "Desirable", "High", "Dominant", " ", 0},
    };
    for (const Case& c : cases) {
        const TreeRecord record = evaluateAfterValuedTree(c);
        EXPECT_EQ(record.treeValue, c.treeValue) << c.what;
        EXPECT_EQ(record.perAcreValue, c.treeValue * 5) << c.what;
    }
    EXPECT_NEAR(cases[0].treeValue, 1.35125, 1e-12);
}

TEST(UplandTree, PlotExpansion) {
    const Case tree{"pole", 1, 8, 0, 0, "Acceptable", " ", " ", "Reserve", 0.67};
    EXPECT_EQ(evaluateAfterValuedTree(tree, "Tenth acre").perAcreValue, 0.67 * 10);
    EXPECT_EQ(evaluateAfterValuedTree(tree, "Quarter acre").perAcreValue, 0.67 * 4);
    EXPECT_EQ(evaluateAfterValuedTree(tree, "Half acre").perAcreValue, 0.67 * 2);
    // An unknown plot size marks every tree, so the stand shows as unusual.
    EXPECT_EQ(evaluateAfterValuedTree(tree, " ").perAcreValue, 100.0);
}
