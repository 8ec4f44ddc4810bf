#pragma once

#include "core/grid/TrimSpaces.h"
#include "core/model/StandResults.h"
#include "core/statistics/StandStatistics.h"

#include <optional>
#include <string>
#include <vector>

namespace timbra {

// A stand's result under one objective, as the input dialog shows it after ticking that box alone
// and pressing Run, with how sure the plots make it.
struct ObjectiveVerdict {
    std::string standValueText, cutoffText; // the result boxes, without their padding
    Decision decision = Decision::None;
    double standValue = 0, cutoff = 0;
    SamplingStatistics statistics;

    // The decision box, without its padding: empty for none.
    std::string decisionBox() const { return std::string(trimSpaces(decisionText(decision))); }
};

// One stand of a tract, judged: what the tally file holds and its result under every objective of
// the program. A stand's results are kept, never its sheet, so that a tract of thousands fits.
struct StandVerdict {
    std::string file;
    std::string error;      // why the file could not be read; empty when it was
    bool missing = false;   // the file is not there (error says so too)
    std::string otherModel; // "bottomland" when an upland program reads a bottomland tally, and so on
    std::size_t refusedCells = 0, windows1252Bytes = 0; // what Open would tell about the file

    std::string standName, standLocation, plotSize, province;
    int plotsInHeader = 0, plotGroups = 0, trees = 0, treesWithMessages = 0;
    bool anyTree = false; // some row of the tally has a plot number
    std::optional<double> treesPerAcre, basalAreaPerAcre, quadraticMeanDiameter; // the stand table
    std::vector<ObjectiveVerdict> objectives; // objective k at k - 1; empty when the file was not read

    bool read() const { return error.empty(); }
    // Why the stand's figures cannot be taken as its judgement ("missing", the reader's reason,
    // "looks like a bottomland tally", "no trees"), then what Open would tell; empty for none.
    std::string problem() const;
};

} // namespace timbra
