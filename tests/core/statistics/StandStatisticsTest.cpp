// Sampling statistics against figures worked by hand from the formulas, the decision line, and
// the stand table's classes.
#include "statistics/StandStatistics.h"
#include "core/model/TallyBuilder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <optional>

using namespace timbra;
using test::Tree;

namespace {

using Figure = std::optional<double>;
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// Results as a run leaves them: the formed plot values, the header's plots and the decision.
StandResults resultsOf(int headerPlots, std::vector<double> plots, const char* decision = " ",
                       double cutoff = 0) {
    StandResults r;
    r.numberOfPlots = headerPlots;
    r.plotValue = std::move(plots);
    double sum = 0;
    for (double v : r.plotValue)
        sum += v;
    r.standValue = sum / headerPlots;
    r.decision = decision;
    r.cutoffIndex = cutoff;
    r.plotSize = "Tenth acre";
    return r;
}

void expectFigure(const char* what, const Figure& got, const Figure& want, const std::string& where) {
    ASSERT_EQ(got.has_value(), want.has_value()) << where << ": " << what;
    // The hand figures carry t to three decimals.
    if (want) {
        EXPECT_NEAR(*got, *want, 1e-3 * std::max(1.0, std::abs(*want))) << where << ": " << what;
    }
}

struct SamplingCase {
    const char* name;
    StandResults results;
    int n;
    double mean;
    Figure sd, se, t, cv, samplingError, low, high, threshold, confidence;
    std::optional<bool> settled;
    std::optional<int> toSettle, for10, for20;
    std::vector<std::string> notes;
};

const char* const NoDecision = "No decision was made: no threshold to weigh the plots against.";

TEST(SamplingStatistics, FiguresWorkedByHand) {
    const std::vector<SamplingCase> cases{
        // n = 2: s = sqrt(5^2 + 5^2) = 7.0711, se = 7.0711 / sqrt 2 = 5, t = 12.706,
        // t se = 63.53; confidence 0.5 + atan(14.95 / 5) / pi (one degree of freedom).
        {"n = 2",
         resultsOf(2, {10, 20}, "Regenerate", 30),
         2,
         15,
         7.0711,
         5,
         12.706,
         47.140,
         423.53,
         -48.53,
         78.53,
         29.95,
         0.89726,
         false,
         4,
         88,
         24,
         {}},
        // h > k: two empty plots of 0; s^2 = (16^2 + 6^2 + 26^2 + 24^2 + 24^2) / 4 = 530,
        // se = 23.022 / sqrt 5 = 10.296, t = 2.776.
        {"n = 5, two plots empty",
         resultsOf(5, {40, 30, 50}, "Regenerate", 30),
         5,
         24,
         23.022,
         10.296,
         2.776,
         95.924,
         119.10,
         -4.585,
         52.585,
         29.95,
         0.70285,
         false,
         60,
         356,
         91,
         {}},
        // s^2 = 2 (1 + 9 + 25 + 49 + 81) / 9 = 36.667, se = 1.9149, t = 2.262: 34.67 to 43.33
        // lies above 29.95.
        {"n = 10, settled",
         resultsOf(10, {30, 32, 34, 36, 38, 40, 42, 44, 46, 48}, "Manage", 30),
         10,
         39,
         6.0553,
         1.9149,
         2.262,
         15.526,
         11.107,
         34.668,
         43.332,
         29.95,
         0.99946,
         true,
         10,
         12,
         5,
         {}},
        {"h < k, no decision",
         resultsOf(2, {5, 10, 15}),
         3,
         10,
         5,
         2.8868,
         4.303,
         50,
         124.21,
         -2.421,
         22.421,
         {},
         {},
         {},
         {},
         99,
         27,
         {"The header gives 2 plots but the tally holds 3 plot groups; the statistics use 3.", NoDecision}},
        {"one plot",
         resultsOf(1, {12}, "Manage", 10),
         1,
         12,
         {},
         {},
         {},
         {},
         {},
         {},
         {},
         9.95,
         {},
         {},
         {},
         {},
         {},
         {"One plot: no sampling error."}},
        {"mean of 0",
         resultsOf(2, {10, -10}, "Regenerate", 30),
         2,
         0,
         14.142,
         10,
         12.706,
         {},
         {},
         -127.06,
         127.06,
         29.95,
         0.89742,
         false,
         4,
         {},
         {},
         {"A mean of 0: no coefficient of variation or sampling error."}},
        // Every plot alike: se = 0, so the threshold lies outside and the confidence is 1.
        {"s = 0",
         resultsOf(3, {20, 20, 20}, "Regenerate", 30),
         3,
         20,
         0,
         0,
         4.303,
         0,
         0,
         20,
         20,
         29.95,
         1,
         true,
         3,
         2,
         2,
         {}},
        {"mean on the threshold",
         resultsOf(2, {40, 60}, "Manage", 50.05),
         2,
         50,
         14.142,
         10,
         12.706,
         28.284,
         254.12,
         -77.06,
         177.06,
         50,
         0.5,
         false,
         {},
         34,
         11,
         {"The mean lies on the threshold: no number of plots settles the decision."}},
        // A blank header: the stand value is not a number, so nothing is weighed.
        {"no plots in the header",
         resultsOf(0, {10, 20}, "Regenerate", 30),
         2,
         15,
         7.0711,
         5,
         12.706,
         47.140,
         423.53,
         -48.53,
         78.53,
         {},
         {},
         {},
         {},
         88,
         24,
         {"The header gives 0 plots but the tally holds 2 plot groups; the statistics use 2.",
          "The stand value is not a number (the header gives no plots), so the plots support no decision; "
          "the "
          "figures are those of the plots formed."}},
        {"no cut-off",
         resultsOf(2, {10, 20}, "Error", 0),
         2,
         15,
         7.0711,
         5,
         12.706,
         47.140,
         423.53,
         -48.53,
         78.53,
         {},
         {},
         {},
         {},
         88,
         24,
         {"This objective has no cut-off for the province: no threshold to weigh the plots against."}},
        // Millions of plots would be needed: past the 100,000 searched.
        {"past 100,000 plots",
         resultsOf(2, {0, 100}, "Manage", 50),
         2,
         50,
         70.711,
         50,
         12.706,
         141.42,
         1270.6,
         -585.31,
         685.31,
         49.95,
         0.50032,
         false,
         {},
         771,
         195,
         {"More than 100,000 plots would be needed to settle the decision."}},
        {"error percentages past 100,000",
         resultsOf(2, {1, -0.999}),
         2,
         0.0005,
         1.4135,
         0.9995,
         12.706,
         282701,
         2539970,
         -12.699,
         12.700,
         {},
         {},
         {},
         {},
         {},
         {},
         {NoDecision}},
    };
    for (const SamplingCase& c : cases) {
        const SamplingStatistics s = computeStandStatistics(Sheet(10, 1500), c.results).sampling;
        EXPECT_EQ(s.plots, c.n) << c.name;
        EXPECT_EQ(s.plotsFormed, static_cast<int>(c.results.plotValue.size())) << c.name;
        EXPECT_EQ(s.plotsInHeader, c.results.numberOfPlots) << c.name;
        EXPECT_NEAR(s.mean, c.mean, 1e-12) << c.name;
        expectFigure("standard deviation", s.standardDeviation, c.sd, c.name);
        expectFigure("standard error", s.standardError, c.se, c.name);
        expectFigure("t", s.t, c.t, c.name);
        expectFigure("coefficient of variation", s.coefficientOfVariation, c.cv, c.name);
        expectFigure("sampling error", s.samplingErrorPercent, c.samplingError, c.name);
        expectFigure("low", s.low, c.low, c.name);
        expectFigure("high", s.high, c.high, c.name);
        expectFigure("threshold", s.threshold, c.threshold, c.name);
        expectFigure("confidence", s.confidence, c.confidence, c.name);
        EXPECT_EQ(s.settled, c.settled) << c.name;
        EXPECT_EQ(s.plotsToSettle, c.toSettle) << c.name;
        EXPECT_EQ(s.plotsFor10Percent, c.for10) << c.name;
        EXPECT_EQ(s.plotsFor20Percent, c.for20) << c.name;
        EXPECT_EQ(s.notes, c.notes) << c.name;
    }
}

// With as many plots in the header as formed, the mean is the stand value to the last bit.
TEST(SamplingStatistics, MeanIsTheStandValue) {
    const StandResults r = resultsOf(7, {0.1, 12.7, 3.3, 0, 9.9}, "Manage", 30);
    EXPECT_EQ(computeStandStatistics(Sheet(10, 1500), r).sampling.mean, r.standValue);
}

TEST(DecisionLine, SaysHowSureTheDecisionIs) {
    const std::pair<StandResults, const char*> cases[] = {
        {resultsOf(10, {30, 32, 34, 36, 38, 40, 42, 44, 46, 48}, "Manage", 30),
         "95% sure: the interval 34.7 to 43.3 lies above the threshold"},
        {resultsOf(3, {20, 20, 20}, "Regenerate", 30),
         "95% sure: the interval 20.0 to 20.0 lies below the threshold"},
        {resultsOf(5, {40, 30, 50}, "Regenerate", 30),
         "Not settled: the threshold 29.95 lies inside the interval -4.6 to 52.6; about 60 plots would "
         "settle it"},
        {resultsOf(2, {40, 60}, "Manage", 50.05), "Not settled: the threshold 50.00 lies inside the interval "
                                                  "-77.1 to 177.1; the mean lies on it, so no "
                                                  "number of plots would settle it"},
        {resultsOf(2, {0, 100}, "Manage", 50), "Not settled: the threshold 49.95 lies inside the interval "
                                               "-585.3 to 685.3; more than 100,000 plots would "
                                               "be needed to settle it"},
        {resultsOf(1, {12}, "Manage", 10),
         "One plot: no sampling error, so the plots cannot say how sure the decision is"},
        {resultsOf(2, {10, 20}),
         "No decision to weigh: the 95% interval of the plots' mean is -48.5 to 78.5"},
        {resultsOf(1, {12}), "No decision to weigh, and no sampling error to weigh it with"},
    };
    for (const auto& [results, line] : cases)
        EXPECT_EQ(decisionLine(computeStandStatistics(Sheet(10, 1500), results).sampling), line);
}

double basalArea(double dbh) {
    return std::numbers::pi * dbh * dbh / 576;
}

TEST(StandTable, TwoInchClassesByTreeClassAndSpecies) {
    // Tenth-acre plots, 2 in the header: each tree stands for 10 / 2 = 5 trees per acre.
    Sheet sheet = test::tally(test::UplandRows, 2, "Tenth acre", "",
                              {{1, 6, 0, 0, "Acceptable", " ", " ", "Preferred", " WO "},
                               {1, 7, 0, 0, "Acceptable", " ", " ", "Cull", "RM"},
                               {1, 8, 0, 0, "Acceptable", " ", " ", "cull", "WO"}, // not a listed class
                               {1, 0, 0, 0, " ", " ", " ", "Reserve", "RM"},       // no DBH: left out
                               {2, 40, 2, 1, "Desirable", "High", "Dominant", "Reserve", ""},
                               {2, 50, 2, 1, "Desirable", "High", "Dominant", "Cutting Stock", "WO"}});
    test::setTree(sheet, 13, {1, 20}); // below the row whose plot number is 0: not read
    const StandResults results = resultsOf(2, {0, 0});
    const StandStatistics st = computeStandStatistics(sheet, results);
    ASSERT_TRUE(st.standTable);
    const StandTable& t = *st.standTable;
    EXPECT_EQ(t.expansionFactor, 10);
    EXPECT_EQ(t.plots, 2);

    const std::vector<std::pair<int, std::vector<std::pair<StandTableClass, double>>>> classes{
        {6, {{TablePreferred, 6}}},
        {8, {{TableCull, 7}, {TableOther, 8}}},
        {40, {{TableReserve, 40}}},
        {50, {{TableCuttingStock, 50}}},
    };
    ASSERT_EQ(t.classes.size(), classes.size());
    for (std::size_t i = 0; i < classes.size(); ++i) {
        const auto& [dbhClass, trees] = classes[i];
        const DiameterClassRow& row = t.classes[i];
        EXPECT_EQ(row.dbhClass, dbhClass);
        std::array<double, TableClassCount> tpa{}, ba{};
        for (const auto& [treeClass, dbh] : trees) {
            tpa[treeClass] += 5;
            ba[treeClass] += basalArea(dbh) * 5;
        }
        for (std::size_t k = 0; k < TableClassCount; ++k) {
            EXPECT_DOUBLE_EQ(row.treesPerAcre[k], tpa[k]) << dbhClass << " " << StandTableClassNames[k];
            EXPECT_NEAR(row.basalAreaPerAcre[k], ba[k], 1e-12) << dbhClass << " " << StandTableClassNames[k];
        }
    }

    const double standBasalArea =
        5 * (basalArea(6) + basalArea(7) + basalArea(8) + basalArea(40) + basalArea(50));
    EXPECT_DOUBLE_EQ(t.treesPerAcre, 25);
    EXPECT_NEAR(t.basalAreaPerAcre, standBasalArea, 1e-12);
    // sqrt((36 + 49 + 64 + 1600 + 2500) / 5)
    EXPECT_NEAR(*t.quadraticMeanDiameter, std::sqrt(4249.0 / 5), 1e-12);

    // Codes trimmed, ordered by code, the empty code first.
    ASSERT_EQ(t.species.size(), 3u);
    EXPECT_EQ(t.species[0].code, "");
    EXPECT_EQ(t.species[1].code, "RM");
    EXPECT_EQ(t.species[2].code, "WO");
    EXPECT_DOUBLE_EQ(t.species[2].treesPerAcre, 15);
    EXPECT_NEAR(t.species[2].basalAreaPerAcre, 5 * (basalArea(6) + basalArea(8) + basalArea(50)), 1e-12);
    EXPECT_NEAR(t.species[1].basalAreaPercent, 100 * 5 * basalArea(7) / standBasalArea, 1e-12);
}

TEST(StandTable, MissingWithoutAnExpansionFactorAndEmptyWithoutTrees) {
    StandResults results = resultsOf(1, {0});
    results.plotSize = "Acre";
    const Sheet sheet = test::tally(test::UplandRows, 1, "Acre", "");
    StandStatistics st = computeStandStatistics(sheet, results);
    EXPECT_FALSE(st.standTable);
    EXPECT_THAT(st.sampling.notes,
                testing::Contains("The plot size \"Acre\" has no expansion factor: no stand table."));

    results.plotSize = "Half acre";
    st = computeStandStatistics(sheet, results);
    ASSERT_TRUE(st.standTable);
    EXPECT_EQ(st.standTable->expansionFactor, 2);
    EXPECT_EQ(st.standTable->treesPerAcre, 0);
    EXPECT_FALSE(st.standTable->quadraticMeanDiameter);
    EXPECT_TRUE(st.standTable->classes.empty());
}

} // namespace
