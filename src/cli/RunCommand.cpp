#include "cli/RunCommand.h"

#include "cli/ResultsJson.h"
#include "cli/StandSession.h"
#include "cli/TextOutput.h"

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

    const std::string* labels[] = {&profile.standValueLabel, &profile.decisionLabel, &profile.cutoffLabel};
    const std::string* values[] = {&s.outcome.standValueText, &s.outcome.decisionText, &s.outcome.cutoffText};
    std::size_t width = 0;
    for (const std::string* l : labels)
        width = std::max(width, l->size());
    for (std::size_t i = 0; i < 3; ++i)
        out << *labels[i] << ':' << std::string(width - labels[i]->size() + 2, ' ') << visible(*values[i])
            << '\n';
    out << '\n';

    if (!s.fileNotices.empty()) printList("File notices", s.fileNotices, out);
    printList("Messages", s.outcome.allMessages(), out);
}

} // namespace

int runCommand(const Options& options, std::istream& in, std::ostream& out, std::ostream& err) {
    const StandSession s = runStand(options, in);
    if (!s.ok) {
        err << "timbra-cli: " << s.error << '\n';
        return 2;
    }
    if (options.json)
        printJson(s, *options.profile, out);
    else
        printReadable(s, *options.profile, out);
    return 0;
}

} // namespace timbra::cli
