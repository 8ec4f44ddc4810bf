#include "core/model/TallyRun.h"
#include "core/statistics/StatisticsParts.h"
#include "core/statistics/StudentT.h"

#include "core/model/ValueFormat.h"

#include <cmath>

namespace timbra {

namespace {

// The figure the decision compared the stand value with, when the sample can speak to it: a
// "Manage" or "Regenerate" from a cut-off and a finite stand value. Otherwise a note says why not.
std::optional<double> weighableThreshold(const StandResults& results, std::vector<std::string>& notes) {
    const bool decided = isDecided(results.decision);
    if (decided && results.cutoffIndex > 0 && std::isfinite(results.standValue))
        return decisionThreshold(results.cutoffIndex);
    if (results.decision == Decision::Error)
        notes.push_back(
            "This objective has no cut-off for the province: no threshold to weigh the plots against.");
    else if (!decided)
        notes.push_back("No decision was made: no threshold to weigh the plots against.");
    else
        notes.push_back("The stand value is not a number, so the plots support no decision.");
    return std::nullopt;
}

// How sure the plots make the side of the threshold the mean lies on, and what would settle it.
void weighThreshold(SamplingStatistics& s, double threshold, double sd) {
    const double distance = std::abs(s.mean - threshold);
    const double se = *s.standardError;
    s.confidence = se > 0 ? tDistribution(s.plots - 1, distance / se) : (distance > 0 ? 1.0 : 0.5);
    s.settled = threshold < *s.low || threshold > *s.high;
    if (distance == 0) {
        s.notes.push_back("The mean lies on the threshold: no number of plots settles the decision.");
    } else if (*s.settled) {
        s.plotsToSettle = s.plots;
    } else {
        s.plotsToSettle =
            fewestPlots(s.plots, [&](int m, double t) { return t * sd / std::sqrt(m) < distance; });
        if (!s.plotsToSettle)
            s.notes.push_back("More than 100,000 plots would be needed to settle the decision.");
    }
}

// Plots a cruise of this variability needs for an allowable error of `percent` at 95%.
std::optional<int> plotsForError(double sd, double mean, double percent) {
    return fewestPlots(
        2, [&](int m, double t) { return 100 * t * sd / (std::sqrt(m) * std::abs(mean)) <= percent; });
}

// Why a header below the tally leaves nothing to weigh, with the figures the decision took.
std::string headerNote(const StandResults& results) {
    const bool decided = isDecided(results.decision);
    return "The header gives " + std::to_string(results.numberOfPlots) + " plots but the tally holds " +
           std::to_string(results.plotValue.size()) + " plot groups: the stand value " +
           formatFixed(results.standValue, 1) + " divides their sum by " +
           std::to_string(results.numberOfPlots) +
           (decided ? ", so it and the decision \"" + std::string(decisionText(results.decision)) +
                          "\" mean nothing."
                    : ", so it means nothing.") +
           " Correct the Number of Plots and run again.";
}

} // namespace

SamplingStatistics samplingStatistics(const StandResults& results) {
    SamplingStatistics s;
    s.plotsFormed = static_cast<int>(results.plotValue.size());
    s.plotsInHeader = results.numberOfPlots;
    // The plots and the mean of the decision: plots on which no tree was tallied are plots of value 0,
    // which is why the stand value divides by the header's count.
    s.plots = results.numberOfPlots;
    if (headerBelowTally(results)) {
        s.mean = results.standValue;
        s.notes.push_back(headerNote(results));
        return s;
    }

    const double n = s.plots;
    double sum = 0;
    for (const double x : results.plotValue)
        sum += x;
    s.mean = sum / n;
    const std::optional<double> threshold = weighableThreshold(results, s.notes);
    s.threshold = threshold;
    if (s.plots == 1) {
        s.notes.push_back("One plot: no sampling error.");
        return s;
    }

    // Two passes; the plots of value 0 are counted without being listed.
    double squares = 0;
    for (const double x : results.plotValue)
        squares += (x - s.mean) * (x - s.mean);
    squares += (n - s.plotsFormed) * s.mean * s.mean;
    const double sd = std::sqrt(squares / (n - 1));
    const double se = sd / std::sqrt(n);
    const double t = tQuantile95(s.plots - 1);
    s.standardDeviation = sd;
    s.standardError = se;
    s.t = t;
    s.low = s.mean - t * se;
    s.high = s.mean + t * se;
    if (s.mean != 0) {
        s.coefficientOfVariation = 100 * sd / std::abs(s.mean);
        s.samplingErrorPercent = 100 * t * se / std::abs(s.mean);
        s.plotsFor10Percent = plotsForError(sd, s.mean, 10);
        s.plotsFor20Percent = plotsForError(sd, s.mean, 20);
    } else {
        s.notes.push_back("A mean of 0: no coefficient of variation or sampling error.");
    }
    if (threshold) weighThreshold(s, *threshold, sd);
    return s;
}

} // namespace timbra
