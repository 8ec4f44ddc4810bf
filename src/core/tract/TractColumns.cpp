#include "core/tract/TractColumns.h"

#include "core/model/ValueFormat.h"

namespace timbra {

namespace {

TractCell count(int n) {
    return {std::to_string(n), n};
}

TractCell figure(const std::optional<double>& value) {
    if (!value) return {NotAValueText, std::nullopt};
    return {formatFixed(*value, 1), *value};
}

// A result box's text with the value behind it, unless the box shows none.
TractCell box(const std::string& text, double value) {
    return {text, text == NotAValueText || text.empty() ? std::nullopt : std::optional(value)};
}

} // namespace

std::vector<TractColumn> tractColumns(const ProgramProfile& profile) {
    std::vector<TractColumn> columns;
    for (int c = static_cast<int>(TractColumn::File); c <= static_cast<int>(TractColumn::Problem); ++c)
        if (c != static_cast<int>(TractColumn::Province) || profile.hasProvince)
            columns.push_back(static_cast<TractColumn>(c));
    return columns;
}

std::string tractHeading(TractColumn column) {
    switch (column) {
    case TractColumn::File:
        return "File";
    case TractColumn::StandName:
        return "Stand name";
    case TractColumn::Location:
        return "Location";
    case TractColumn::Province:
        return "Province";
    case TractColumn::PlotSize:
        return "Plot size";
    case TractColumn::Plots:
        return "Plots";
    case TractColumn::PlotGroups:
        return "Plot groups";
    case TractColumn::Trees:
        return "Trees";
    case TractColumn::TreesWithMessages:
        return "Trees with messages";
    case TractColumn::Decision:
        return "Decision";
    case TractColumn::StandValue:
        return "Stand value";
    case TractColumn::Cutoff:
        return "Cut-off";
    case TractColumn::Low:
        return "95% low";
    case TractColumn::High:
        return "95% high";
    case TractColumn::Confidence:
        return "Confidence";
    case TractColumn::Settled:
        return "Settled";
    case TractColumn::PlotsToSettle:
        return "Plots to settle";
    case TractColumn::TreesPerAcre:
        return "Trees/acre";
    case TractColumn::BasalAreaPerAcre:
        return "Basal area/acre";
    case TractColumn::QuadraticMeanDiameter:
        return "QMD";
    case TractColumn::Problem:
        return "Problem";
    }
    return {};
}

TractCell tractCell(const StandVerdict& v, int objective, TractColumn column) {
    if (column == TractColumn::File) return {v.file, std::nullopt};
    if (column == TractColumn::Problem) return {v.problem(), std::nullopt};
    if (!v.read()) return {};
    switch (column) {
    case TractColumn::StandName:
        return {v.standName, std::nullopt};
    case TractColumn::Location:
        return {v.standLocation, std::nullopt};
    case TractColumn::Province:
        return {v.province, std::nullopt};
    case TractColumn::PlotSize:
        return {v.plotSize, std::nullopt};
    case TractColumn::Plots:
        return count(v.plotsInHeader);
    case TractColumn::PlotGroups:
        return count(v.plotGroups);
    case TractColumn::Trees:
        return count(v.trees);
    case TractColumn::TreesWithMessages:
        return count(v.treesWithMessages);
    case TractColumn::TreesPerAcre:
        return figure(v.treesPerAcre);
    case TractColumn::BasalAreaPerAcre:
        return figure(v.basalAreaPerAcre);
    case TractColumn::QuadraticMeanDiameter:
        return figure(v.quadraticMeanDiameter);
    default:
        break;
    }
    if (objective < 1 || static_cast<std::size_t>(objective) > v.objectives.size()) return {};
    const ObjectiveVerdict& o = v.objectives[static_cast<std::size_t>(objective - 1)];
    const SamplingStatistics& s = o.statistics;
    switch (column) {
    case TractColumn::Decision:
        return {o.decisionBox(), std::nullopt};
    case TractColumn::StandValue:
        return box(o.standValueText, o.standValue);
    case TractColumn::Cutoff:
        return box(o.cutoffText, o.cutoff);
    case TractColumn::Low:
        return figure(s.low);
    case TractColumn::High:
        return figure(s.high);
    case TractColumn::Confidence:
        return figure(s.confidence ? std::optional(*s.confidence * 100) : std::nullopt);
    case TractColumn::Settled:
        return {s.settled ? (*s.settled ? "yes" : "no") : NotAValueText, std::nullopt};
    case TractColumn::PlotsToSettle:
        return s.plotsToSettle ? count(*s.plotsToSettle) : TractCell{NotAValueText, std::nullopt};
    default:
        return {};
    }
}

} // namespace timbra
