#include "cli/ReportCommand.h"

#include "cli/StandSession.h"
#include "cli/TextOutput.h"
#include "core/file/PosixFile.h"
#include "core/grid/TrimSpaces.h"
#include "core/report/ReportContent.h"

#include <ostream>

namespace timbra::cli {

namespace {
ReportPdfWriter& pdfWriter() {
    static ReportPdfWriter writer;
    return writer;
}
} // namespace

void setReportPdfWriter(ReportPdfWriter writer) {
    pdfWriter() = std::move(writer);
}

std::string reportGateFailure(const StandResults& r, const ObjectiveBoxes& boxes,
                              const ProgramProfile& profile) {
    if (reportGatePasses(&r, true)) return {};
    if (tickedObjectives(boxes, profile.objectiveCount).empty()) return "no objective is ticked";
    if (r.decision == timbra::Decision::Error)
        return "objective " + std::to_string(r.decidingObjective()) + " has no cut-off index in the " +
               r.province + " province";
    if (profile.hasProvince && r.decidingObjective() == 0) {
        if (trimSpaces(r.province).empty()) return "the stand has no physiographic province";
        return "the province \"" + r.province + "\" has no cut-off indexes";
    }
    return "the run set no cut-off index";
}

int reportCommand(const Options& options, std::istream& in, std::ostream& out, std::ostream& err) {
    if (!options.pdfPath.empty() && !pdfWriter()) {
        printError("--pdf is not available in this build", err);
        return 2;
    }
    // The tally may come through standard input: /dev/stdin names whatever file that is.
    const std::string& tally = options.files.front() == "-" ? "/dev/stdin" : options.files.front();
    if (!options.pdfPath.empty() && sameFile(tally, options.pdfPath)) {
        printError("cannot write the report to \"" + options.pdfPath + "\": it is the tally being read", err);
        return 2;
    }
    const StandSession s = runStand(options, in);
    if (!s.ok) {
        printError(s.error, err);
        return 2;
    }
    const StandResults& results = s.outcome.results;
    if (const std::string why = reportGateFailure(results, s.boxes, *options.profile); !why.empty()) {
        printError("no report: " + why, err);
        return 1;
    }

    Sheet report;
    setUpReportSheet(report);
    fillReport(report, results, options.profile->hasProvince);
    if (!options.pdfPath.empty())
        if (const std::string error = pdfWriter()(report, results, s.statistics, options.profile->programName,
                                                  options.pageSize, options.pdfPath);
            !error.empty()) {
            printError(error, err);
            return 2;
        }
    if (options.csv)
        for (int row = 1; row <= ReportRows; ++row) {
            std::vector<std::string> cells;
            for (int col = 1; col <= ReportColumns; ++col)
                cells.push_back(report.GetText(col, row));
            out << csvLine(cells);
        }
    return 0;
}

} // namespace timbra::cli
