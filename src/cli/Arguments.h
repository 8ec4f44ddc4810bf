#pragma once

#include "core/app/ProgramProfile.h"

#include <optional>
#include <string>
#include <vector>

namespace timbra::cli {

enum class Command { Help, Version, Run, Summary, Report, Import };

// A command line, checked: every option belongs to its command and every value is in range.
struct Options {
    Command command = Command::Help;
    std::vector<std::string> files; // "-" reads the tally from standard input
    const ProgramProfile* profile = nullptr;
    std::optional<int> objective; // 0: no box ticked
    bool keepClasses = false;
    bool json = false;
    bool csv = false;
    std::string pdfPath;     // report only; empty when not asked for
    std::string pageSize;    // report --pdf: "letter" or "a4"; empty for the default page size
    std::string mappingPath; // import: the saved mapping
    std::string outFolder;   // import: where the tallies go
    bool dryRun = false;     // import: the audit only
};

struct ParsedArguments {
    Options options;
    std::string error; // empty when the arguments are usable
    bool ok() const { return error.empty(); }
};

ParsedArguments parseArguments(const std::vector<std::string>& args);

// The --help text.
const char* usageText();

} // namespace timbra::cli
