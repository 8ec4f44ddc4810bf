#pragma once

#include "core/grid/Sheet.h"
#include "core/input/TallyLayout.h"
#include "core/model/RunOutcome.h"
#include "core/model/TreeClasses.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace timbra {

// The part of the Run command both stand models share: reading the stand header, walking the
// tally rows, forming plots, counting the sawtimber by class, checking every tree, deciding
// against a cut-off and filling the result boxes. The models add their tree valuation, their
// cut-off tables and, upland only, the province.

// One tallied tree as Run reads it from its row; the texts point into the sheet, which stays
// unchanged while Run reads it, and `classes` holds the four class texts read once.
struct TreeRow {
    int row = 0;      // grid row
    int plot = 0;     // plot number of this row
    int nextPlot = 0; // plot number of the row below
    int dbh = 0;
    int grade = 0;
    double height = 0;
    std::string_view crownClass, speciesClass, vigor, treeClass, speciesCode;
    RowClasses classes;
};

TreeRow readTreeRow(const Sheet& tally, int row);

// A tree given by its inputs rather than read from a row, as a tree record's Evaluate takes them.
TreeRow treeRowOf(int dbh, double height, int grade, std::string_view speciesClass, std::string_view vigor,
                  std::string_view crownClass, std::string_view treeClass);

// Stores a tree's inputs in the fields both models' tree records keep them in.
template <typename Record> void storeTreeInputs(Record& record, const TreeRow& tree) {
    record.dbh = tree.dbh;
    record.height = tree.height;
    record.grade = tree.grade;
    record.speciesClass = tree.speciesClass;
    record.vigor = tree.vigor;
    record.crownClass = tree.crownClass;
    record.treeClass = tree.treeClass;
}

// Stand name, location, plot size and number of plots; the province too when `withProvince`.
void readStandHeader(const Sheet& tally, StandResults& results, bool withProvince);

// How a model writes its percentages: count / total * 100 (upland) or count * 100 / total
// (bottomland). The two orders round differently, and each model keeps its own.
enum class PercentForm { QuotientTimes100, CountTimes100OverTotal };

// Values each tree with `perAcreValue`, sums plots into `results.plotValue` and `standValue`,
// counts and percentages, gathers `results.standTally` unless told to skip it, and adds the check
// messages of every tree to `outcome.treeMessages`.
// The tally starts at row 6 and ends before the first row whose plot number is 0, or at row 1500,
// where a plot still open closes.
void walkTally(const Sheet& tally, const std::function<double(const TreeRow&)>& perAcreValue,
               PercentForm form, RunOutcome& outcome, StandTableTrees trees = StandTableTrees::Gather);

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
