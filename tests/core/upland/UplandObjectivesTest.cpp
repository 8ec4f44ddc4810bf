#include "core/model/TallyBuilder.h"
#include "upland/UplandModel.h"

#include <gtest/gtest.h>

using namespace timbra;

TEST(UplandObjectives, RewriteRules) {
    test::expectRewrites(test::UplandRows, upland::rewriteForObjective,
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
}

TEST(UplandObjectives, SwitchingBackIsNotAnIdentity) {
    Sheet sheet = test::tally(test::UplandRows, 1, "Fifth acre", "",
                              {{1, 14, 2, 1, "Desirable", "High", "Dominant", "Reserve", "SUM"}});
    upland::rewriteForObjective(sheet, 3);
    upland::rewriteForObjective(sheet, 1);
    EXPECT_EQ(sheet.GetText(4, 6), "Acceptable");
    EXPECT_EQ(sheet.GetText(10, 6), "Preferred");
}

TEST(UplandObjectives, PassRange) {
    // Row 1500 is rewritten by objectives 2 and 3 only.
    for (int objective = 1; objective <= 4; ++objective) {
        Sheet sheet = test::tally(test::UplandRows, 1, "Fifth acre", "");
        test::setTree(sheet, 1500, {1, 24, 2, 1, "Desirable", "High", "Dominant", "Reserve", "SUM"});
        upland::rewriteForObjective(sheet, objective);
        EXPECT_EQ(sheet.GetText(10, 1500), objective == 2 || objective == 3 ? "Cutting Stock" : "Reserve")
            << objective;
    }
    // Rows after a plot number 0 are still rewritten; row 6 is rewritten whatever its plot number.
    Sheet sheet = test::tally(test::UplandRows, 1, "Fifth acre", "", {{0, 24}});
    test::setTree(sheet, 9, {1, 24});
    upland::rewriteForObjective(sheet, 2);
    EXPECT_EQ(sheet.GetText(10, 6), "Cutting Stock");
    EXPECT_EQ(sheet.GetText(10, 9), "Cutting Stock");
}
