#pragma once

#include "core/model/StandResults.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace timbra {

// How sure the plots make the decision: the sampling statistics of the plot values a Run formed,
// the threshold the decision compared with, and how many plots would settle it. A figure that does
// not exist for this sample (one plot, a mean of 0, no decision) is empty.
struct SamplingStatistics {
    int plots = 0;         // n: the plots the figures use
    int plotsFormed = 0;   // k: plot groups the run formed
    int plotsInHeader = 0; // h: the header's number of plots
    double mean = 0;
    std::optional<double> standardDeviation, standardError, coefficientOfVariation, t, samplingErrorPercent,
        low, high, threshold, confidence;
    std::optional<bool> settled;
    std::optional<int> plotsToSettle, plotsFor10Percent, plotsFor20Percent;
    std::vector<std::string> notes;
};

struct DiameterClassRow {
    int dbhClass = 0; // two-inch class: an even DBH is its own class, an odd one the next even class
    std::array<double, TableClassCount> treesPerAcre{};
    std::array<double, TableClassCount> basalAreaPerAcre{}; // square feet
};

struct SpeciesRow {
    std::string code; // column C, surrounding spaces trimmed
    double treesPerAcre = 0, basalAreaPerAcre = 0, basalAreaPercent = 0;
};

// Stand and stock table per acre, from the rows Run reads, for trees with a DBH above 0.
struct StandTable {
    double expansionFactor = 0;
    int plots = 0;
    double treesPerAcre = 0, basalAreaPerAcre = 0;
    std::optional<double> quadraticMeanDiameter;
    std::vector<DiameterClassRow> classes; // ascending
    std::vector<SpeciesRow> species;       // ordered by code
};

struct StandStatistics {
    SamplingStatistics sampling;          // its notes also say why a stand table is missing
    std::optional<StandTable> standTable; // empty for a plot size without an expansion factor
};

// Works the statistics out from the results a Run formed; the stand table comes from the trees the
// Run gathered on its walk.
StandStatistics computeStandStatistics(const StandResults& results);

// The one line shown under the result boxes, for example
// "95% sure: the interval 21.6 to 34.9 lies above the threshold" or
// "Not settled: the threshold 29.95 lies inside the interval 21.6 to 34.9; about 11 plots would settle it".
std::string decisionLine(const SamplingStatistics& statistics);

} // namespace timbra
