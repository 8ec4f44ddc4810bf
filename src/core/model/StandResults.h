#pragma once

#include "core/model/StandTally.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace timbra {

// The decision of a Run: none before one, "Error" where the objective has no cut-off.
enum class Decision { None, Manage, Regenerate, Error };

// The decision as the result box and the report write it; none is the box's reset blank.
constexpr std::string_view decisionText(Decision decision) {
    switch (decision) {
    case Decision::Manage:
        return "Manage";
    case Decision::Regenerate:
        return "Regenerate";
    case Decision::Error:
        return "Error";
    case Decision::None:
        break;
    }
    return " ";
}

// A decision the stand value and a cut-off made, one the plots can speak to.
constexpr bool isDecided(Decision decision) {
    return decision == Decision::Manage || decision == Decision::Regenerate;
}

// Positions in StandResults::counts: 4 tree classes, 3 species classes, 4 grades, 3 vigor
// classes, 4 crown classes, 6 heights.
enum CountIndex : int {
    CountPreferred,
    CountReserve,
    CountCuttingStock,
    CountCull,
    CountDesirable,
    CountAcceptable,
    CountUnacceptable,
    CountGrade1,
    CountGrade2,
    CountGrade3,
    CountGrade4,
    CountVigorHigh,
    CountVigorMedium,
    CountVigorLow,
    CountDominant,
    CountCodominant,
    CountIntermediate,
    CountSuppressed,
    CountHeight1,
    CountHeight15,
    CountHeight2,
    CountHeight25,
    CountHeight3,
    CountHeight35,
    CountTotal
};

// The results of the last Run, kept by the input dialog after its window closes and laid out by
// the stand analysis report. The bottomland model leaves `province` as its reset blank.
struct StandResults {
    int numberOfPlots = 0;
    // Every plot formed, in order of appearance: plotValue[0] is the first plot.
    std::vector<double> plotValue;
    double standValue = 0;

    double pctDesirable = 0, pctAcceptable = 0, pctUnacceptable = 0;
    double pctPreferred = 0, pctReserve = 0, pctCuttingStock = 0, pctCull = 0;
    double pctGrade1 = 0, pctGrade2 = 0, pctGrade3 = 0, pctGrade4 = 0;
    double pctVigorHigh = 0, pctVigorMedium = 0, pctVigorLow = 0;
    double pctDominant = 0, pctCodominant = 0, pctIntermediate = 0, pctSuppressed = 0;
    double pctHeight1 = 0, pctHeight15 = 0, pctHeight2 = 0, pctHeight25 = 0, pctHeight3 = 0, pctHeight35 = 0;

    Decision decision = Decision::None;
    std::string standName = " ";
    std::string standLocation = " ";
    std::string plotSize = " ";
    std::string province = " ";

    double largeTreeCount = 0;
    double gradedTreeCount = 0;
    std::array<double, CountTotal> counts{};
    double objectiveNumber = 0;
    double cutoffIndex = 0;
    // The objective whose rule set the decision, 1 to 4; 0 when none did.
    int decidingObjective() const { return static_cast<int>(objectiveNumber); }

    // The trees of the rows the Run read, as the stand and stock table counts them; empty for
    // results not formed by a Run.
    StandTally standTally;

    // Value of the k-th plot (k from 1); 0 for a plot the tally did not reach.
    double plotValueAt(int k) const {
        return k >= 1 && static_cast<std::size_t>(k) <= plotValue.size()
                   ? plotValue[static_cast<std::size_t>(k - 1)]
                   : 0.0;
    }
};

} // namespace timbra
