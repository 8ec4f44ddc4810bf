#include "core/upland/TreeRecord.h"

#include "core/model/TallyRun.h"
#include "core/model/TreeFactors.h"

#include <utility>

namespace timbra::upland {

double heightFactor(double height) {
    if (height >= 1.0 && height < 1.5) return 1.0;
    if (height >= 1.5 && height < 2.5) return 1.5;
    if (height >= 2.5 && height < 4.0) return 2.0;
    return 0.0;
}

void TreeRecord::SetStand(int numberOfPlots, std::string plotSize, int objective1, int objective2,
                          int objective3, int objective4) {
    this->numberOfPlots = numberOfPlots;
    this->plotSize = std::move(plotSize);
    expansion_ = plotExpansion(this->plotSize);
    this->objective1 = objective1;
    this->objective2 = objective2;
    this->objective3 = objective3;
    this->objective4 = objective4;
}

void TreeRecord::Evaluate(int dbh, double height, int grade, std::string_view speciesClass,
                          std::string_view vigor, std::string_view crownClass, std::string_view treeClass) {
    Evaluate(treeRowOf(dbh, height, grade, speciesClass, vigor, crownClass, treeClass));
}

void TreeRecord::Evaluate(const TreeRow& tree) {
    storeTreeInputs(*this, tree);
    classes_ = tree.classes;

    treeValue = valueOnPlot();
    perAcreValue = expansion_ ? treeValue * *expansion_ : UnknownPlotSizeValue;
}

double TreeRecord::valueOnPlot() const {
    const double diameter = diameterFactor(dbh, LargestDbh);
    const double quality = vigorFactor(classes_.vigor) + crownFactor(classes_.crown) +
                           speciesFactor(classes_.species) + gradeFactor(grade) + heightFactor(height);

    // Every objective: small growing stock of a commercial species is worth its diameter factor;
    // trees under 6 inches, other small trees and removals stay at 0 unless a later rule values
    // them, and so does a tree that no rule values.
    double value = 0;
    if (dbh >= SmallestMerchantableDbh && dbh <= LargestPoletimberDbh && isCommercial(classes_.species) &&
        isGrowingStock(classes_.tree))
        value = diameter;

    // Objectives 1 and 4: no largest diameter.
    if ((objective1 == 1 || objective4 == 1) && dbh >= SmallestSawtimberDbh)
        value = sawtimberValue(quality * OneTwelfth * diameter, quality, diameter);

    // Objectives 2 and 3: every tree over the largest growing diameter is to be removed.
    if (objective2 == 1 || objective3 == 1) {
        if (dbh > LargestGrowingDbh)
            value = diameter * RemovalWeight;
        else if (dbh >= SmallestSawtimberDbh)
            value = sawtimberValue(quality * diameter * OneTwelfth, quality, diameter);
    }

    return value;
}

double TreeRecord::sawtimberValue(double preferredValue, double quality, double diameter) const {
    const bool sawtimberData = height != 0 && grade != 0;
    const bool noSawtimberData = height == 0 && grade == 0;
    double value = 0;
    if (classes_.tree == TreeClass::Preferred && sawtimberData)
        value = preferredValue;
    else if (classes_.tree == TreeClass::Reserve && sawtimberData)
        value = quality * diameter * OneTwelfth * ReserveShare;
    else if (isRemoval(classes_.tree))
        value = diameter * RemovalWeight;
    if (isGrowingStock(classes_.tree) && noSawtimberData) value = diameter;
    return value;
}

} // namespace timbra::upland
