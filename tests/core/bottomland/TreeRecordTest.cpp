#include "bottomland/TreeRecord.h"
#include "model/TreeFactors.h"

#include <gtest/gtest.h>

#include <cmath>

using timbra::OneTwelfth;
using timbra::bottomland::TreeRecord;

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
TreeRecord evaluateAfterValuedTree(const Case& c, const char* plotSize = "Tenth acre") {
    TreeRecord record;
    record.SetStand(3, plotSize, c.objective == 1, c.objective == 2, c.objective == 3);
    record.Evaluate(10, 0, 0, "Desirable", " ", " ", "Preferred");
    record.Evaluate(c.dbh, c.height, c.grade, c.speciesClass, c.vigor, c.crownClass, c.treeClass);
    return record;
}

constexpr double Sawtimber18 = 11.5 * 2.04 * OneTwelfth;

} // namespace

TEST(BottomlandTree, ValuationRules) {
    const Case cases[]{
        {"sawtimber", 1, 18, 2, 1, "Desirable", "High", "Dominant", "Preferred", Sawtimber18},
        {"reserve", 2, 18, 2, 1, "Desirable", "High", "Dominant", "Reserve", 0.75 * Sawtimber18},
        {"cull", 1, 18, 2, 1, "Desirable", "High", "Dominant", "Cull", -0.25 * 2.04},
        {"grade 4", 3, 18, 2, 4, "Desirable", "High", "Dominant", "Preferred", 9.5 * 2.04 * OneTwelfth},
        {"5.5 logs", 3, 18, 5.5, 1, "Desirable", "High", "Dominant", "Preferred", 12.0 * 2.04 * OneTwelfth},
        {"0.95 logs", 3, 18, 0.95, 1, "Desirable", "High", "Dominant", "Preferred", 10.0 * 2.04 * OneTwelfth},
        {"no hyphen", 1, 18, 2, 1, "Desirable", "High", "Codominant", "Preferred", 8.5 * 2.04 * OneTwelfth},
        {"unacceptable", 1, 18, 2, 1, "Unacceptable", "High", "Dominant", "Preferred",
         8.5 * 2.04 * OneTwelfth},
        {"pole", 2, 7, 0, 0, "Acceptable", " ", " ", "Reserve", 0.5},
        {"11-inch cull", 3, 11, 0, 0, "Desirable", " ", " ", "Cull", 0},
        {"12-inch cutting stock", 3, 12, 0, 0, "Desirable", " ", " ", "Cutting Stock", -0.25 * 1.15},
        {"no data", 2, 14, 0, 0, "Desirable", " ", " ", "Preferred", 1.41},
        {"26 inches", 1, 26, 2, 1, "Desirable", "High", "Dominant", "Preferred", 11.5 * 3.7 * OneTwelfth},
        {"28 inches", 1, 28, 2, 1, "Desirable", "High", "Dominant", "Preferred", -0.25 * 4.17},
        {"28 inches, objective 3", 3, 28, 2, 1, "Desirable", "High", "Dominant", "Preferred",
         11.5 * 4.17 * OneTwelfth},
        {"50 inches", 3, 50, 2, 1, "Desirable", "High", "Dominant", "Preferred", 11.5 * 5.26 * OneTwelfth},
        {"52 inches", 1, 52, 2, 1, "Desirable", "High", "Dominant", "Preferred", 0},
        {"small unacceptable", 1, 8, 0, 0, "Unacceptable", " ", " ", "Preferred", 0},
        {"height without grade", 1, 18, 2, 0, "Desirable", "High", "Dominant", "Preferred", 0},
        {"no objective", 0, 18, 2, 1, "Desirable", "High", "Dominant", "Preferred", 0},
        {"no objective, cull", 0, 18, 2, 1, "Desirable", "High", "Dominant", "Cull", 0},
    };
    for (const Case& c : cases) {
        const TreeRecord record = evaluateAfterValuedTree(c);
        EXPECT_EQ(record.treeValue, c.treeValue) << c.what;
        EXPECT_EQ(record.perAcreValue, c.treeValue * 10) << c.what;
    }
    EXPECT_NEAR(Sawtimber18, 1.955, 1e-12);
}

TEST(BottomlandTree, PlotFactor) {
    const Case tree{"sawtimber", 1, 18, 2, 1, "Desirable", "High", "Dominant", "Preferred", Sawtimber18};
    EXPECT_EQ(evaluateAfterValuedTree(tree, "Fifth acre").perAcreValue, Sawtimber18 * 5);
    EXPECT_EQ(evaluateAfterValuedTree(tree, "Quarter acre").perAcreValue, Sawtimber18 * 4);
    EXPECT_EQ(evaluateAfterValuedTree(tree, "Half acre").perAcreValue, Sawtimber18 * 2);
    EXPECT_EQ(evaluateAfterValuedTree(tree, " ").perAcreValue, Sawtimber18);
    // A plot size outside the table gives nothing per acre, not the previous tree's value.
    EXPECT_EQ(evaluateAfterValuedTree(tree, "Acre").perAcreValue, 0);
}
