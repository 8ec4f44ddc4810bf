#include "core/tract/SummaryTable.h"

#include "core/grid/DelimitedText.h"
#include "core/model/ValueFormat.h"
#include "core/tract/StandJudge.h"

namespace timbra {

namespace {

// A figure to one decimal, as the result boxes show values; "n/a" when it does not exist.
std::string figure(const std::optional<double>& value) {
    return value ? formatFixed(*value, 1) : NotAValueText;
}

std::string yesNo(const std::optional<bool>& value) {
    return value ? (*value ? "yes" : "no") : NotAValueText;
}

void appendCsvLine(std::string& out, const std::vector<std::string>& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i) out.push_back(',');
        out += quoteCell(cells[i], ',');
    }
    out.push_back('\n');
}

} // namespace

std::vector<std::string> summaryHeadings(const ProgramProfile& profile) {
    std::vector<std::string> h{"File", "Stand name", "Location", "Plot size"};
    if (profile.hasProvince) h.push_back("Province");
    h.insert(h.end(), {"Plots", "Trees", "Trees with messages"});
    for (int k = 1; k <= profile.objectiveCount; ++k) {
        const std::string n = std::to_string(k);
        h.insert(h.end(), {"Value " + n, "Decision " + n, "Cut-off " + n});
    }
    h.insert(h.end(), {"Trees/acre", "Basal area/acre", "QMD"});
    for (int k = 1; k <= profile.objectiveCount; ++k) {
        const std::string n = std::to_string(k);
        h.insert(h.end(),
                 {"SE % " + n, "95% low " + n, "95% high " + n, "Confidence " + n, "Plots to settle " + n});
    }
    return h;
}

std::vector<std::string> summaryCells(const ProgramProfile& profile, const StandVerdict& v) {
    std::vector<std::string> cells{v.file};
    if (!v.read()) return cells;
    cells.insert(cells.end(), {v.standName, v.standLocation, v.plotSize});
    if (profile.hasProvince) cells.push_back(v.province);
    cells.insert(cells.end(), {std::to_string(v.plotsInHeader), std::to_string(v.trees),
                               std::to_string(v.treesWithMessages)});
    for (const ObjectiveVerdict& o : v.objectives)
        cells.insert(cells.end(), {o.standValueText, o.decisionBox(), o.cutoffText});
    cells.insert(cells.end(),
                 {figure(v.treesPerAcre), figure(v.basalAreaPerAcre), figure(v.quadraticMeanDiameter)});
    for (const ObjectiveVerdict& o : v.objectives) {
        const SamplingStatistics& s = o.statistics;
        cells.insert(cells.end(), {figure(s.samplingErrorPercent), figure(s.low), figure(s.high),
                                   figure(s.confidence ? std::optional(*s.confidence * 100) : std::nullopt),
                                   s.plotsToSettle ? std::to_string(*s.plotsToSettle) : NotAValueText});
    }
    return cells;
}

std::string otherModelNotice(const std::string& otherModel) {
    if (otherModel.empty()) return {};
    return otherModelLook(otherModel) + ": use --model " + otherModel;
}

std::string summaryCsv(const ProgramProfile& profile, const std::vector<StandVerdict>& verdicts) {
    std::vector<std::string> headings = summaryHeadings(profile);
    const std::size_t columns = headings.size();
    headings.insert(headings.end(), {"Error", "Plot groups"});
    for (int k = 1; k <= profile.objectiveCount; ++k)
        headings.insert(headings.end(), {"Threshold " + std::to_string(k), "Settled " + std::to_string(k)});
    headings.push_back("Problem");
    std::string out;
    appendCsvLine(out, headings);
    for (const StandVerdict& v : verdicts) {
        std::vector<std::string> cells = summaryCells(profile, v);
        cells.resize(columns);
        cells.push_back(v.read() ? otherModelNotice(v.otherModel) : v.error);
        cells.push_back(v.read() ? std::to_string(v.plotGroups) : std::string());
        for (int k = 0; k < profile.objectiveCount; ++k) {
            const bool judged = static_cast<std::size_t>(k) < v.objectives.size();
            const auto& threshold = judged ? v.objectives[k].statistics.threshold : std::nullopt;
            cells.push_back(!judged ? std::string() : threshold ? formatFixed(*threshold, 2) : NotAValueText);
            cells.push_back(judged ? yesNo(v.objectives[k].statistics.settled) : std::string());
        }
        cells.push_back(v.problem());
        appendCsvLine(out, cells);
    }
    return out;
}

} // namespace timbra
