// The bottomland model: tree values and the objectives' rewrite passes
// (tests/data/cases/bottomland.json).
#include "core/TestFiles.h"
#include "core/bottomland/BottomlandModel.h"
#include "core/bottomland/TreeRecord.h"

#include <gtest/gtest.h>

using namespace timbra;
using test::Tree;

TEST(BottomlandTree, ValuationRules) {
    test::expectValuations(
        "bottomland", "Tenth acre", 10, [](int objective, const std::string& plotSize, const Tree& t) {
            bottomland::TreeRecord record;
            record.SetStand(3, plotSize, objective == 1, objective == 2, objective == 3);
            record.Evaluate(10, 0, 0, "Desirable", " ", " ", "Preferred");
            record.Evaluate(t.dbh, t.height, t.grade, t.speciesClass, t.vigor, t.crownClass, t.treeClass);
            return record;
        });
}

// Every objective passes over rows 6 to 1500, not over the grid's extra row 1501.
TEST(BottomlandObjectives, RewriteRulesAndRows) {
    test::expectRewrites(
        bottomland::model, test::BottomlandRows, [](int) { return 1500; },
        test::cases("bottomland", "rewrites"));
}

// Each objective's cut-off; the last ticked objective decides.
TEST(BottomlandRun, CutoffByObjective) {
    const double cutoffs[] = {50, 35, 44};
    for (int objective = 1; objective <= 3; ++objective) {
        ObjectiveBoxes boxes;
        boxes.checked[static_cast<std::size_t>(objective - 1)] = true;
        const RunOutcome outcome =
            bottomland::model.run(test::tally(test::BottomlandRows, {}, {Tree{}}), boxes);
        EXPECT_EQ(outcome.results.cutoffIndex, cutoffs[objective - 1]) << objective;
        EXPECT_EQ(outcome.results.objectiveNumber, objective);
    }
}
