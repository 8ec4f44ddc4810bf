#pragma once

#include "core/model/TreeClasses.h"

#include <optional>
#include <string_view>

namespace timbra {

// The factor tables both stand models value a tree with. They take the class texts as read (see
// TreeClasses.h): any text other than the drop-down lists' scores 0. They run for every tree of
// every Run, so the class factors are inline tables.

// One twelfth as the models multiply by it (the double nearest to 1/12).
inline constexpr double OneTwelfth = 0.08333333333333333;

// The diameter classes both models share: small growing stock from 6 to 11 inches, sawtimber from
// 12 inches up to each model's largest growing diameter.
inline constexpr int SmallestMerchantableDbh = 6;
inline constexpr int LargestPoletimberDbh = 11;
inline constexpr int SmallestSawtimberDbh = 12;

// Removals (cutting stock and culls from sawtimber size, trees past the largest growing diameter)
// weigh a quarter of their diameter factor against the stand.
inline constexpr double RemovalWeight = -0.25;
// A reserve tree counts for three quarters of a preferred tree of the same make.
inline constexpr double ReserveShare = 0.75;

// "Desirable" 3
constexpr double speciesFactor(SpeciesClass speciesClass) {
    return speciesClass == SpeciesClass::Desirable ? 3.0 : 0.0;
}
// "High" 2, "Medium" 1.5, "Low" 0.5
constexpr double vigorFactor(Vigor vigor) {
    constexpr double byVigor[] = {2.0, 1.5, 0.5, 0.0};
    return byVigor[static_cast<int>(vigor)];
}
// "Dominant" and "Co-dominant" 3, "Intermediate" 1.5, "Suppressed" 1
constexpr double crownFactor(CrownClass crownClass) {
    constexpr double byCrown[] = {3.0, 3.0, 1.5, 1.0, 0.0};
    return byCrown[static_cast<int>(crownClass)];
}
// Grade 1 2, grade 2 1.5, grade 3 1, any other 0.
constexpr double gradeFactor(int grade) {
    constexpr double byGrade[] = {0.0, 2.0, 1.5, 1.0};
    return grade >= 1 && grade <= 3 ? byGrade[grade] : 0.0;
}

// The diameter weight of the two-inch classes from 5 inches up; diameters from 32 inches to
// `largestDbh` weigh 5.26, anything below 5 or above `largestDbh` weighs 0. Every tree of every Run
// is weighed, so the weights are inline.
constexpr double diameterFactor(int dbh, int largestDbh) {
    if (dbh < 5 || dbh > largestDbh) return 0.0;
    if (dbh >= 32) return 5.26;
    // Weights of the classes 5-7, 8-9, 10-11, ..., 30-31.
    constexpr double byClass[] = {0.5, 0.67, 0.89, 1.15, 1.41, 1.72, 2.04, 2.44, 2.78, 3.23, 3.7, 4.17, 4.76};
    return dbh <= 7 ? byClass[0] : byClass[(dbh - 6) / 2];
}

// Trees per acre that one tree of a plot of the four sizes stands for; nothing for another text.
std::optional<double> plotExpansion(std::string_view plotSize);

// The tree-class tests the valuation rules and the rewrite passes share.
// "Preferred" or "Reserve"
constexpr bool isGrowingStock(TreeClass treeClass) {
    return treeClass == TreeClass::Preferred || treeClass == TreeClass::Reserve;
}
// "Cutting Stock" or "Cull"
constexpr bool isRemoval(TreeClass treeClass) {
    return treeClass == TreeClass::CuttingStock || treeClass == TreeClass::Cull;
}
// "Desirable" or "Acceptable"
constexpr bool isCommercial(SpeciesClass speciesClass) {
    return speciesClass == SpeciesClass::Desirable || speciesClass == SpeciesClass::Acceptable;
}

} // namespace timbra
