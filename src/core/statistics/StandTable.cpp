#include "model/TallyRun.h"
#include "model/TreeFactors.h"
#include "statistics/StatisticsParts.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>

namespace timbra {

namespace {

StandTableClass tableClassOf(std::string_view treeClass) {
    static constexpr std::array<std::string_view, TableOther> names{
        StandTableClassNames[TablePreferred], StandTableClassNames[TableReserve],
        StandTableClassNames[TableCuttingStock], StandTableClassNames[TableCull]};
    for (std::size_t c = 0; c < names.size(); ++c)
        if (treeClass == names[c]) return static_cast<StandTableClass>(c);
    return TableOther;
}

// Two-inch classes: an odd DBH belongs to the next even class. A DBH read from a file can be any
// 32-bit number; the largest one keeps its own class rather than overflow.
int diameterClassOf(int dbh) {
    return dbh % 2 == 0 || dbh == INT_MAX ? dbh : dbh + 1;
}

std::string_view trimmedCode(std::string_view code) {
    if (!code.empty() && code.front() != ' ' && code.back() != ' ') return code;
    const auto first = code.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return code.substr(first, code.find_last_not_of(' ') - first + 1);
}

// Trees and the sum of their squared diameters; the per-acre figures follow at the end.
struct Tally {
    double trees = 0, squaredDiameters = 0;
    void add(double d) {
        trees += 1;
        squaredDiameters += d * d;
    }
};

struct ClassTally {
    int dbhClass;
    std::array<Tally, TableClassCount> byTreeClass{};
};

} // namespace

std::optional<StandTable> standTable(const Sheet& tally, const StandResults& results, int plots,
                                     std::vector<std::string>& notes) {
    const std::optional<double> factor = plotExpansion(results.plotSize);
    if (!factor || plots < 1) {
        const std::string_view size = trimmedCode(results.plotSize);
        notes.push_back(size.empty() ? "No plot size: no stand table."
                                     : "The plot size \"" + std::string(size) +
                                           "\" has no expansion factor: no stand table.");
        return std::nullopt;
    }

    // The rows Run reads: row 6, then on to the first plot number 0 or the last tree row.
    std::vector<ClassTally> classes;                    // ascending by class
    std::vector<std::pair<std::string, Tally>> species; // ordered by code
    Tally stand;
    for (int row = FirstTreeRow; row <= LastTreeRow; ++row) {
        const int dbh = tally.GetInteger(DbhColumn, row);
        if (dbh > 0) {
            const int dbhClass = diameterClassOf(dbh);
            auto at = std::lower_bound(classes.begin(), classes.end(), dbhClass,
                                       [](const ClassTally& c, int d) { return c.dbhClass < d; });
            if (at == classes.end() || at->dbhClass != dbhClass)
                at = classes.insert(at, ClassTally{dbhClass});
            const double d = dbh;
            at->byTreeClass[tableClassOf(tally.GetText(TreeClassColumn, row))].add(d);
            const std::string_view code = trimmedCode(tally.GetText(SpeciesColumn, row));
            auto found =
                std::lower_bound(species.begin(), species.end(), code,
                                 [](const auto& entry, std::string_view c) { return entry.first < c; });
            if (found == species.end() || found->first != code)
                found = species.emplace(found, std::string(code), Tally{});
            found->second.add(d);
            stand.add(d);
        }
        if (tally.GetInteger(PlotColumn, row + 1) == 0) break;
    }

    StandTable table;
    table.expansionFactor = *factor;
    table.plots = plots;
    // A tree of d inches has pi d^2 / 576 square feet of basal area.
    auto treesPerAcre = [&](const Tally& t) { return t.trees * *factor / plots; };
    auto basalAreaPerAcre = [&](const Tally& t) {
        return t.squaredDiameters * std::numbers::pi / 576 * *factor / plots;
    };
    table.treesPerAcre = treesPerAcre(stand);
    table.basalAreaPerAcre = basalAreaPerAcre(stand);
    if (stand.trees > 0)
        table.quadraticMeanDiameter =
            std::sqrt(table.basalAreaPerAcre / table.treesPerAcre * 576 / std::numbers::pi);
    for (const ClassTally& c : classes) {
        DiameterClassRow& row = table.classes.emplace_back();
        row.dbhClass = c.dbhClass;
        for (std::size_t k = 0; k < TableClassCount; ++k) {
            row.treesPerAcre[k] = treesPerAcre(c.byTreeClass[k]);
            row.basalAreaPerAcre[k] = basalAreaPerAcre(c.byTreeClass[k]);
        }
    }
    for (const auto& [code, t] : species) {
        const double basalArea = basalAreaPerAcre(t);
        table.species.push_back({code, treesPerAcre(t), basalArea, basalArea / table.basalAreaPerAcre * 100});
    }
    return table;
}

} // namespace timbra
