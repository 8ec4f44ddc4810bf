#pragma once

#include "core/grid/Sheet.h"
#include "core/model/Objectives.h"
#include "core/model/RunOutcome.h"

#include <string>
#include <vector>

namespace timbra {

// A program's stand model: what Run makes of a tally, what ticking an objective rewrites, and
// which objectives a stand's province allows.
class StandModel {
public:
    virtual ~StandModel() = default;
    // Reads the stand header and the tally through the grid operations, never writing the sheet.
    RunOutcome run(const Sheet& tally, const ObjectiveBoxes& boxes) const {
        return run(tally, boxes, StandTableTrees::Gather);
    }
    // The same Run, gathering the stand table's trees or not.
    virtual RunOutcome run(const Sheet& tally, const ObjectiveBoxes& boxes, StandTableTrees trees) const = 0;
    // The rewrite pass of ticking objective n over the species and tree classes; another number
    // rewrites nothing. Returns the rows whose cells it changed, in order.
    virtual std::vector<int> rewriteForObjective(Sheet& tally, int objective) const = 0;
    // Whether objective n's box can be ticked for a stand in `province`; every one can unless the
    // model says otherwise.
    virtual bool allowsObjective(int, const std::string&) const { return true; }
};

} // namespace timbra
