#pragma once

// Tallies built in code for the core and command-line tests, laid out as the input dialog leaves
// them: the header cells in rows 2 and 3, blank tree rows (0 in the number columns, " " in the
// text columns) from row 6 down. The one place in the tests that knows where a tally's cells are.

#include "core/app/ProgramProfile.h"
#include "core/grid/Sheet.h"
#include "core/input/TallyCommands.h"
#include "core/input/TallyLayout.h"

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
    sheet.SetInteger(PlotColumn, row, tree.plot);
    sheet.SetText(SpeciesColumn, row, tree.speciesCode);
    sheet.SetText(SpeciesClassColumn, row, tree.speciesClass);
    sheet.SetInteger(DbhColumn, row, tree.dbh);
    sheet.SetFloat(HeightColumn, row, tree.height);
    sheet.SetInteger(GradeColumn, row, tree.grade);
    sheet.SetText(VigorColumn, row, tree.vigor);
    sheet.SetText(CrownClassColumn, row, tree.crownClass);
    sheet.SetText(TreeClassColumn, row, tree.treeClass);
}

inline void setStand(Sheet& sheet, const Header& header, const std::vector<Tree>& trees) {
    const auto set = [&](TallyCell cell, const std::string& text) {
        sheet.SetText(cell.col, cell.row, text);
    };
    set(StandNameCell, header.name);
    set(StandLocationCell, header.location);
    set(PlotSizeCell, header.plotSize);
    sheet.SetInteger(NumberOfPlotsCell.col, NumberOfPlotsCell.row, header.plots);
    set(ProvinceCell, header.province);
    int row = FirstTreeRow;
    for (const Tree& tree : trees)
        setTree(sheet, row++, tree);
}

// A bare grid of `rows` rows whose trees fill rows 6 on, in order; every other tree row is blank.
inline Sheet tally(int rows, const Header& header, const std::vector<Tree>& trees = {}) {
    Sheet sheet(LastTallyColumn, rows);
    for (int row = FirstTreeRow; row <= rows; ++row)
        setTree(sheet, row, Tree{0, 0, 0, 0, " ", " ", " ", " ", " "});
    setStand(sheet, header, trees);
    return sheet;
}

// The program's tally grid as the input dialog opens it.
inline Sheet openingTally(const ProgramProfile& profile) {
    Sheet sheet = profile.loadTallyGrid();
    prepareTallyForDialog(sheet);
    return sheet;
}

inline Sheet openingTally(const ProgramProfile& profile, const Header& header,
                          const std::vector<Tree>& trees) {
    Sheet sheet = openingTally(profile);
    setStand(sheet, header, trees);
    return sheet;
}

} // namespace timbra::test
