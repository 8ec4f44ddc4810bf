#pragma once

#include "core/grid/Sheet.h"
#include "core/model/Objectives.h"
#include "core/model/RewritePass.h"
#include "core/model/RunOutcome.h"
#include "core/model/TreeRows.h"

#include <optional>
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
        return run(tally, boxes, RunDetail::Full);
    }
    // The same Run, with every detail or with the results alone.
    RunOutcome run(const Sheet& tally, const ObjectiveBoxes& boxes, RunDetail detail) const {
        return run(tally, TreeRows(tally), boxes, detail);
    }
    // The same Run over tree rows already read from the tally.
    virtual RunOutcome run(const Sheet& tally, const TreeRows& rows, const ObjectiveBoxes& boxes,
                           RunDetail detail) const = 0;
    // The rewrite pass of ticking objective n over the species and tree classes; none for a number
    // that rewrites nothing.
    virtual std::optional<RewritePass> rewritePass(int objective) const = 0;
    // Makes objective n's rewrite pass over the tally. Returns the rows whose cells it changed, in order.
    std::vector<int> rewriteForObjective(Sheet& tally, int objective) const {
        const std::optional<RewritePass> pass = rewritePass(objective);
        return pass ? forEachRewriteRow(tally, *pass) : std::vector<int>{};
    }
    // Makes it over tree rows read from a tally, which stays as it is. Returns the rows it changed.
    std::vector<int> rewriteForObjective(TreeRows& rows, int objective) const {
        const std::optional<RewritePass> pass = rewritePass(objective);
        return pass ? forEachRewriteRow(rows, *pass) : std::vector<int>{};
    }
    // Whether objective n's box can be ticked for a stand in `province`; every one can unless the
    // model says otherwise.
    virtual bool allowsObjective(int, const std::string&) const { return true; }
};

} // namespace timbra
