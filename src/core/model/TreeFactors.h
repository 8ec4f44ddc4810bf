#pragma once

#include <optional>
#include <string_view>

namespace timbra {

// The factor tables both stand models value a tree with. Texts are compared whole and
// case-sensitively, as the tally grid's drop-down lists deliver them; any other text scores 0.
// They run for every tree of every Run, so the texts are views compared length first.

// One twelfth as the models multiply by it (the double nearest to 1/12).
inline constexpr double OneTwelfth = 0.08333333333333333;

double speciesFactor(std::string_view speciesClass); // "Desirable" 3
double vigorFactor(std::string_view vigor);          // "High" 2, "Medium" 1.5, "Low" 0.5
double crownFactor(std::string_view crownClass);     // "Dominant", "Co-dominant" 3, ...
double gradeFactor(int grade);                       // 1: 2, 2: 1.5, 3: 1

// The diameter weight of the two-inch classes from 5 inches up; diameters from 32 inches to
// `largestDbh` weigh 5.26, anything below 5 or above `largestDbh` weighs 0.
double diameterFactor(int dbh, int largestDbh);

// Trees per acre that one tree of a plot of the four sizes stands for; nothing for another text.
std::optional<double> plotExpansion(std::string_view plotSize);

// The tree-class tests the valuation rules and the rewrite passes share.
bool isGrowingStock(std::string_view treeClass);  // "Preferred" or "Reserve"
bool isRemoval(std::string_view treeClass);       // "Cutting Stock" or "Cull"
bool isCommercial(std::string_view speciesClass); // "Desirable" or "Acceptable"

} // namespace timbra
