#pragma once

#include "cli/Cli.h"
#include "cli/StandSession.h"
#include "core/model/TallyBuilder.h"
#include "input/TallyFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
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

// Trees default to a 14-inch, two-log, grade 1 white oak that is desirable, vigorous, dominant
// and preferred.
using Tree = ::timbra::test::Tree;

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
inline std::string standFile(const std::string& name, const Stand& stand) {
    Sheet s = openingTally(timbraProfile());
    s.SetText(3, 2, stand.name);
    s.SetText(10, 3, stand.province);
    s.SetInteger(10, 2, stand.plots);
    int row = 6;
    for (const Tree& t : stand.trees)
        ::timbra::test::setTree(s, row++, t);
    return scratchFile(name, formatTallyText(s));
}

// Runs a shell command line; gives its exit status and standard output.
inline std::pair<int, std::string> shell(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return {-1, out};
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

inline const std::string Exe = std::string("'") + TIMBRA_CLI_EXE + "'";

} // namespace timbra::cli::test
