#include "core/statistics/StudentT.h"

#include <boost/math/distributions/students_t.hpp>

#include <algorithm>
#include <array>
#include <atomic>
#include <limits>

namespace timbra {

namespace {

// Errors give NaN instead of throwing; doubles are worked in double (the figures are shown to a
// few digits, and a summary works out thousands of them).
using Policy = boost::math::policies::policy<
    boost::math::policies::domain_error<boost::math::policies::ignore_error>,
    boost::math::policies::pole_error<boost::math::policies::ignore_error>,
    boost::math::policies::overflow_error<boost::math::policies::ignore_error>,
    boost::math::policies::evaluation_error<boost::math::policies::ignore_error>,
    boost::math::policies::rounding_error<boost::math::policies::ignore_error>,
    boost::math::policies::promote_double<false>>;
using StudentsT = boost::math::students_t_distribution<double, Policy>;

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

} // namespace

double tQuantile95(int degreesOfFreedom) {
    if (degreesOfFreedom < 1) return NaN;
    // The searches for plots needed meet the same counts again and again (a summary works out the
    // figures for every objective of every file), and a quantile costs microseconds, so each is
    // worked out once (800 KB at most, filled as met).
    constexpr int Remembered = MostPlotsSearched;
    static std::array<std::atomic<double>, Remembered> known{}; // 0: not worked out yet
    if (degreesOfFreedom >= Remembered) return boost::math::quantile(StudentsT(degreesOfFreedom), 0.975);
    std::atomic<double>& slot = known[static_cast<std::size_t>(degreesOfFreedom)];
    double t = slot.load(std::memory_order_relaxed);
    if (t == 0) {
        t = boost::math::quantile(StudentsT(degreesOfFreedom), 0.975);
        slot.store(t, std::memory_order_relaxed);
    }
    return t;
}

double tDistribution(int degreesOfFreedom, double x) {
    if (degreesOfFreedom < 1 || std::isnan(x)) return NaN;
    return boost::math::cdf(StudentsT(degreesOfFreedom), x);
}

std::optional<int> fewestPlots(int first, const std::function<bool(int plots, double t)>& enough) {
    auto holds = [&](int m) { return enough(m, tQuantile95(m - 1)); };
    if (first > MostPlotsSearched) return std::nullopt;
    // Double the count until `enough` holds (most answers are a few dozen plots), then halve
    // [low, high], keeping `enough` false below low and true at high.
    int low = first, high = first;
    while (!holds(high)) {
        if (high == MostPlotsSearched) return std::nullopt;
        low = high + 1;
        high = std::min(MostPlotsSearched, 2 * high);
    }
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (holds(middle))
            high = middle;
        else
            low = middle + 1;
    }
    return high;
}

} // namespace timbra
