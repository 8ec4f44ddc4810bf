#include "core/bottomland/TreeRecord.h"

#include "core/model/TallyRun.h"
#include "core/model/TreeFactors.h"

#include <utility>

namespace timbra::bottomland {

using namespace std::string_view_literals;

double heightFactor(double height) {
    if (height < 1.0) return 0.0;
    if (height < 1.5) return 1.0;
    if (height < 2.5) return 1.5;
    return 2.0;
}

std::optional<double> plotFactor(const std::string& plotSize) {
    if (plotSize == " "sv) return 1.0;
    return plotExpansion(plotSize);
}

void TreeRecord::SetStand(int numberOfPlots, std::string plotSize, int objective1, int objective2,
                          int objective3) {
    this->numberOfPlots = numberOfPlots;
    this->plotSize = std::move(plotSize);
    expansion_ = plotFactor(this->plotSize);
    this->objective1 = objective1;
    this->objective2 = objective2;
    this->objective3 = objective3;
}

void TreeRecord::Evaluate(int dbh, double height, int grade, std::string_view speciesClass,
                          std::string_view vigor, std::string_view crownClass, std::string_view treeClass) {
    Evaluate(treeRowOf(dbh, height, grade, speciesClass, vigor, crownClass, treeClass));
}

void TreeRecord::Evaluate(const TreeRow& tree) {
    storeTreeInputs(*this, tree);
    classes_ = tree.classes;

    treeValue = valueOnPlot();
    perAcreValue = expansion_ ? treeValue * *expansion_ : 0.0;
}

double TreeRecord::sawtimberValue(double rankSum, double weight) const {
    const bool sawtimberData = height != 0 && grade != 0;
    const bool noSawtimberData = height == 0 && grade == 0;
    double value = 0;
    if (classes_.tree == TreeClass::Preferred && sawtimberData)
        value = rankSum * weight * OneTwelfth;
    else if (classes_.tree == TreeClass::Reserve && sawtimberData)
        value = ReserveShare * (rankSum * weight * OneTwelfth);
    else if (isRemoval(classes_.tree))
        value = RemovalWeight * weight;
    if (isGrowingStock(classes_.tree) && noSawtimberData) value = weight;
    return value;
}

double TreeRecord::valueOnPlot() const {
    const double weight = diameterFactor(dbh, LargestDbh);
    const double rankSum = vigorFactor(classes_.vigor) + crownFactor(classes_.crown) +
                           speciesFactor(classes_.species) + gradeFactor(grade) + heightFactor(height);

    // Every objective: small growing stock of a commercial species is worth its diameter weight;
    // trees of 5 inches or less, other small trees and removals stay at 0 unless a later rule
    // values them, and so does a tree that no rule values.
    double value = 0;
    if (dbh >= SmallestMerchantableDbh && dbh <= LargestPoletimberDbh && isCommercial(classes_.species) &&
        isGrowingStock(classes_.tree))
        value = weight;

    // Objective 3 has no largest diameter.
    if (objective3 == 1 && dbh >= SmallestSawtimberDbh) value = sawtimberValue(rankSum, weight);

    // Objectives 1 and 2 value trees alike and remove every tree over the largest growing diameter.
    if (objective1 == 1 || objective2 == 1) {
        if (dbh >= SmallestSawtimberDbh && dbh <= LargestGrowingDbh)
            value = sawtimberValue(rankSum, weight);
        else if (dbh > LargestGrowingDbh)
            value = RemovalWeight * weight;
    }
    return value;
}

} // namespace timbra::bottomland
