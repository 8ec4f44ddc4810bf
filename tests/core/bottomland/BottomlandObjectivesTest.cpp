#include "bottomland/BottomlandModel.h"
#include "core/model/TallyBuilder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace timbra;

namespace {

struct Case {
    int objective;
    std::string code;
    std::string speciesClass;
    int dbh;
    std::string treeClass;
    std::string wantSpecies;
    std::string wantTree;
};

void putTree(Sheet& sheet, int row, int plot, const std::string& code, const std::string& speciesClass,
             int dbh, const std::string& treeClass) {
    test::Tree tree;
    tree.plot = plot;
    tree.speciesCode = code;
    tree.speciesClass = speciesClass;
    tree.dbh = dbh;
    tree.treeClass = treeClass;
    test::setTree(sheet, row, tree);
}

} // namespace

TEST(BottomlandObjectives, RewriteRules) {
    const std::vector<Case> cases{
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
    };
    for (const Case& c : cases) {
        Sheet sheet = test::blankTally(test::BottomlandRows);
        putTree(sheet, 6, 1, c.code, c.speciesClass, c.dbh, c.treeClass);
        bottomland::rewriteForObjective(sheet, c.objective);
        EXPECT_EQ(sheet.GetText(4, 6), c.wantSpecies) << c.objective << " " << c.code << " " << c.dbh;
        EXPECT_EQ(sheet.GetText(10, 6), c.wantTree) << c.objective << " " << c.code << " " << c.dbh;
    }
}

TEST(BottomlandObjectives, PassReachesRow1500AndRowsAfterAGap) {
    Sheet sheet = test::blankTally(test::BottomlandRows);
    putTree(sheet, 6, 1, "WO", "Desirable", 30, "Reserve");
    putTree(sheet, 9, 2, "WO", "Desirable", 30, "Reserve"); // rows 7 and 8 hold plot number 0
    putTree(sheet, 1500, 3, "WO", "Desirable", 30, "Reserve");
    putTree(sheet, 1501, 3, "WO", "Desirable", 30, "Reserve"); // beyond the tally: never rewritten
    bottomland::rewriteForObjective(sheet, 1);
    for (int row : {6, 9, 1500})
        EXPECT_EQ(sheet.GetText(10, row), "Cutting Stock") << row;
    EXPECT_EQ(sheet.GetText(10, 1501), "Reserve");
    bottomland::rewriteForObjective(sheet, 3);
    EXPECT_EQ(sheet.GetText(10, 9), "Preferred");
}
