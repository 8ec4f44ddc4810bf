#include "core/upland/CutoffTable.h"
#include "core/upland/TreeRecord.h"
#include "core/upland/UplandModel.h"

namespace timbra::upland {

RunOutcome Model::run(const Sheet& tally, const TreeRows& rows, const ObjectiveBoxes& boxes,
                      RunDetail detail) const {
    RunOutcome outcome;
    StandResults& results = outcome.results;
    readStandHeader(tally, results, true);

    TreeRecord tree;
    tree.SetStand(results.numberOfPlots, results.plotSize, boxes.flag(1), boxes.flag(2), boxes.flag(3),
                  boxes.flag(4));
    walkTally(
        rows,
        [&tree](const TreeRow& row) {
            tree.Evaluate(row);
            return tree.perAcreValue;
        },
        PercentForm::QuotientTimes100, outcome, detail);

    // The last ticked objective decides; without a known province nothing is decided.
    const ProvinceCutoffs* cutoffs = findProvince(results.province);
    if (cutoffs)
        for (int objective = 1; objective <= 4; ++objective)
            if (boxes.isChecked(objective))
                decide(results, objective, cutoffs->byObjective[static_cast<std::size_t>(objective - 1)]);

    finishRun(outcome);
    // Any text that names none of the provinces (an empty cell, or an unknown text read from a
    // file) leaves the stand undecided, so the user is asked for one.
    if (!cutoffs) outcome.closingMessages.push_back("Please insert a physiographic province.");
    return outcome;
}

bool Model::allowsObjective(int objective, const std::string& province) const {
    const ProvinceCutoffs* cutoffs = findProvince(province);
    return !cutoffs || cutoffs->byObjective.at(static_cast<std::size_t>(objective - 1)).has_value();
}

} // namespace timbra::upland
