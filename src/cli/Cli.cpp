#include "cli/Cli.h"

#include <ostream>

namespace timbra::cli {

int run(const std::vector<std::string>&, std::istream&, std::ostream&, std::ostream& err)
{
    err << "timbra-cli: not built yet\n";
    return 2;
}

} // namespace timbra::cli
