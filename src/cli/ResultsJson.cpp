#include "cli/ResultsJson.h"

#include <cmath>
#include <utility>

namespace timbra::cli {

nlohmann::ordered_json jsonNumber(double value) {
    return std::isfinite(value) ? nlohmann::ordered_json(value) : nlohmann::ordered_json();
}

nlohmann::ordered_json resultsToJson(const StandResults& r, bool withProvince) {
    using R = StandResults;
    // The percentages in the order the results hold them.
    static const std::pair<const char*, double R::*> percentages[] = {
        {"pctDesirable", &R::pctDesirable},
        {"pctAcceptable", &R::pctAcceptable},
        {"pctUnacceptable", &R::pctUnacceptable},
        {"pctPreferred", &R::pctPreferred},
        {"pctReserve", &R::pctReserve},
        {"pctCuttingStock", &R::pctCuttingStock},
        {"pctCull", &R::pctCull},
        {"pctGrade1", &R::pctGrade1},
        {"pctGrade2", &R::pctGrade2},
        {"pctGrade3", &R::pctGrade3},
        {"pctGrade4", &R::pctGrade4},
        {"pctVigorHigh", &R::pctVigorHigh},
        {"pctVigorMedium", &R::pctVigorMedium},
        {"pctVigorLow", &R::pctVigorLow},
        {"pctDominant", &R::pctDominant},
        {"pctCodominant", &R::pctCodominant},
        {"pctIntermediate", &R::pctIntermediate},
        {"pctSuppressed", &R::pctSuppressed},
        {"pctHeight1", &R::pctHeight1},
        {"pctHeight15", &R::pctHeight15},
        {"pctHeight2", &R::pctHeight2},
        {"pctHeight25", &R::pctHeight25},
        {"pctHeight3", &R::pctHeight3},
        {"pctHeight35", &R::pctHeight35},
    };

    nlohmann::ordered_json j;
    j["numberOfPlots"] = r.numberOfPlots;
    auto& plots = j["plotValue"] = nlohmann::ordered_json::array();
    for (const double v : r.plotValue)
        plots.push_back(jsonNumber(v));
    j["standValue"] = jsonNumber(r.standValue);
    j["decision"] = r.decision;
    j["standName"] = r.standName;
    j["standLocation"] = r.standLocation;
    j["plotSize"] = r.plotSize;
    if (withProvince) j["province"] = r.province;
    j["largeTreeCount"] = jsonNumber(r.largeTreeCount);
    j["gradedTreeCount"] = jsonNumber(r.gradedTreeCount);
    auto& counts = j["counts"] = nlohmann::ordered_json::array();
    for (const double c : r.counts)
        counts.push_back(jsonNumber(c));
    for (const auto& [name, field] : percentages)
        j[name] = jsonNumber(r.*field);
    j["objectiveNumber"] = jsonNumber(r.objectiveNumber);
    j["cutoffIndex"] = jsonNumber(r.cutoffIndex);
    return j;
}

} // namespace timbra::cli
