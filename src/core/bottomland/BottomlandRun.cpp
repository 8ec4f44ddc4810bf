#include "core/bottomland/BottomlandModel.h"
#include "core/bottomland/TreeRecord.h"
#include "core/model/TallyRun.h"

#include <array>

namespace timbra::bottomland {

namespace {
// Cut-offs of objectives 1 to 3.
constexpr std::array<Cutoff, 3> Cutoffs{Cutoff{50}, Cutoff{35}, Cutoff{44}};
} // namespace

RunOutcome Model::run(const Sheet& tally, const TreeRows& rows, const ObjectiveBoxes& boxes,
                      RunDetail detail) const {
    RunOutcome outcome;
    StandResults& results = outcome.results;
    readStandHeader(tally, results, false);

    TreeRecord tree;
    tree.SetStand(results.numberOfPlots, results.plotSize, boxes.flag(1), boxes.flag(2), boxes.flag(3));
    walkTally(
        rows,
        [&tree](const TreeRow& row) {
            tree.Evaluate(row);
            return tree.perAcreValue;
        },
        PercentForm::CountTimes100OverTotal, outcome, detail);

    // The last ticked objective decides.
    for (int objective = 1; objective <= 3; ++objective)
        if (boxes.isChecked(objective))
            decide(results, objective, Cutoffs[static_cast<std::size_t>(objective - 1)]);

    finishRun(outcome);
    return outcome;
}

} // namespace timbra::bottomland
