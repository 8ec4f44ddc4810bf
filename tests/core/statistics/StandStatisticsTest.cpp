// Sampling statistics against figures worked by hand (tests/data/cases/statistics.json), the
// decision line, and the stand table's classes.
#include "core/statistics/StandStatistics.h"
#include "core/TestFiles.h"
#include "core/upland/UplandModel.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <stdexcept>

using namespace timbra;
using nlohmann::json;

namespace {

// The decision a case names by its box text.
Decision decisionNamed(const std::string& text) {
    for (const Decision d : {Decision::None, Decision::Manage, Decision::Regenerate, Decision::Error})
        if (decisionText(d) == text) return d;
    throw std::invalid_argument("no decision is written \"" + text + "\"");
}

// Results as a run leaves them: the formed plot values, the header's plots and the decision.
StandResults resultsOf(int headerPlots, std::vector<double> plots, const std::string& decision,
                       double cutoff) {
    StandResults r;
    r.numberOfPlots = headerPlots;
    r.plotValue = std::move(plots);
    double sum = 0;
    for (double v : r.plotValue)
        sum += v;
    r.standValue = sum / headerPlots;
    r.decision = decisionNamed(decision);
    r.cutoffIndex = cutoff;
    r.plotSize = "Tenth acre";
    return r;
}

template <typename T> std::optional<double> figure(const std::optional<T>& value) {
    return value ? std::optional<double>(*value) : std::nullopt;
}

TEST(SamplingStatistics, FiguresWorkedByHandAndTheDecisionLine) {
    for (const json& c : test::cases("statistics", "sampling")) {
        const std::string name = c["name"];
        const StandResults results = resultsOf(c["headerPlots"], c["plots"], c["decision"], c["cutoff"]);
        const SamplingStatistics s = computeStandStatistics(results).sampling;
        EXPECT_EQ(decisionLine(s), c.value("line", decisionLine(s))) << name;
        if (!c.contains("n")) continue;
        EXPECT_EQ(s.plots, c["n"]) << name;
        EXPECT_EQ(s.plotsFormed, static_cast<int>(results.plotValue.size())) << name;
        EXPECT_EQ(s.plotsInHeader, results.numberOfPlots) << name;
        EXPECT_NEAR(s.mean, c["mean"], 1e-12) << name;
        EXPECT_EQ(s.notes, c["notes"].get<std::vector<std::string>>()) << name;
        // clang-format off
        const std::pair<const char*, std::optional<double>> figures[] = {
            {"sd", s.standardDeviation}, {"se", s.standardError}, {"t", s.t}, {"cv", s.coefficientOfVariation},
            {"samplingError", s.samplingErrorPercent}, {"low", s.low}, {"high", s.high}, {"threshold", s.threshold},
            {"confidence", s.confidence}, {"settled", figure(s.settled)}, {"toSettle", figure(s.plotsToSettle)},
            {"for10", figure(s.plotsFor10Percent)}, {"for20", figure(s.plotsFor20Percent)}};
        // clang-format on
        for (const auto& [key, got] : figures) {
            if (!c.contains(key)) continue;
            ASSERT_EQ(got.has_value(), !c[key].is_null()) << name << ": " << key;
            if (got) {
                const double want = c[key].is_boolean() ? c[key].get<bool>() : c[key].get<double>();
                EXPECT_NEAR(*got, want, 1e-3 * std::max(1.0, std::abs(want))) << name << ": " << key;
            }
        }
    }
}

double basalArea(double dbh) {
    return std::numbers::pi * dbh * dbh / 576;
}

TEST(StandTable, TwoInchClassesByTreeClassAndSpecies) {
    // Tenth-acre plots, 2 in the header: each tree stands for 10 / 2 = 5 trees per acre.
    Sheet sheet = test::tally(test::UplandRows, {.plotSize = "Tenth acre", .plots = 2},
                              {{1, 6, 0, 0, "Acceptable", " ", " ", "Preferred", " WO "},
                               {1, 7, 0, 0, "Acceptable", " ", " ", "Cull", "RM"},
                               {1, 8, 0, 0, "Acceptable", " ", " ", "cull", "WO"}, // not a listed class
                               {1, 0, 0, 0, " ", " ", " ", "Reserve", "RM"},       // no DBH: left out
                               {2, 40, 2, 1, "Desirable", "High", "Dominant", "Reserve", ""},
                               {2, 50, 2, 1, "Desirable", "High", "Dominant", "Cutting Stock", "WO"}});
    test::setTree(sheet, 13, {1, 20}); // below the row whose plot number is 0: not read
    ObjectiveBoxes boxes;
    boxes.checked[0] = true;
    const StandStatistics st = computeStandStatistics(upland::model.run(sheet, boxes).results);
    ASSERT_TRUE(st.standTable);
    const StandTable& t = *st.standTable;
    EXPECT_EQ(t.expansionFactor, 10);
    EXPECT_EQ(t.plots, 2);

    // Trees per acre by class; the basal areas of the classes add up to the stand's.
    std::string classes;
    double classesBasalArea = 0;
    for (const DiameterClassRow& row : t.classes) {
        classes += "|" + std::to_string(row.dbhClass) + ":";
        for (std::size_t k = 0; k < TableClassCount; ++k) {
            if (row.treesPerAcre[k] != 0)
                classes +=
                    " " + std::string(StandTableClassNames[k]) + " " + std::to_string(row.treesPerAcre[k]);
            classesBasalArea += row.basalAreaPerAcre[k];
        }
    }
    EXPECT_EQ(classes, "|6: Preferred 5.000000|8: Cull 5.000000 Other 5.000000|40: Reserve 5.000000|50: "
                       "Cutting Stock 5.000000");
    const double standBasalArea =
        5 * (basalArea(6) + basalArea(7) + basalArea(8) + basalArea(40) + basalArea(50));
    EXPECT_DOUBLE_EQ(t.treesPerAcre, 25);
    EXPECT_NEAR(t.basalAreaPerAcre, standBasalArea, 1e-12);
    EXPECT_NEAR(classesBasalArea, standBasalArea, 1e-12);
    EXPECT_NEAR(*t.quadraticMeanDiameter, std::sqrt((36 + 49 + 64 + 1600 + 2500) / 5.0), 1e-12);

    // Codes trimmed, ordered by code, the empty code first.
    ASSERT_EQ(t.species.size(), 3u);
    EXPECT_EQ(t.species[0].code + "|" + t.species[1].code + "|" + t.species[2].code, "|RM|WO");
    EXPECT_DOUBLE_EQ(t.species[2].treesPerAcre, 15);
    EXPECT_NEAR(t.species[2].basalAreaPerAcre, 5 * (basalArea(6) + basalArea(8) + basalArea(50)), 1e-12);
    EXPECT_NEAR(t.species[1].basalAreaPercent, 100 * 5 * basalArea(7) / standBasalArea, 1e-12);
}

// A plot size without an expansion factor ("no stand table") and a stand without trees are among
// the command line's recorded runs (tests/data/cli/runs.json).

} // namespace
