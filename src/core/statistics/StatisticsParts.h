#pragma once

#include "statistics/StandStatistics.h"

#include <algorithm>

namespace timbra {

// The two halves of the stand statistics, for callers that need only one of them (a summary
// needs the stand table once per tally but the sampling statistics once per objective).

// The plots the figures use: plots on which no tree was tallied are plots of value 0, so the
// header's count is the sample, unless the tally holds more plot groups than it gives.
inline int plotsUsed(const StandResults& results) {
    return std::max(results.numberOfPlots, static_cast<int>(results.plotValue.size()));
}

SamplingStatistics samplingStatistics(const StandResults& results);

// The stand and stock table over `plots` plots, from the trees the Run gathered on its walk; nothing,
// with a note in `notes`, when the plot size has no expansion factor.
std::optional<StandTable> standTable(const StandResults& results, int plots, std::vector<std::string>& notes);

} // namespace timbra
