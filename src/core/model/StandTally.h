#pragma once

#include "core/model/TreeClasses.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace timbra {

// Tree classes of the stand table, in the order of its columns: a column per TreeClass, in its
// order, with every other text (TreeClass::None) under "Other".
inline constexpr int TableClassCount = static_cast<int>(TreeClass::None) + 1;
inline constexpr std::array<const char*, TableClassCount> StandTableClassNames{
    "Preferred", "Reserve", "Cutting Stock", "Cull", "Other"};

// Trees and the sum of their squared diameters (inches); the per-acre figures follow from them.
struct TreeCount {
    double trees = 0, squaredDiameters = 0;
    void add(double d) {
        trees += 1;
        squaredDiameters += d * d;
    }
};

// What the stand and stock table counts: the trees with a DBH above 0 by two-inch diameter class and
// tree class, and by species code. A Run gathers it on its own walk over the tally rows, so the
// statistics after a Run read no row again.
class StandTally {
public:
    struct DiameterClass {
        int dbhClass = 0; // an even DBH is its own class, an odd one belongs to the next even class
        std::array<TreeCount, TableClassCount> byTreeClass{};
    };
    struct Species {
        std::string code; // surrounding spaces trimmed
        TreeCount count;
    };

    // One tree, in row order; a DBH of 0 or below is left out.
    void add(int dbh, TreeClass treeClass, std::string_view speciesCode);

    std::vector<DiameterClass> classes() const; // ascending
    std::vector<Species> species() const;       // ordered by code
    const TreeCount& stand() const { return stand_; }

private:
    DiameterClass& classOf(int dbhClass);
    TreeCount& speciesOf(std::string_view code);

    // Both in order of first appearance, put in order once at the end; a tree's class is found
    // through `smallClasses_` (the classes of real diameters) and its species by a number made of
    // the code, so adding a tree costs a few comparisons of numbers.
    std::vector<DiameterClass> classes_;
    std::array<std::uint16_t, 64> smallClasses_{}; // dbhClass / 2 -> position + 1 in classes_
    std::vector<std::uint64_t> speciesKeys_;
    std::vector<Species> species_;
    TreeCount stand_;
};

} // namespace timbra
