#pragma once

#include "cli/Arguments.h"

#include <iosfwd>

namespace timbra::cli {

// `run FILE`: one stand, with its result boxes and messages, readable or as JSON.
int runCommand(const Options& options, std::istream& in, std::ostream& out, std::ostream& err);

} // namespace timbra::cli
