#pragma once

#include "cli/Cli.h"
#include "cli/StandSession.h"
#include "core/TestFiles.h"
#include "core/input/TallyFile.h"

#include <cstdio>
#include <sys/wait.h>

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
