#include "cli/Cli.h"

#include "cli/Arguments.h"
#include "cli/ImportCommand.h"
#include "cli/ReportCommand.h"
#include "cli/RunCommand.h"
#include "cli/StandardStreams.h"
#include "cli/SummaryCommand.h"
#include "cli/TextOutput.h"

#include "core/app/Version.h"

#include <ostream>

namespace timbra::cli {

namespace {

int dispatch(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
    const ParsedArguments parsed = parseArguments(args);
    if (!parsed.ok()) {
        printError(parsed.error + " (see timbra-cli --help)", err);
        return 2;
    }
    const Options& o = parsed.options;
    switch (o.command) {
    case Command::Help:
        out << usageText();
        return 0;
    case Command::Version:
        out << "timbra-cli " << version << '\n';
        return 0;
    case Command::Run:
        return runCommand(o, in, out, err);
    case Command::Summary:
        return summaryCommand(o, in, out, err);
    case Command::Report:
        return reportCommand(o, in, out, err);
    case Command::Import:
        return importCommand(o, in, out, err);
    }
    return 2;
}

} // namespace

int run(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
    const int code = dispatch(args, in, out, err);
    // Output that did not reach its file (a full disk, a closed pipe) is a failure, never success.
    out.flush();
    if (const std::string why = streamError(out); !why.empty()) {
        printError("cannot write the output: " + why, err);
        return 2;
    }
    return code;
}

} // namespace timbra::cli
