#pragma once

#include "core/grid/Sheet.h"
#include "core/input/TallyLayout.h"
#include "core/model/RunOutcome.h"
#include "core/model/TreeRows.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace timbra {

// The part of the Run command both stand models share: reading the stand header, walking the
// tally rows, forming plots, counting the sawtimber by class, checking every tree, deciding
// against a cut-off and filling the result boxes. The models add their tree valuation, their
// cut-off tables and, upland only, the province.

// Stand name, location, plot size and number of plots; the province too when `withProvince`.
void readStandHeader(const Sheet& tally, StandResults& results, bool withProvince);

// How a model writes its percentages: count / total * 100 (upland) or count * 100 / total
// (bottomland). The two orders round differently, and each model keeps its own.
enum class PercentForm { QuotientTimes100, CountTimes100OverTotal };

// Values each tree of `rows` (read from `tally`) with `perAcreValue`, sums plots into
// `results.plotValue` and `standValue`, and counts and percentages; with every detail, also gathers
// `results.standTally` and adds the check messages of every tree to `outcome.treeMessages`. A plot
// still open at the last row closes there.
void walkTally(const TreeRows& rows, const std::function<double(const TreeRow&)>& perAcreValue,
               PercentForm form, RunOutcome& outcome, RunDetail detail = RunDetail::Full);

// The figure a stand value is compared with under a cut-off index: the index less 0.05, so a stand
// value that shows as the index at one decimal manages. The decision and the statistics both use it.
constexpr double decisionThreshold(double cutoffIndex) {
    return cutoffIndex - 0.05;
}

// A cut-off index and the threshold the stand value is compared with.
struct Cutoff {
    constexpr explicit Cutoff(double cutoffIndex)
        : index(cutoffIndex), threshold(decisionThreshold(cutoffIndex)) {}
    double index;
    double threshold;
};

// The decision under objective n: with a cut-off, "Manage" from the threshold up and
// "Regenerate" below it or for a stand value that is not finite; without one, "Error" and index 0.
void decide(StandResults& results, int objective, std::optional<Cutoff> cutoff);

// Fills the three result boxes and adds the unusual-value message when the stand value is over
// 150, below -20 or not finite.
void finishRun(RunOutcome& outcome);

} // namespace timbra
