#pragma once

#include "core/statistics/StandStatistics.h"

#include <algorithm>

namespace timbra {

// The two halves of the stand statistics, for callers that need only one of them (a summary
// needs the stand table once per tally but the sampling statistics once per objective).

// Whether the header gives fewer plots than the tally holds plot groups (0 and negative counts
// included): the stand value divides the plots' sum by that count, so it and the decision rest on
// nothing, and the statistics weigh nothing.
inline bool headerBelowTally(const StandResults& results) {
    return results.numberOfPlots < static_cast<int>(results.plotValue.size()) || results.numberOfPlots < 1;
}

SamplingStatistics samplingStatistics(const StandResults& results);

// The stand and stock table over the header's plots, from the trees the Run gathered on its walk;
// nothing, with a note in `notes`, when the plot size has no expansion factor or the header's plots
// do not cover the tally.
std::optional<StandTable> standTable(const StandResults& results, std::vector<std::string>& notes);

} // namespace timbra
