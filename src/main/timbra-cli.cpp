#include "cli/Cli.h"
#ifdef TIMBRA_WITH_PDF
#include "cli/ReportCommand.h"
#include "report/ReportPdf.h"
#endif

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
#ifdef TIMBRA_WITH_PDF
    // `report --pdf` prints through the desktop programs' grid printing.
    timbra::cli::setReportPdfWriter(&writeReportPdf);
#endif
    std::vector<std::string> args(argv + 1, argv + argc);
    return timbra::cli::run(args, std::cin, std::cout, std::cerr);
}
