#pragma once

#include "cli/Arguments.h"
#include "core/app/ProgramProfile.h"
#include "core/app/StandDocument.h"
#include "core/statistics/StandStatistics.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace timbra::cli {

// A fresh tally grid of the program in the state the input dialog leaves it when it opens (the
// stand document's opening state): the stored empty grid with its tree rows blanked.
Sheet openingTally(const ProgramProfile& profile);

// The objective boxes when the input dialog opens: Objective 1 ticked.
ObjectiveBoxes openingBoxes();

// Ticked box numbers, in order.
std::vector<int> tickedObjectives(const ObjectiveBoxes& boxes, int count);

// One stand taken through the command line's steps on the input dialog's stand document: fresh
// grid, open, objective, Run.
struct StandSession {
    bool ok = false;
    std::string error; // why the file could not be opened
    ObjectiveBoxes boxes;
    std::vector<std::string> fileNotices;
    RunOutcome outcome;
    StandStatistics statistics; // of the run's results
};

StandSession runStand(const Options& options, std::istream& in);

} // namespace timbra::cli
