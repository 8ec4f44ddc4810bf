#pragma once

// Tallies built in code for the core and command-line tests, laid out as the input dialog leaves
// them: the header cells in rows 2 and 3, blank tree rows (0 in the number columns, " " in the
// text columns) from row 6 down. The one place in the tests that knows where a tally's cells are.

#include "app/ProgramProfile.h"
#include "grid/Sheet.h"
#include "input/TallyCommands.h"

#include <string>
#include <vector>

namespace timbra::test {

inline constexpr int UplandRows = 1500;
inline constexpr int BottomlandRows = 1501;

// Trees default to a 14-inch, two-log, grade 1 white oak that is desirable, vigorous, dominant and
// preferred.
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

struct Header {
    std::string name = "Test stand";
    std::string location = "North slope";
    std::string plotSize = "Fifth acre";
    int plots = 1;
    std::string province; // upland only
};

// The tree in grid row `row` (tree n is in row n + 5).
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

inline void setStand(Sheet& sheet, const Header& header, const std::vector<Tree>& trees) {
    sheet.SetText(3, 2, header.name);
    sheet.SetText(3, 3, header.location);
    sheet.SetText(8, 2, header.plotSize);
    sheet.SetInteger(10, 2, header.plots);
    sheet.SetText(10, 3, header.province);
    int row = 6;
    for (const Tree& tree : trees)
        setTree(sheet, row++, tree);
}

// A bare grid of `rows` rows whose trees fill rows 6 on, in order; every other tree row is blank.
inline Sheet tally(int rows, const Header& header, const std::vector<Tree>& trees = {}) {
    Sheet sheet(10, rows);
    for (int row = 6; row <= rows; ++row)
        setTree(sheet, row, Tree{0, 0, 0, 0, " ", " ", " ", " ", " "});
    setStand(sheet, header, trees);
    return sheet;
}

// The program's tally grid as the input dialog opens it.
inline Sheet openingTally(const ProgramProfile& profile) {
    Sheet sheet = profile.loadTallyGrid();
    prepareTallyForDialog(sheet, profile.tally);
    return sheet;
}

inline Sheet openingTally(const ProgramProfile& profile, const Header& header,
                          const std::vector<Tree>& trees) {
    Sheet sheet = openingTally(profile);
    setStand(sheet, header, trees);
    return sheet;
}

} // namespace timbra::test
