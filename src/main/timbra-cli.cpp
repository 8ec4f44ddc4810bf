#include "cli/Cli.h"
#include "cli/StandardStreams.h"
#ifdef TIMBRA_WITH_PDF
#include "cli/ReportCommand.h"
#include "gui/report/ReportPdf.h"
#endif

#include <csignal>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv) {
#ifdef TIMBRA_WITH_PDF
    // `report --pdf` prints through the desktop programs' grid printing.
    timbra::cli::setReportPdfWriter(&writeReportPdf);
#endif
    // Under a file-size limit a write fails with a reason instead of ending the process.
    std::signal(SIGXFSZ, SIG_IGN);
    timbra::cli::FdInputBuffer inBuffer(STDIN_FILENO);
    timbra::cli::FdOutputBuffer outBuffer(STDOUT_FILENO);
    std::istream in(&inBuffer);
    std::ostream out(&outBuffer);
    std::vector<std::string> args(argv + 1, argv + argc);
    return timbra::cli::run(args, in, out, std::cerr);
}
