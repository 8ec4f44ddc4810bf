#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace timbra::cli {

// timbra-cli: runs, batch summaries and reports without a display. Returns the exit status; output
// that could not be written is told on `err` and exits 2.
int run(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

} // namespace timbra::cli
