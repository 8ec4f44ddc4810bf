#pragma once

#include "app/ProgramProfile.h"
#include "cli/Cli.h"
#include "cli/StandSession.h"
#include "input/TallyFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <initializer_list>
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
    CliResult r;
    r.code = run(args, in, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

inline std::string example(const char* name) {
    return std::string(TIMBRA_EXAMPLES) + "/" + name;
}
inline const std::string UplandExample = example("upland-ridge-stand.txt");
inline const std::string BottomlandExample = example("bottomland-creek-stand.txt");

// One tally row as typed: plot, species code, species class, DBH, height, grade, vigor, crown, tree class.
struct Tree {
    int plot;
    const char* code;
    const char* speciesClass;
    int dbh;
    double height;
    int grade;
    const char* vigor;
    const char* crown;
    const char* treeClass;
};

struct Stand {
    std::string name = "Test stand";
    std::string location = "Test location";
    std::string plotSize = "Fifth acre";
    std::string province = "Cumberland"; // upland only
    int plots = 1;
    std::vector<Tree> trees;
};

// The tally as the program would save it, starting from the grid the input dialog opens with.
inline Sheet standSheet(const ProgramProfile& profile, const Stand& stand) {
    Sheet s = openingTally(profile);
    s.SetText(3, 2, stand.name);
    s.SetText(3, 3, stand.location);
    s.SetText(8, 2, stand.plotSize);
    if (profile.hasProvince) s.SetText(10, 3, stand.province);
    s.SetInteger(10, 2, stand.plots);
    int row = 6;
    for (const Tree& t : stand.trees) {
        s.SetInteger(1, row, t.plot);
        s.SetInteger(2, row, row - 5);
        s.SetText(3, row, t.code);
        s.SetText(4, row, t.speciesClass);
        s.SetInteger(5, row, t.dbh);
        s.SetFloat(6, row, t.height);
        s.SetInteger(7, row, t.grade);
        s.SetText(8, row, t.vigor);
        s.SetText(9, row, t.crown);
        s.SetText(10, row, t.treeClass);
        ++row;
    }
    return s;
}

// A file in the test's scratch folder holding `bytes`.
inline std::string scratchFile(const std::string& name, const std::string& bytes) {
    const std::string path = ::testing::TempDir() + "timbra-cli-" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

inline std::string standFile(const std::string& name, const ProgramProfile& profile, const Stand& stand) {
    return scratchFile(name, formatTallyText(standSheet(profile, stand)));
}

} // namespace timbra::cli::test
