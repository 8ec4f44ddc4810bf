#pragma once

// Full tallies for the core benchmarks: every one of the 1,495 tree rows filled, 40 plots, with
// a realistic mix of species, sizes and classes that passes every check of the run.

#include "cli/StandSession.h"
#include "core/app/ProgramProfile.h"

#include <array>
#include <cstdint>

namespace timbra::bench {

inline constexpr int FullTallyTrees = 1495;

inline Sheet fullTally(const ProgramProfile& profile) {
    static constexpr std::array<const char*, 8> codes{"WO", "NRO", "YLP", "SUM", "CHO", "SWG", "RM", "HIC"};
    static constexpr std::array<const char*, 3> species{"Desirable", "Acceptable", "Unacceptable"};
    static constexpr std::array<const char*, 3> vigor{"High", "Medium", "Low"};
    static constexpr std::array<const char*, 4> crowns{"Dominant", "Co-dominant", "Intermediate",
                                                       "Suppressed"};
    static constexpr std::array<const char*, 4> classes{"Preferred", "Reserve", "Cutting Stock", "Cull"};

    Sheet s = cli::openingTally(profile);
    s.SetText(3, 2, "Benchmark stand");
    s.SetText(3, 3, "Full tally");
    s.SetText(8, 2, "Fifth acre");
    if (profile.hasProvince) s.SetText(10, 3, "Cumberland");
    s.SetInteger(10, 2, 40);

    std::uint32_t seed = 12345;
    auto pick = [&seed](std::uint32_t n) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % n;
    };
    for (int tree = 1; tree <= FullTallyTrees; ++tree) {
        const int row = tree + 5;
        const int dbh = 6 + static_cast<int>(pick(25));
        std::size_t speciesClass = pick(3), treeClass = pick(4);
        if (speciesClass == 2 && treeClass < 2) treeClass = 2; // no "Unacceptable" growing stock
        s.SetInteger(1, row, 1 + (tree - 1) * 40 / FullTallyTrees);
        s.SetInteger(2, row, tree);
        s.SetText(3, row, codes[pick(codes.size())]);
        s.SetText(4, row, species[speciesClass]);
        s.SetInteger(5, row, dbh);
        if (dbh > 10) {
            s.SetFloat(6, row, 1.0 + 0.5 * pick(6));
            s.SetInteger(7, row, 1 + static_cast<int>(pick(3)));
            s.SetText(8, row, vigor[pick(3)]);
        }
        s.SetText(9, row, crowns[pick(4)]);
        s.SetText(10, row, classes[treeClass]);
    }
    return s;
}

} // namespace timbra::bench
