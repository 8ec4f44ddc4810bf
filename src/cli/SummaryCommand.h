#pragma once

#include "cli/Arguments.h"

#include <iosfwd>

namespace timbra::cli {

// `summary FILE...`: a table or CSV, and with --xlsx a workbook, of every tally named or listed in
// a tract file named; exit status 1 when any file could not be read.
int summaryCommand(const Options& options, std::istream& in, std::ostream& out, std::ostream& err);

} // namespace timbra::cli
