#pragma once

#include "statistics/StandStatistics.h"

namespace timbra {

// The two halves of the stand statistics, for callers that need only one of them (a summary
// needs the stand table once per tally but the sampling statistics once per objective).

SamplingStatistics samplingStatistics(const StandResults& results);

// The stand and stock table over `plots` plots; nothing, with a note in `notes`, when the plot
// size has no expansion factor.
std::optional<StandTable> standTable(const Sheet& tally, const StandResults& results, int plots,
                                     std::vector<std::string>& notes);

} // namespace timbra
