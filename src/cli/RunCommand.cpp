#include "cli/RunCommand.h"

#include "cli/ResultsJson.h"
#include "cli/StandSession.h"
#include "cli/TextOutput.h"
#include "core/model/ValueFormat.h"

#include <ostream>

namespace timbra::cli {

namespace {

void printJson(const StandSession& s, const ProgramProfile& profile, std::ostream& out) {
    nlohmann::ordered_json j;
    j["model"] = profile.modelName;
    j["objectives"] = tickedObjectives(s.boxes, profile.objectiveCount);
    j["messages"] = s.outcome.allMessages();
    j["fileNotices"] = s.fileNotices;
    j["boxes"] = {{"standValue", s.outcome.standValueText},
                  {"decision", s.outcome.decisionText},
                  {"cutoff", s.outcome.cutoffText}};
    j["results"] = resultsToJson(s.outcome.results, profile.hasProvince);
    j["statistics"] = samplingToJson(s.statistics.sampling);
    j["standTable"] = standTableToJson(s.statistics.standTable);
    out << j.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

void printList(const char* title, const std::vector<std::string>& lines, std::ostream& out) {
    out << title << ':';
    if (lines.empty()) out << " none";
    out << '\n';
    for (const std::string& line : lines)
        out << "  " << visible(line) << '\n';
}

void printReadable(const StandSession& s, const ProgramProfile& profile, std::ostream& out) {
    const std::vector<int> ticked = tickedObjectives(s.boxes, profile.objectiveCount);
    out << "Stand: " << visible(s.outcome.results.standName) << '\n';
    out << "Model: " << profile.modelName << ", ";
    if (ticked.empty()) out << "no objective ticked";
    for (std::size_t i = 0; i < ticked.size(); ++i)
        out << (i ? ", " : "objective ") << ticked[i];
    out << "\n\n";

    // The three boxes as the dialog shows them, then how sure the plots make the decision.
    using Lines = std::vector<std::pair<std::string, std::string>>;
    auto printLines = [&out](const Lines& lines) {
        std::size_t width = 0;
        for (const auto& [label, value] : lines)
            width = std::max(width, label.size());
        for (const auto& [label, value] : lines)
            out << label << ':' << std::string(width - label.size() + 2, ' ') << visible(value) << '\n';
        out << '\n';
    };
    printLines({{profile.standValueLabel, s.outcome.standValueText},
                {profile.decisionLabel, s.outcome.decisionText},
                {profile.cutoffLabel, s.outcome.cutoffText}});
    const SamplingStatistics& st = s.statistics.sampling;
    printLines({{"95% interval", st.low ? formatFixed(*st.low, 1) + " to " + formatFixed(*st.high, 1) + " (" +
                                              std::to_string(st.plots) + " plots)"
                                        : NotAValueText},
                // One-sided, while settled needs the threshold outside the two-sided interval: said,
                // so that 97.1% beside "Not settled" does not read as a contradiction.
                {"Confidence", st.confidence ? formatFixed(*st.confidence * 100, 1) +
                                                   "% that the true mean is on this side of the threshold "
                                                   "(one-sided; settled needs 97.5%)"
                                             : NotAValueText},
                {"Plots to settle", st.plotsToSettle ? std::to_string(*st.plotsToSettle) : NotAValueText},
                {"How sure", decisionLine(st)}});

    if (!s.fileNotices.empty()) printList("File notices", s.fileNotices, out);
    printList("Messages", s.outcome.allMessages(), out);
}

} // namespace

int runCommand(const Options& options, std::istream& in, std::ostream& out, std::ostream& err) {
    const StandSession s = runStand(options, in);
    if (!s.ok) {
        printError(s.error, err);
        return 2;
    }
    if (options.json)
        printJson(s, *options.profile, out);
    else
        printReadable(s, *options.profile, out);
    return 0;
}

} // namespace timbra::cli
