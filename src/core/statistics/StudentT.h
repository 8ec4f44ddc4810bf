#pragma once

#include <functional>
#include <optional>

namespace timbra {

// Student's t distribution as the sampling statistics use it. Arguments outside the
// distribution's domain give NaN, never an exception.

// The two-sided 95% quantile: the t value at 0.975 with `degreesOfFreedom`.
double tQuantile95(int degreesOfFreedom);

// The distribution function at x.
double tDistribution(int degreesOfFreedom, double x);

// Plot counts the search for "plots needed" goes up to.
inline constexpr int MostPlotsSearched = 100000;

// The smallest m from `first` up to MostPlotsSearched for which `enough(m, t)` holds, t being
// tQuantile95(m - 1); nothing when it does not hold at MostPlotsSearched. `enough` must turn true
// at some m and stay true (the tests compare t / sqrt(m), which falls as m grows).
std::optional<int> fewestPlots(int first, const std::function<bool(int plots, double t)>& enough);

} // namespace timbra
