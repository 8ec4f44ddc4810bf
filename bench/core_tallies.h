#pragma once

// Full tallies for the core benchmarks: every one of the 1,495 tree rows filled, 40 plots, with
// a realistic mix of species, sizes and classes that passes every check of the run.

#include "cli/StandSession.h"
#include "core/app/ProgramProfile.h"

#include <array>
#include <cstdint>
#include <string>

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

namespace timbra::bench {

// A tally file as a cruise leaves it, different for every seed: its own stand name, location and
// number of plots, small trees with the height, grade and vigor cells blank ("0.0", "0", " ") as the
// dialog writes them, and about one tree in ten with a check message (vigor without height and grade,
// a DBH of 5 or less, an unacceptable species in growing stock, a height under a log, a missing
// species or tree class). One list cell in a hundred is typed in lower case. All 1,495 tree rows are filled.
inline std::string realisticTallyText(bool withProvince, std::uint32_t seed) {
    static constexpr std::array<const char*, 14> codes{"WO",  "NRO", "YLP", "SUM", "CHO", "SWG", "RM",
                                                       "HIC", "SCO", "BLG", "BEE", "WA",  "BC",  "SO"};
    static constexpr std::array<const char*, 3> species{"Desirable", "Acceptable", "Unacceptable"};
    static constexpr std::array<const char*, 3> vigor{"High", "Medium", "Low"};
    static constexpr std::array<const char*, 4> crowns{"Dominant", "Co-dominant", "Intermediate",
                                                       "Suppressed"};
    static constexpr std::array<const char*, 4> classes{"Preferred", "Reserve", "Cutting Stock", "Cull"};
    static constexpr std::array<const char*, 4> plotSizes{"Fifth acre", "Tenth acre", "Quarter acre",
                                                          "Fifth acre"};
    seed = seed * 2654435761u + 1u;
    auto pick = [&seed](std::uint32_t n) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % n;
    };
    // Now and then a list text typed in lower case, which Open stores as typing would.
    auto typed = [&pick](const char* text) {
        std::string t(text);
        if (pick(100) == 0)
            for (char& ch : t)
                ch = static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch);
        return t;
    };
    const int plots = 20 + static_cast<int>(pick(21));
    const std::string n = std::to_string(seed % 100000);
    std::string text = ",,,,,,,,,\r";
    text += "Stand Name,,Stand " + n + " oak-hickory,,,,Plot Size," + plotSizes[pick(plotSizes.size())] +
            ",Number of Plots," + std::to_string(plots) + "\r";
    text += "Stand Location,,Compartment " + std::to_string(pick(60)) + " - tract " + n + ",,,,,," +
            (withProvince ? "Province,Cumberland\r" : ",\r");
    text += ",,,,,,,,,\rPlot #,Tree #,Species,Species Class,DBH,Height,Grade,Vigor,Crown Class,Tree Class\r";
    for (int tree = 1; tree <= FullTallyTrees; ++tree) {
        int dbh = 6 + static_cast<int>(pick(25));
        std::size_t speciesClass = pick(3), treeClass = pick(4);
        if (speciesClass == 2 && treeClass < 2) treeClass = 2; // no "Unacceptable" growing stock
        std::string height, grade, vig;
        if (dbh > 10) {
            height = std::to_string(1 + pick(6) / 2) + (pick(2) ? ".5" : ".0");
            grade = std::to_string(1 + pick(3));
            vig = typed(vigor[pick(3)]);
        } else {
            height = "0.0", grade = "0", vig = " ";
        }
        std::string speciesText = typed(species[speciesClass]);
        switch (pick(100)) { // about one tree in ten with a message
        case 0:
        case 1:
        case 2:
        case 3:
            if (dbh > 10)
                height = "0.0", grade = "0";
            else
                vig = "Medium";
            break;
        case 4:
            dbh = 3 + static_cast<int>(pick(3));
            height = "0.0", grade = "0", vig = " ";
            break;
        case 5:
            treeClass = classes.size(); // left blank
            break;
        case 6:
        case 7:
            speciesText = "Unacceptable", treeClass = pick(2);
            break;
        case 8:
            if (dbh > 10)
                height = "0.5";
            else
                speciesText = " ";
            break;
        case 9:
            speciesText = " ";
            break;
        default:
            break;
        }
        text += std::to_string(1 + (tree - 1) * plots / FullTallyTrees) + ',' + std::to_string(tree) + ',' +
                codes[pick(codes.size())] + ',' + speciesText + ',' + std::to_string(dbh) + ',' + height +
                ',' + grade + ',' + vig + ',' + typed(crowns[pick(4)]) + ',' +
                (treeClass < classes.size() ? typed(classes[treeClass]) : " ") + '\r';
    }
    return text;
}

} // namespace timbra::bench
