// The bottomland model: tree values and the objectives' rewrite passes
// (tests/data/cases/bottomland.json).
#include "bottomland/BottomlandModel.h"
#include "bottomland/TreeRecord.h"
#include "core/TestFiles.h"

#include <gtest/gtest.h>

using namespace timbra;
using test::Tree;

// Each tree is valued on a record that has just valued another, so a tree no rule values shows 0
// and not the value carried over.
TEST(BottomlandTree, ValuationRules) {
    for (const auto& c : test::cases("bottomland", "valuation")) {
        const int objective = c[1];
        const Tree t = test::treeOf(c[2]);
        bottomland::TreeRecord record;
        record.SetStand(3, c.size() > 4 ? c[4] : "Tenth acre", objective == 1, objective == 2,
                        objective == 3);
        record.Evaluate(10, 0, 0, "Desirable", " ", " ", "Preferred");
        record.Evaluate(t.dbh, t.height, t.grade, t.speciesClass, t.vigor, t.crownClass, t.treeClass);
        const double value = test::productOf(c[3]);
        EXPECT_DOUBLE_EQ(record.treeValue, value) << c[0];
        EXPECT_DOUBLE_EQ(record.perAcreValue, c.size() > 4 ? test::productOf(c[5]) : value * 10) << c[0];
    }
}

// Every objective passes over rows 6 to 1500, not over the grid's extra row 1501.
TEST(BottomlandObjectives, RewriteRulesAndRows) {
    test::expectRewrites(
        test::BottomlandRows, bottomland::rewriteForObjective, [](int) { return 1500; },
        test::cases("bottomland", "rewrites"));
}
