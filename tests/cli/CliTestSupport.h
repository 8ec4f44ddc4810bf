#pragma once

#include "cli/Cli.h"
#include "cli/StandSession.h"
#include "input/TallyFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace timbra::cli::test {

struct CliResult {
    int code = -1;
    std::string out, err;
};

inline CliResult runCli(const std::vector<std::string>& args, const std::string& input = {}) {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int code = run(args, in, out, err);
    return {code, out.str(), err.str()};
}

inline const std::string UplandExample = TIMBRA_EXAMPLES "/upland-ridge-stand.txt";
inline const std::string BottomlandExample = TIMBRA_EXAMPLES "/bottomland-creek-stand.txt";

// One tally row: plot, species code, species class, DBH, height, grade, vigor, crown, tree class.
struct Tree {
    int plot;
    const char *code, *speciesClass;
    int dbh;
    double height;
    int grade;
    const char *vigor, *crown, *treeClass;
};

struct Stand {
    std::string name = "Test stand";
    std::string province = "Cumberland"; // upland only
    int plots = 1;
    std::vector<Tree> trees;
};

// A file in the test's scratch folder.
inline std::string scratchFile(const std::string& name, const std::string& bytes) {
    const std::string path = ::testing::TempDir() + "timbra-cli-" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

// The stand saved as the program saves it, from the grid the input dialog opens with.
inline std::string standFile(const std::string& name, const Stand& stand,
                             const ProgramProfile& profile = timbraProfile()) {
    Sheet s = openingTally(profile);
    s.SetText(3, 2, stand.name);
    if (profile.hasProvince) s.SetText(10, 3, stand.province);
    s.SetInteger(10, 2, stand.plots);
    int row = 6;
    for (const Tree& t : stand.trees) {
        s.SetInteger(1, row, t.plot);
        s.SetText(3, row, t.code);
        s.SetText(4, row, t.speciesClass);
        s.SetInteger(5, row, t.dbh);
        s.SetFloat(6, row, t.height);
        s.SetInteger(7, row, t.grade);
        s.SetText(8, row, t.vigor);
        s.SetText(9, row, t.crown);
        s.SetText(10, row++, t.treeClass);
    }
    return scratchFile(name, formatTallyText(s));
}

} // namespace timbra::cli::test
