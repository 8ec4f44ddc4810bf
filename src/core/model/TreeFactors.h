#pragma once

#include <optional>
#include <string>

namespace timbra {

// The factor tables both stand models value a tree with. Texts are compared whole and
// case-sensitively, as the tally grid's drop-down lists deliver them; any other text scores 0.

// One twelfth as the models multiply by it (the double nearest to 1/12).
inline constexpr double OneTwelfth = 0.08333333333333333;

double speciesFactor(const std::string& speciesClass); // "Desirable" 3
double vigorFactor(const std::string& vigor);          // "High" 2, "Medium" 1.5, "Low" 0.5
double crownFactor(const std::string& crownClass);     // "Dominant", "Co-dominant" 3, ...
double gradeFactor(int grade);                         // 1: 2, 2: 1.5, 3: 1

// The diameter weight of the two-inch classes from 5 inches up; diameters from 32 inches to
// `largestDbh` weigh 5.26, anything below 5 or above `largestDbh` weighs 0.
double diameterFactor(int dbh, int largestDbh);

// Trees per acre that one tree of a plot of the four sizes stands for; nothing for another text.
std::optional<double> plotExpansion(const std::string& plotSize);

// The tree-class tests the valuation rules and the rewrite passes share.
bool isGrowingStock(const std::string& treeClass);  // "Preferred" or "Reserve"
bool isRemoval(const std::string& treeClass);       // "Cutting Stock" or "Cull"
bool isCommercial(const std::string& speciesClass); // "Desirable" or "Acceptable"

} // namespace timbra
