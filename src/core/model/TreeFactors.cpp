#include "model/TreeFactors.h"

namespace timbra {

double speciesFactor(const std::string& speciesClass) {
    return speciesClass == "Desirable" ? 3.0 : 0.0;
}

double vigorFactor(const std::string& vigor) {
    if (vigor == "High") return 2.0;
    if (vigor == "Medium") return 1.5;
    if (vigor == "Low") return 0.5;
    return 0.0;
}

double crownFactor(const std::string& crownClass) {
    if (crownClass == "Dominant" || crownClass == "Co-dominant") return 3.0;
    if (crownClass == "Intermediate") return 1.5;
    if (crownClass == "Suppressed") return 1.0;
    return 0.0;
}

double gradeFactor(int grade) {
    switch (grade) {
    case 1:
        return 2.0;
    case 2:
        return 1.5;
    case 3:
        return 1.0;
    default:
        return 0.0;
    }
}

double diameterFactor(int dbh, int largestDbh) {
    if (dbh < 5 || dbh > largestDbh) return 0.0;
    if (dbh >= 32) return 5.26;
    // Weights of the classes 5-7, 8-9, 10-11, ..., 30-31.
    static constexpr double byClass[] = {0.5,  0.67, 0.89, 1.15, 1.41, 1.72, 2.04,
                                         2.44, 2.78, 3.23, 3.7,  4.17, 4.76};
    return dbh <= 7 ? byClass[0] : byClass[(dbh - 6) / 2];
}

std::optional<double> plotExpansion(const std::string& plotSize) {
    if (plotSize == "Tenth acre") return 10.0;
    if (plotSize == "Fifth acre") return 5.0;
    if (plotSize == "Quarter acre") return 4.0;
    if (plotSize == "Half acre") return 2.0;
    return std::nullopt;
}

bool isGrowingStock(const std::string& treeClass) {
    return treeClass == "Preferred" || treeClass == "Reserve";
}

bool isRemoval(const std::string& treeClass) {
    return treeClass == "Cutting Stock" || treeClass == "Cull";
}

bool isCommercial(const std::string& speciesClass) {
    return speciesClass == "Desirable" || speciesClass == "Acceptable";
}

} // namespace timbra
