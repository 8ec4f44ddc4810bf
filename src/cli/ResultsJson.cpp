#include "cli/ResultsJson.h"

#include <cmath>
#include <type_traits>
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
    j["decision"] = decisionText(r.decision);
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

namespace {

template <typename T> nlohmann::ordered_json orNull(const std::optional<T>& value) {
    if constexpr (std::is_same_v<T, double>)
        return value ? jsonNumber(*value) : nlohmann::ordered_json();
    else
        return value ? nlohmann::ordered_json(*value) : nlohmann::ordered_json();
}

// One figure per tree class, under the class's name.
nlohmann::ordered_json byTreeClass(const std::array<double, TableClassCount>& figures) {
    nlohmann::ordered_json j;
    for (std::size_t c = 0; c < TableClassCount; ++c)
        j[StandTableClassNames[c]] = jsonNumber(figures[c]);
    return j;
}

} // namespace

nlohmann::ordered_json samplingToJson(const SamplingStatistics& s) {
    nlohmann::ordered_json j;
    j["plots"] = s.plots;
    j["plotsFormed"] = s.plotsFormed;
    j["plotsInHeader"] = s.plotsInHeader;
    j["mean"] = jsonNumber(s.mean);
    j["standardDeviation"] = orNull(s.standardDeviation);
    j["standardError"] = orNull(s.standardError);
    j["coefficientOfVariation"] = orNull(s.coefficientOfVariation);
    j["t"] = orNull(s.t);
    j["samplingErrorPercent"] = orNull(s.samplingErrorPercent);
    j["low"] = orNull(s.low);
    j["high"] = orNull(s.high);
    j["threshold"] = orNull(s.threshold);
    j["confidence"] = orNull(s.confidence);
    j["settled"] = orNull(s.settled);
    j["plotsToSettle"] = orNull(s.plotsToSettle);
    j["plotsFor10Percent"] = orNull(s.plotsFor10Percent);
    j["plotsFor20Percent"] = orNull(s.plotsFor20Percent);
    j["notes"] = s.notes;
    return j;
}

nlohmann::ordered_json standTableToJson(const std::optional<StandTable>& table) {
    if (!table) return nullptr;
    nlohmann::ordered_json j;
    j["expansionFactor"] = jsonNumber(table->expansionFactor);
    j["plots"] = table->plots;
    j["treesPerAcre"] = jsonNumber(table->treesPerAcre);
    j["basalAreaPerAcre"] = jsonNumber(table->basalAreaPerAcre);
    j["quadraticMeanDiameter"] = orNull(table->quadraticMeanDiameter);
    auto& classes = j["classes"] = nlohmann::ordered_json::array();
    for (const DiameterClassRow& row : table->classes)
        classes.push_back({{"dbhClass", row.dbhClass},
                           {"treesPerAcre", byTreeClass(row.treesPerAcre)},
                           {"basalAreaPerAcre", byTreeClass(row.basalAreaPerAcre)}});
    auto& species = j["species"] = nlohmann::ordered_json::array();
    for (const SpeciesRow& row : table->species)
        species.push_back({{"code", row.code},
                           {"treesPerAcre", jsonNumber(row.treesPerAcre)},
                           {"basalAreaPerAcre", jsonNumber(row.basalAreaPerAcre)},
                           {"basalAreaPercent", jsonNumber(row.basalAreaPercent)}});
    return j;
}

} // namespace timbra::cli
