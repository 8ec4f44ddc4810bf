#pragma once

#include "model/StandModel.h"

namespace timbra::bottomland {

// The Run command of the bottomland model: reads the stand header and the tally through the grid
// operations (never writing the sheet), values every tree, and decides by objective.
RunOutcome run(const Sheet& tally, const ObjectiveBoxes& boxes);

// The rewrite pass that ticking objective n (1 to 3) makes over the species and tree classes.
void rewriteForObjective(Sheet& tally, int objective);

// Run and the rewrite passes above, and the objectives each province allows, as one model.
const StandModel& model();

} // namespace timbra::bottomland
