#pragma once

// Tally sheets built in code for the model tests, laid out as the input dialog leaves them: header
// cells in rows 2 and 3, blank tree rows (0 in the number columns, " " in the text columns) from
// row 6 down.

#include "grid/Sheet.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace timbra::test {

inline constexpr int UplandRows = 1500;
inline constexpr int BottomlandRows = 1501;

struct Tree {
    int plot = 1;
    int dbh = 14;
    double height = 2;
    int grade = 1;
    std::string speciesClass = "Desirable";
    std::string vigor = "High";
    std::string crownClass = "Dominant";
    std::string treeClass = "Preferred";
    std::string speciesCode = "WO";
};

// A tree with no sawtimber data, the way a 6- to 10-inch tree is tallied.
inline Tree pole(int plot, int dbh = 8) {
    return Tree{plot, dbh, 0, 0, "Acceptable", " ", " ", "Reserve", "RM"};
}

inline void setTree(Sheet& sheet, int row, const Tree& tree) {
    sheet.SetInteger(1, row, tree.plot);
    sheet.SetText(3, row, tree.speciesCode);
    sheet.SetText(4, row, tree.speciesClass);
    sheet.SetInteger(5, row, tree.dbh);
    sheet.SetFloat(6, row, tree.height);
    sheet.SetInteger(7, row, tree.grade);
    sheet.SetText(8, row, tree.vigor);
    sheet.SetText(9, row, tree.crownClass);
    sheet.SetText(10, row, tree.treeClass);
}

// A tally whose trees fill rows 6 on, in order; every other tree row is blank.
inline Sheet tally(int rows, int plots, std::string_view plotSize, std::string_view province,
                   const std::vector<Tree>& trees = {}) {
    Sheet sheet(10, rows);
    sheet.SetText(3, 2, "Test stand");
    sheet.SetText(3, 3, "North slope");
    sheet.SetText(8, 2, plotSize);
    sheet.SetInteger(10, 2, plots);
    sheet.SetText(10, 3, province);
    for (int row = 6; row <= rows; ++row)
        setTree(sheet, row, Tree{0, 0, 0, 0, " ", " ", " ", " ", " "});
    int row = 6;
    for (const Tree& tree : trees)
        setTree(sheet, row++, tree);
    return sheet;
}

// One tree in row 6 rewritten by ticking an objective: the species and tree class it is left with.
struct RewriteCase {
    int objective;
    const char* code;
    const char* speciesClass;
    int dbh;
    const char* treeClass;
    const char* wantSpecies;
    const char* wantTree;
};

template <typename Rewrite>
void expectRewrites(int rows, Rewrite rewrite, const std::vector<RewriteCase>& cases) {
    for (const RewriteCase& c : cases) {
        Sheet sheet = tally(rows, 1, "Tenth acre", "");
        setTree(sheet, 6, Tree{1, c.dbh, 2, 1, c.speciesClass, "High", "Dominant", c.treeClass, c.code});
        rewrite(sheet, c.objective);
        const std::string where = std::to_string(c.objective) + " " + c.code + " " + std::to_string(c.dbh);
        EXPECT_EQ(sheet.GetText(4, 6), c.wantSpecies) << where;
        EXPECT_EQ(sheet.GetText(10, 6), c.wantTree) << where;
    }
}

} // namespace timbra::test
