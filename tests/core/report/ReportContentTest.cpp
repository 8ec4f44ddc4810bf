#include "report/ReportContent.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace timbra {
namespace {

StandResults sampleResults() {
    StandResults r;
    r.numberOfPlots = 3;
    r.plotValue = {52.25, 0.0, 47.5};
    r.standValue = 5;
    r.decision = "Manage";
    r.standName = "Ridge, north";
    r.standLocation = "Compartment 12";
    r.plotSize = "Fifth acre";
    r.province = "Cumberland";
    r.objectiveNumber = 2;
    r.cutoffIndex = 45;
    r.pctPreferred = 100;
    r.pctReserve = 0;
    r.pctCuttingStock = 12.345;
    r.pctCull = 1.0 / 3.0;
    r.pctDesirable = 50;
    r.pctGrade1 = 25;
    r.pctGrade4 = 75; // held, never shown
    r.pctVigorLow = 10;
    r.pctSuppressed = 7.5;
    r.pctHeight35 = 2.25;
    return r;
}

Sheet filledReport(const StandResults& r, bool withProvince) {
    Sheet s;
    setUpReportSheet(s);
    fillReport(s, r, withProvince);
    return s;
}

const std::string& text(const Sheet& s, int col, int row) {
    return s.GetText(col, row);
}

TEST(ReportContent, SetUpSizesTheSheet) {
    Sheet s;
    setUpReportSheet(s);
    EXPECT_EQ(s.GetMaxCols(), ReportColumns);
    EXPECT_EQ(s.GetMaxRows(), ReportRows);
    EXPECT_EQ(s.GetColWidth(1), 13.0);
    EXPECT_EQ(s.GetColWidth(11), 35.0);
    EXPECT_EQ(s.GetColWidth(2), Sheet::DefaultColWidth);
}

TEST(ReportContent, HeaderDecisionAndAnalysisTexts) {
    const Sheet s = filledReport(sampleResults(), true);
    EXPECT_EQ(s.GetRowHeight(1), 0.0);
    EXPECT_EQ(s.GetRowHeight(2), 18.0);
    EXPECT_EQ(s.GetRowHeight(3), Sheet::DefaultRowHeight);

    EXPECT_EQ(text(s, 1, 2), "TIMBRA DECISION-MAKER STAND ANALYSIS");
    EXPECT_EQ(text(s, 1, 4), "Ridge, north");
    EXPECT_EQ(text(s, 5, 4), "3");
    EXPECT_EQ(text(s, 7, 4), "2"); // objective with "%g"
    EXPECT_EQ(text(s, 1, 6), "Compartment 12");
    EXPECT_EQ(text(s, 5, 6), "Fifth acre");
    EXPECT_EQ(text(s, 7, 5), "Province");
    EXPECT_EQ(text(s, 7, 6), "Cumberland");

    EXPECT_EQ(text(s, 1, 10), "Decision");
    EXPECT_EQ(text(s, 2, 10), "Stand Value");
    EXPECT_EQ(text(s, 4, 10), "Cut-off index");
    EXPECT_EQ(text(s, 1, 11), "Manage");
    EXPECT_EQ(text(s, 3, 11), " 5.0");
    EXPECT_EQ(text(s, 5, 11), "45.0");

    EXPECT_EQ(text(s, 1, 27), "Tree Class Analysis");
    EXPECT_EQ(text(s, 6, 27), "Cull");
    EXPECT_EQ(text(s, 3, 28), "100.0%");
    EXPECT_EQ(text(s, 4, 28), " 0.0%");
    EXPECT_EQ(text(s, 5, 28), "12.3%");
    EXPECT_EQ(text(s, 6, 28), " 0.3%");
    EXPECT_EQ(text(s, 3, 31), "50.0%");
    EXPECT_EQ(text(s, 3, 34), "25.0%");
    EXPECT_EQ(text(s, 6, 34), ""); // grade 4 has no column
    EXPECT_EQ(text(s, 6, 33), "");
    EXPECT_EQ(text(s, 5, 37), "10.0%");
    EXPECT_EQ(text(s, 6, 40), " 7.5%");
    EXPECT_EQ(text(s, 2, 42), "");
    EXPECT_EQ(text(s, 4, 42), "1.5 log");
    EXPECT_EQ(text(s, 8, 42), "3.5 log");
    EXPECT_EQ(text(s, 8, 43), " 2.2%");
    EXPECT_EQ(text(s, 1, 26), "Sawtimber Analysis");

    for (int col = 1; col <= ReportColumns; ++col)
        for (int row : {1, 7, 8, 9, 12, 25, 29, 32, 35, 38, 41, 44})
            EXPECT_EQ(text(s, col, row), "") << col << "," << row;
}

TEST(ReportContent, LowtimbraLeavesOutTheProvince) {
    const Sheet s = filledReport(sampleResults(), false);
    EXPECT_EQ(text(s, 7, 5), "");
    EXPECT_EQ(text(s, 7, 6), "");
    EXPECT_EQ(s.formatAt(7, 5).borders, 0);
    EXPECT_EQ(s.formatAt(8, 6).borders, 0);
    EXPECT_EQ(text(s, 7, 3), "Objective");

    const Sheet upland = filledReport(sampleResults(), true);
    EXPECT_EQ(upland.formatAt(7, 5).borders, BorderLeft | BorderTop);
    EXPECT_EQ(upland.formatAt(8, 6).borders, BorderRight | BorderBottom);
}

TEST(ReportContent, PlotTableSkipsZeroPlotsAndStopsAtForty) {
    StandResults r = sampleResults();
    r.plotValue.assign(45, 0.0);
    for (int k = 1; k <= 45; ++k)
        r.plotValue[static_cast<std::size_t>(k - 1)] = k == 7 ? 0.0 : 100.0 + k;
    const Sheet s = filledReport(r, true);

    EXPECT_EQ(text(s, 3, 14), "Plot #");
    EXPECT_EQ(text(s, 10, 14), "Value");
    EXPECT_EQ(text(s, 3, 15), "1");
    EXPECT_EQ(text(s, 4, 15), "101.0");
    // Plot 7 is worth 0: its place stays blank and plot 8 keeps its own row.
    EXPECT_EQ(text(s, 3, 21), "");
    EXPECT_EQ(text(s, 4, 21), "");
    EXPECT_EQ(text(s, 3, 22), "8");
    EXPECT_EQ(text(s, 5, 15), "11");
    EXPECT_EQ(text(s, 7, 24), "30");
    EXPECT_EQ(text(s, 9, 24), "40");
    EXPECT_EQ(text(s, 10, 24), "140.0");
    // Entries beyond 40 have nowhere to go.
    for (int col = 1; col <= ReportColumns; ++col)
        EXPECT_EQ(text(s, col, 25), "");
}

TEST(ReportContent, ValuesThatAreNotNumbersShowAsNotAvailable) {
    StandResults r = sampleResults();
    r.standValue = std::numeric_limits<double>::quiet_NaN();
    r.pctDesirable = std::numeric_limits<double>::quiet_NaN();
    r.pctHeight1 = std::numeric_limits<double>::infinity();
    const Sheet s = filledReport(r, true);
    EXPECT_EQ(text(s, 3, 11), " n/a");
    EXPECT_EQ(text(s, 3, 31), " n/a");
    EXPECT_EQ(text(s, 3, 43), " n/a");
}

TEST(ReportContent, HeadingsAreStaticBoldAndSized) {
    const Sheet s = filledReport(sampleResults(), true);
    const CellFormat title = s.formatAt(1, 2);
    EXPECT_TRUE(title.staticText);
    EXPECT_TRUE(title.bold);
    EXPECT_EQ(title.fontSize, 12.0);
    EXPECT_EQ(s.formatAt(1, 13).fontSize, 12.0);
    EXPECT_EQ(s.formatAt(1, 26).fontSize, 12.0);

    // Caption headings, including the empty cells inside a heading block.
    for (const auto& [col, row] : {std::pair{1, 10},
                                   {2, 10},
                                   {4, 10},
                                   {3, 14},
                                   {10, 14},
                                   {2, 27},
                                   {6, 27},
                                   {2, 42},
                                   {8, 42},
                                   {5, 30},
                                   {6, 39}}) {
        const CellFormat f = s.formatAt(col, row);
        EXPECT_TRUE(f.staticText) << col << "," << row;
        EXPECT_TRUE(f.bold) << col << "," << row;
        EXPECT_EQ(f.fontSize, 10.0) << col << "," << row;
    }
    EXPECT_FALSE(s.formatAt(6, 30).staticText); // the species block ends at column 5
    EXPECT_FALSE(s.formatAt(3, 10).staticText);

    // Labels and decision values are sized but neither bold nor read-only.
    const CellFormat label = s.formatAt(1, 3);
    EXPECT_FALSE(label.staticText);
    EXPECT_FALSE(label.bold);
    EXPECT_EQ(label.fontSize, 10.0);
    EXPECT_EQ(s.formatAt(1, 11).fontSize, 12.0);
    EXPECT_EQ(s.formatAt(3, 11).fontSize, 10.0);
    EXPECT_EQ(s.formatAt(5, 11).fontSize, 10.0);
    EXPECT_EQ(s.formatAt(1, 4).fontSize, 0.0);
}

TEST(ReportContent, OutlinesFollowTheTables) {
    const Sheet s = filledReport(sampleResults(), true);
    constexpr int All = BorderLeft | BorderTop | BorderRight | BorderBottom;

    // Block boxes: one box around the whole group, no inner lines.
    EXPECT_EQ(s.formatAt(1, 3).borders, BorderLeft | BorderTop);
    EXPECT_EQ(s.formatAt(2, 3).borders, BorderTop);
    EXPECT_EQ(s.formatAt(3, 4).borders, BorderRight | BorderBottom);
    EXPECT_EQ(s.formatAt(5, 3).borders, BorderLeft | BorderTop);
    EXPECT_EQ(s.formatAt(1, 10).borders, All);
    EXPECT_EQ(s.formatAt(2, 11).borders, BorderLeft | BorderTop | BorderBottom);
    EXPECT_EQ(s.formatAt(5, 11).borders, BorderRight | BorderTop | BorderBottom);
    EXPECT_EQ(s.formatAt(1, 3).borderColor, 0xC0C0C0u);

    // Cell outlines: every cell of the plot table and of the analysis captions and values.
    for (int row = 14; row <= 24; ++row)
        for (int col = 3; col <= 10; ++col)
            EXPECT_EQ(s.formatAt(col, row).borders, All) << col << "," << row;
    for (int col = 3; col <= 8; ++col)
        EXPECT_EQ(s.formatAt(col, 43).borders, All) << col;
    EXPECT_EQ(s.formatAt(6, 28).borders, All);
    EXPECT_EQ(s.formatAt(6, 31).borders, 0);
    EXPECT_EQ(s.formatAt(1, 27).borders, 0);
    EXPECT_EQ(s.formatAt(2, 15).borders, 0);
    EXPECT_EQ(s.formatAt(9, 42).borders, 0);
}

TEST(ReportContent, FillingTwiceGivesTheSameSheetAndClearBlanksIt) {
    Sheet s = filledReport(sampleResults(), true);
    Sheet again = s;
    fillReport(again, sampleResults(), true);
    for (int row = 1; row <= ReportRows; ++row)
        for (int col = 1; col <= ReportColumns; ++col) {
            EXPECT_EQ(again.GetText(col, row), s.GetText(col, row));
            EXPECT_EQ(again.formatAt(col, row), s.formatAt(col, row));
        }

    clearReport(s);
    EXPECT_FALSE(s.GetBlockMode());
    for (int row = 1; row <= ReportRows; ++row)
        for (int col = 1; col <= ReportColumns; ++col) {
            EXPECT_EQ(s.GetText(col, row), "");
            EXPECT_EQ(s.formatAt(col, row), CellFormat{});
        }
}

TEST(ReportContent, GateNeedsResultsACutoffAndTheViewRequest) {
    StandResults r;
    EXPECT_FALSE(reportGatePasses(nullptr, true));
    EXPECT_FALSE(reportGatePasses(&r, true)); // a fresh record: cut-off 0
    r.cutoffIndex = 50;
    EXPECT_TRUE(reportGatePasses(&r, true));
    EXPECT_FALSE(reportGatePasses(&r, false));
    r.cutoffIndex = -1;
    EXPECT_FALSE(reportGatePasses(&r, true));
    r.cutoffIndex = std::nan("");
    EXPECT_FALSE(reportGatePasses(&r, true));
}

} // namespace
} // namespace timbra
