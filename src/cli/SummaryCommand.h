#pragma once

#include "cli/Arguments.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace timbra::cli {

// One summary row: a stand's header, its trees, and its result under every objective; or, for a
// file that could not be read, the reason.
struct SummaryRow {
    std::string file;
    std::string error;              // empty when the file was read
    std::string notice;             // the file looks like the other program's tally
    std::vector<std::string> cells; // the columns after "File", see summaryHeadings
};

std::vector<std::string> summaryHeadings(const ProgramProfile& profile);

// Summarises the files on both cores, in input order. "-" stands for `stdinBytes`.
std::vector<SummaryRow> summarize(const ProgramProfile& profile, const std::vector<std::string>& files,
                                  const std::string& stdinBytes);

// `summary FILE...`: a table or CSV; exit status 1 when any file could not be read.
int summaryCommand(const Options& options, std::istream& in, std::ostream& out, std::ostream& err);

} // namespace timbra::cli
