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

struct OpenedTally {
    bool ok = false;
    std::string error;
    // Bytes read as Windows-1252, cells read as typed, and cells the file filled with text their
    // editor would refuse (one line each).
    std::vector<std::string> notices;
    int fileRows = 0;
};

// Opens a tally file into the grid as the Open command does (all or nothing); "-" reads the
// tally from `in`.
OpenedTally openTally(Sheet& tally, const std::string& file, std::istream& in);

// "looks like a bottomland tally: use --model bottomland" (or the converse) when the opened file
// has the other program's province label ("Province" in I3 for upland; none, with 1,501 rows, for
// bottomland); empty otherwise. The figures stay as they are.
std::string otherModelNotice(const ProgramProfile& profile, const Sheet& tally, int fileRows);

// Ticks the objective the command line asks for. With n, box n becomes the only ticked box and,
// unless `keepClasses`, objective n's rewrite pass runs, as when the user ticks it; n = 0 ticks
// no box. Without n the opening state stays: box 1 ticked, nothing rewritten.
void chooseObjective(const ProgramProfile& profile, Sheet& tally, ObjectiveBoxes& boxes, std::optional<int> n,
                     bool keepClasses);

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
