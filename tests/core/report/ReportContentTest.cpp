#include "report/ReportContent.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace timbra {
namespace {

constexpr int AllSides = BorderLeft | BorderTop | BorderRight | BorderBottom;

StandResults sampleResults() {
    StandResults r;
    r.numberOfPlots = 3;
    r.plotValue = {52.25, 0.0, 47.5};
    r.standValue = 5;
    r.decision = "Manage";
    r.standName = "Ridge, north";
    r.plotSize = "Fifth acre";
    r.province = "Cumberland";
    r.objectiveNumber = 2;
    r.cutoffIndex = 45;
    r.pctPreferred = 100;
    r.pctCuttingStock = 12.345;
    r.pctGrade1 = 25;
    r.pctGrade4 = 75; // held, never shown
    r.pctHeight35 = 2.25;
    r.pctDesirable = std::numeric_limits<double>::quiet_NaN();
    return r;
}

Sheet filledReport(const StandResults& r, bool withProvince) {
    Sheet s;
    setUpReportSheet(s);
    fillReport(s, r, withProvince);
    return s;
}

TEST(ReportContent, TextsAndFormats) {
    const Sheet s = filledReport(sampleResults(), true);
    const std::vector<std::tuple<int, int, std::string>> cells{
        {1, 2, "TIMBRA DECISION-MAKER STAND ANALYSIS"},
        {1, 4, "Ridge, north"},
        {5, 4, "3"},
        {7, 4, "2"}, // "%g"
        {7, 5, "Province"},
        {7, 6, "Cumberland"},
        {4, 10, "Cut-off index"},
        {1, 11, "Manage"},
        {3, 11, " 5.0"},
        {5, 11, "45.0"},
        {3, 28, "100.0%"},
        {4, 28, " 0.0%"},
        {5, 28, "12.3%"},
        {3, 31, " n/a"}, // a percentage of an empty class
        {3, 34, "25.0%"},
        {6, 34, ""}, // grade 4 has no column
        {8, 42, "3.5 log"},
        {8, 43, " 2.2%"},
    };
    for (const auto& [col, row, text] : cells)
        EXPECT_EQ(s.GetText(col, row), text) << col << "," << row;
    for (int col = 1; col <= ReportColumns; ++col)
        for (int row : {1, 7, 12, 25, 29, 44})
            EXPECT_EQ(s.GetText(col, row), "") << col << "," << row;
}

TEST(ReportContent, LowtimbraHasNoProvinceCellsOrBox) {
    const Sheet s = filledReport(sampleResults(), false);
    EXPECT_EQ(s.GetText(7, 5), "");
    EXPECT_EQ(s.GetText(7, 6), "");
    EXPECT_EQ(s.formatAt(7, 5).borders, 0);
    EXPECT_EQ(filledReport(sampleResults(), true).formatAt(8, 6).borders, BorderRight | BorderBottom);
}

TEST(ReportContent, PlotTableSkipsZeroPlotsAndStopsAtForty) {
    StandResults r = sampleResults();
    r.plotValue.clear();
    for (int k = 1; k <= 45; ++k)
        r.plotValue.push_back(k == 7 ? 0.0 : 100.0 + k);
    const Sheet s = filledReport(r, true);
    EXPECT_EQ(s.GetText(3, 15), "1");
    EXPECT_EQ(s.GetText(4, 15), "101.0");
    EXPECT_EQ(s.GetText(3, 21), ""); // plot 7 is worth 0; plot 8 keeps its own row
    EXPECT_EQ(s.GetText(4, 21), "");
    EXPECT_EQ(s.GetText(3, 22), "8");
    EXPECT_EQ(s.GetText(5, 15), "11");
    EXPECT_EQ(s.GetText(9, 24), "40");
    EXPECT_EQ(s.GetText(10, 24), "140.0");
    for (int col = 1; col <= ReportColumns; ++col)
        EXPECT_EQ(s.GetText(col, 25), "");
}

// Block boxes draw one box around the group; cell outlines box every cell of the plot table.
TEST(ReportContent, HeadingsAndOutlines) {
    const Sheet s = filledReport(sampleResults(), true);
    EXPECT_EQ(s.formatAt(1, 2), (CellFormat{.fontSize = 12, .staticText = true, .bold = true}));
    EXPECT_EQ(s.formatAt(1, 3), (CellFormat{.fontSize = 10, .borders = BorderLeft | BorderTop}));
    EXPECT_EQ(s.formatAt(2, 3).borders, BorderTop);
    EXPECT_EQ(s.formatAt(3, 4).borders, BorderRight | BorderBottom);
    for (int row = 14; row <= 24; ++row)
        for (int col = 3; col <= 10; ++col)
            EXPECT_EQ(s.formatAt(col, row).borders, AllSides);
}

TEST(ReportContent, ClearBlanksTextAndFormatting) {
    Sheet s = filledReport(sampleResults(), true);
    clearReport(s);
    EXPECT_FALSE(s.GetBlockMode());
    for (int row = 1; row <= ReportRows; ++row)
        for (int col = 1; col <= ReportColumns; ++col) {
            EXPECT_EQ(s.GetText(col, row), "");
            EXPECT_EQ(s.formatAt(col, row), CellFormat{});
        }
}

TEST(ReportContent, GateNeedsResultsAPositiveCutoffAndTheViewRequest) {
    StandResults r;
    EXPECT_FALSE(reportGatePasses(nullptr, true));
    EXPECT_FALSE(reportGatePasses(&r, true)); // a fresh record: cut-off 0
    r.cutoffIndex = 50;
    EXPECT_TRUE(reportGatePasses(&r, true));
    EXPECT_FALSE(reportGatePasses(&r, false));
    r.cutoffIndex = std::nan("");
    EXPECT_FALSE(reportGatePasses(&r, true));
}

} // namespace
} // namespace timbra
