#pragma once

#include "cli/Arguments.h"

#include <iosfwd>

namespace timbra::cli {

// `import FILE --mapping MAP.json --out DIR`: a headed tree list made into one tally file per stand,
// with the audit of every row or value refused, changed or left out, readable or as JSON.
int importCommand(const Options& options, std::istream& in, std::ostream& out, std::ostream& err);

} // namespace timbra::cli
