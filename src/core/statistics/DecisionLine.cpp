#include "core/statistics/StandStatistics.h"

#include "core/model/ValueFormat.h"

namespace timbra {

namespace {

std::string interval(const SamplingStatistics& s) {
    return "the interval " + formatFixed(*s.low, 1) + " to " + formatFixed(*s.high, 1);
}

} // namespace

std::string decisionLine(const SamplingStatistics& s) {
    if (s.plotsInHeader < s.plotsFormed || s.plotsInHeader < 1)
        return "The decision means nothing: the header gives " + std::to_string(s.plotsInHeader) +
               " plots for the tally's " + std::to_string(s.plotsFormed) +
               " plot groups; correct the Number of Plots";
    if (!s.threshold) {
        if (!s.low) return "No decision to weigh, and no sampling error to weigh it with";
        return "No decision to weigh: the 95% interval of the plots' mean is " + formatFixed(*s.low, 1) +
               " to " + formatFixed(*s.high, 1);
    }
    if (!s.settled) return "One plot: no sampling error, so the plots cannot say how sure the decision is";
    if (*s.settled)
        return "95% sure: " + interval(s) + " lies " + (*s.low > *s.threshold ? "above" : "below") +
               " the threshold";
    std::string line =
        "Not settled: the threshold " + formatFixed(*s.threshold, 2) + " lies inside " + interval(s) + "; ";
    if (s.plotsToSettle)
        line += "about " + std::to_string(*s.plotsToSettle) + " plots would settle it";
    else if (s.mean == *s.threshold)
        line += "the mean lies on it, so no number of plots would settle it";
    else
        line += "more than 100,000 plots would be needed to settle it";
    return line;
}

} // namespace timbra
