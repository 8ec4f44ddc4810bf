#pragma once

// Builds tally sheets in code for the model tests, laid out as the input dialog leaves them:
// header cells in rows 2 and 3, blank tree rows (0 in the number columns, " " in the text columns)
// from row 6 down.

#include "grid/Sheet.h"

#include <string>
#include <string_view>

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

// A small tree with no sawtimber data, the way a 6- to 10-inch tree is tallied.
inline Tree pole(int plot, int dbh = 8) {
    return Tree{plot, dbh, 0, 0, "Acceptable", " ", " ", "Reserve", "RM"};
}

inline Sheet blankTally(int rows) {
    Sheet sheet(10, rows);
    for (int row = 6; row <= rows; ++row) {
        for (int col : {1, 5, 7})
            sheet.SetInteger(col, row, 0);
        sheet.SetFloat(6, row, 0.0);
        for (int col : {3, 4, 8, 9, 10})
            sheet.SetText(col, row, " ");
    }
    return sheet;
}

inline void setHeader(Sheet& sheet, int plots, std::string_view plotSize, std::string_view province = "") {
    sheet.SetText(3, 2, "Test stand");
    sheet.SetText(3, 3, "North slope");
    sheet.SetText(8, 2, plotSize);
    sheet.SetInteger(10, 2, plots);
    sheet.SetText(10, 3, province);
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

// A tally whose trees fill rows 6 on, in order.
template <typename Trees>
Sheet tally(int rows, int plots, std::string_view plotSize, std::string_view province, const Trees& trees) {
    Sheet sheet = blankTally(rows);
    setHeader(sheet, plots, plotSize, province);
    int row = 6;
    for (const Tree& tree : trees)
        setTree(sheet, row++, tree);
    return sheet;
}

} // namespace timbra::test
