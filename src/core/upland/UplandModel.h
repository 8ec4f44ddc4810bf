#pragma once

#include "core/model/StandModel.h"

namespace timbra::upland {

// The upland model.
class Model final : public StandModel {
public:
    // Reads the stand header and the tally through the grid operations (never writing the sheet),
    // values every tree, and decides by province and objective.
    using StandModel::run;
    RunOutcome run(const Sheet& tally, const TreeRows& rows, const ObjectiveBoxes& boxes,
                   RunDetail detail) const override;
    // The rewrite pass that ticking objective n (1 to 4) makes over the species and tree classes.
    std::optional<RewritePass> rewritePass(int objective) const override;
    // A province without a cut-off for objective n leaves it out; any other text (no province yet)
    // allows every objective, and Run asks for a province.
    bool allowsObjective(int objective, const std::string& province) const override;
};

inline const Model model{};

} // namespace timbra::upland
