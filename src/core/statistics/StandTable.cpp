#include "core/statistics/StatisticsParts.h"

#include "core/grid/TrimSpaces.h"
#include "core/model/TreeFactors.h"

#include <cmath>
#include <numbers>

namespace timbra {

std::optional<StandTable> standTable(const StandResults& results, std::vector<std::string>& notes) {
    const std::optional<double> factor = plotExpansion(results.plotSize);
    const int plots = results.numberOfPlots;
    if (headerBelowTally(results)) {
        notes.push_back("No stand table: the header's plots do not cover the tally.");
        return std::nullopt;
    }
    if (!factor) {
        const std::string_view size = trimSpaces(results.plotSize);
        notes.push_back(size.empty() ? "No plot size: no stand table."
                                     : "The plot size \"" + std::string(size) +
                                           "\" has no expansion factor: no stand table.");
        return std::nullopt;
    }
    const StandTally& trees = results.standTally;

    StandTable table;
    table.expansionFactor = *factor;
    table.plots = plots;
    // A tree of d inches has pi d^2 / 576 square feet of basal area.
    auto treesPerAcre = [&](const TreeCount& t) { return t.trees * *factor / plots; };
    auto basalAreaPerAcre = [&](const TreeCount& t) {
        return t.squaredDiameters * std::numbers::pi / 576 * *factor / plots;
    };
    table.treesPerAcre = treesPerAcre(trees.stand());
    table.basalAreaPerAcre = basalAreaPerAcre(trees.stand());
    if (trees.stand().trees > 0)
        table.quadraticMeanDiameter =
            std::sqrt(table.basalAreaPerAcre / table.treesPerAcre * 576 / std::numbers::pi);
    for (const StandTally::DiameterClass& c : trees.classes()) {
        DiameterClassRow& row = table.classes.emplace_back();
        row.dbhClass = c.dbhClass;
        for (std::size_t k = 0; k < TableClassCount; ++k) {
            row.treesPerAcre[k] = treesPerAcre(c.byTreeClass[k]);
            row.basalAreaPerAcre[k] = basalAreaPerAcre(c.byTreeClass[k]);
        }
    }
    for (const StandTally::Species& s : trees.species()) {
        const double basalArea = basalAreaPerAcre(s.count);
        table.species.push_back(
            {s.code, treesPerAcre(s.count), basalArea, basalArea / table.basalAreaPerAcre * 100});
    }
    return table;
}

} // namespace timbra
