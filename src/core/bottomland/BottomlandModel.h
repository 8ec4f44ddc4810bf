#pragma once

#include "core/model/StandModel.h"

namespace timbra::bottomland {

// The bottomland model.
class Model final : public StandModel {
public:
    // Reads the stand header and the tally through the grid operations (never writing the sheet),
    // values every tree, and decides by objective.
    using StandModel::run;
    RunOutcome run(const Sheet& tally, const TreeRows& rows, const ObjectiveBoxes& boxes,
                   RunDetail detail) const override;
    // The rewrite pass that ticking objective n (1 to 3) makes over the species and tree classes.
    std::optional<RewritePass> rewritePass(int objective) const override;
};

inline const Model model{};

} // namespace timbra::bottomland
