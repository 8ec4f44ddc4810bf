// The report filled from a run's results (expected cells in tests/data/cases/report.json), its boxes,
// its clearing and the gate that opens it.
#include "core/report/ReportContent.h"
#include "core/TestFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace timbra {
namespace {

StandResults sampleResults() {
    StandResults r;
    r.numberOfPlots = 3;
    r.plotValue = {52.25, 0.0, 47.5};
    r.standValue = 5;
    r.decision = Decision::Manage;
    r.standName = "Ridge, north";
    r.plotSize = "Fifth acre";
    r.province = "Cumberland";
    r.objectiveNumber = 2; // shown as "%g"
    r.cutoffIndex = 45;
    r.pctPreferred = 100;
    r.pctCuttingStock = 12.345;
    r.pctGrade1 = 25;
    r.pctGrade4 = 75; // held, never shown
    r.pctHeight35 = 2.25;
    r.pctDesirable = std::numeric_limits<double>::quiet_NaN(); // a percentage of an empty class
    return r;
}

Sheet filledReport(const StandResults& r, bool withProvince) {
    Sheet s;
    setUpReportSheet(s);
    fillReport(s, r, withProvince);
    return s;
}

void expectCells(const Sheet& s, const nlohmann::json& cells) {
    for (const auto& c : cells)
        EXPECT_EQ(s.GetText(c[0], c[1]), c[2]) << c.dump();
}

void expectEmptyRow(const Sheet& s, int row) {
    for (int col = 1; col <= ReportColumns; ++col)
        EXPECT_EQ(s.GetText(col, row), "") << col << "," << row;
}

TEST(ReportContent, TextsFormatsAndBoxes) {
    const Sheet s = filledReport(sampleResults(), true);
    expectCells(s, test::cases("report", "cells"));
    for (int row : test::cases("report", "emptyRows"))
        expectEmptyRow(s, row);
    // Block boxes draw one box around the group; cell outlines box every cell of the plot table.
    EXPECT_EQ(s.formatAt(1, 2), (CellFormat{.fontSize = 12, .staticText = true, .bold = true}));
    EXPECT_EQ(s.formatAt(1, 3), (CellFormat{.fontSize = 10, .borders = BorderLeft | BorderTop}));
    EXPECT_EQ(s.formatAt(8, 6).borders, BorderRight | BorderBottom);
    EXPECT_EQ(s.formatAt(10, 24).borders, BorderLeft | BorderTop | BorderRight | BorderBottom);

    // Lowtimbra has no province cells or box.
    const Sheet low = filledReport(sampleResults(), false);
    EXPECT_EQ(low.GetText(7, 5) + low.GetText(7, 6), "");
    EXPECT_EQ(low.formatAt(7, 5).borders, 0);
}

TEST(ReportContent, PlotTableSkipsZeroPlotsAndStopsAtForty) {
    StandResults r = sampleResults();
    r.plotValue.clear();
    for (int k = 1; k <= 45; ++k)
        r.plotValue.push_back(k == 7 ? 0.0 : 100.0 + k); // plot 7 is worth 0; plot 8 keeps its own row
    const Sheet s = filledReport(r, true);
    expectCells(s, test::cases("report", "plotTable"));
    expectEmptyRow(s, 25);
}

TEST(ReportContent, ClearBlanksTextAndFormatting) {
    Sheet s = filledReport(sampleResults(), true);
    clearReport(s);
    EXPECT_FALSE(s.GetBlockMode());
    for (int row = 1; row <= ReportRows; ++row)
        for (int col = 1; col <= ReportColumns; ++col)
            EXPECT_TRUE(s.GetText(col, row).empty() && s.formatAt(col, row) == CellFormat{})
                << col << "," << row;
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
