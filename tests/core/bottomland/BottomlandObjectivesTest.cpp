#include "bottomland/BottomlandModel.h"
#include "core/model/TallyBuilder.h"

#include <gtest/gtest.h>

using namespace timbra;

TEST(BottomlandObjectives, RewriteRules) {
    test::expectRewrites(test::BottomlandRows, bottomland::rewriteForObjective,
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
}

TEST(BottomlandObjectives, PassReachesRow1500AndRowsAfterAGap) {
    const test::Tree big{1, 30, 2, 1, "Desirable", "High", "Dominant", "Reserve"};
    Sheet sheet = test::tally(test::BottomlandRows, 1, "Tenth acre", "", {big});
    test::setTree(sheet, 9, big); // rows 7 and 8 hold plot number 0
    test::setTree(sheet, 1500, big);
    test::setTree(sheet, 1501, big); // beyond the tally: never rewritten
    bottomland::rewriteForObjective(sheet, 1);
    for (int row : {6, 9, 1500})
        EXPECT_EQ(sheet.GetText(10, row), "Cutting Stock") << row;
    EXPECT_EQ(sheet.GetText(10, 1501), "Reserve");
    bottomland::rewriteForObjective(sheet, 3);
    EXPECT_EQ(sheet.GetText(10, 9), "Preferred");
}
