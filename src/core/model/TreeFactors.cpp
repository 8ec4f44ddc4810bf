#include "model/TreeFactors.h"

namespace timbra {

using namespace std::string_view_literals;

double speciesFactor(std::string_view speciesClass) {
    return speciesClass == "Desirable"sv ? 3.0 : 0.0;
}

double vigorFactor(std::string_view vigor) {
    if (vigor == "High"sv) return 2.0;
    if (vigor == "Medium"sv) return 1.5;
    if (vigor == "Low"sv) return 0.5;
    return 0.0;
}

double crownFactor(std::string_view crownClass) {
    if (crownClass == "Dominant"sv || crownClass == "Co-dominant"sv) return 3.0;
    if (crownClass == "Intermediate"sv) return 1.5;
    if (crownClass == "Suppressed"sv) return 1.0;
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

std::optional<double> plotExpansion(std::string_view plotSize) {
    if (plotSize == "Tenth acre"sv) return 10.0;
    if (plotSize == "Fifth acre"sv) return 5.0;
    if (plotSize == "Quarter acre"sv) return 4.0;
    if (plotSize == "Half acre"sv) return 2.0;
    return std::nullopt;
}

bool isGrowingStock(std::string_view treeClass) {
    return treeClass == "Preferred"sv || treeClass == "Reserve"sv;
}

bool isRemoval(std::string_view treeClass) {
    return treeClass == "Cutting Stock"sv || treeClass == "Cull"sv;
}

bool isCommercial(std::string_view speciesClass) {
    return speciesClass == "Desirable"sv || speciesClass == "Acceptable"sv;
}

} // namespace timbra
