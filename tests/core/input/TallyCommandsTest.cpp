// The blank conventions the tally commands leave behind, and the rows Print covers.
#include "core/TestFiles.h"

#include <gtest/gtest.h>

namespace timbra {
namespace {

// The ten cells of a row joined by "|", for compact comparisons.
std::string rowOf(const Sheet& s, int row) {
    std::string out;
    for (int c = 1; c <= 10; ++c)
        out += (c > 1 ? "|" : "") + s.GetText(c, row);
    return out;
}

void fillTrees(Sheet& s, int lastRow) {
    for (int r = 6; r <= lastRow; ++r)
        for (int c = 1; c <= 10; ++c)
            s.SetText(c, r, "x");
}

const std::string blankRowAtStart = "0|| | |0|0.0|0| | | ";
const std::string blankRowAfterNew = "0|| | |||| | | ";

TEST(TallyCommands, DialogStartBlanksEveryTreeRow) {
    const Sheet upland = test::openingTally(timbraProfile());
    EXPECT_EQ(upland.activeCol(), 1);
    EXPECT_EQ(upland.activeRow(), 6);
    EXPECT_EQ(rowOf(upland, 6), blankRowAtStart);
    EXPECT_EQ(rowOf(upland, 1500), blankRowAtStart);
    EXPECT_EQ(rowOf(upland, 5),
              "Plot #|Tree #|Species|Species Class|DBH|Height|Grade|Vigor|Crown Class|Tree Class");

    // The bottomland grid's last row gets the numbers only: the text blanking stops at row 1500.
    const Sheet bottomland = test::openingTally(lowtimbraProfile());
    EXPECT_EQ(rowOf(bottomland, 1500), blankRowAtStart);
    EXPECT_EQ(rowOf(bottomland, 1501), "0||||0|0.0|0|||");
}

TEST(TallyCommands, NewResetsHeaderAndTreesButKeepsPlotSizeProvinceAndCursor) {
    Sheet s = test::openingTally(timbraProfile());
    for (const auto& [col, row, text] : {std::tuple{3, 2, "Stand"},
                                         {3, 3, "Place"},
                                         {10, 2, "12"},
                                         {8, 2, "Half acre"},
                                         {10, 3, "Western Rim"}})
        s.SetText(col, row, text);
    fillTrees(s, 1500);
    s.SetActiveCell(9, 40);
    newTally(s);
    EXPECT_EQ(rowOf(s, 2), "Stand Name||||||Plot Size|Half acre|Number of Plots|0");
    EXPECT_EQ(rowOf(s, 3), "Stand Location||||||||Province|Western Rim");
    EXPECT_EQ(rowOf(s, 6), blankRowAfterNew);
    EXPECT_EQ(rowOf(s, 1500), blankRowAfterNew);
    EXPECT_EQ(s.activeCol(), 9);
    EXPECT_EQ(s.activeRow(), 40);
    EXPECT_FALSE(s.GetBlockMode());
    EXPECT_EQ(s.accept(5, 6, "5"), std::nullopt) << "the cleared cells keep their editors";
}

TEST(TallyCommands, ClearSpreadsheetClearsTreesOnly) {
    Sheet s = test::openingTally(lowtimbraProfile());
    s.SetText(3, 2, "Stand");
    s.SetText(10, 2, "4");
    fillTrees(s, 1501);
    clearTally(s);
    EXPECT_EQ(s.GetText(3, 2), "Stand");
    EXPECT_EQ(s.GetText(10, 2), "4");
    EXPECT_EQ(rowOf(s, 6), blankRowAfterNew);
    EXPECT_EQ(rowOf(s, 1500), blankRowAfterNew);
    EXPECT_EQ(rowOf(s, 1501), "x|x|x|x|x|x|x|x|x|x"); // beyond the rows Clear covers
}

TEST(TallyCommands, PrintCoversTheTally) {
    const TallyLimits& upland = timbraProfile().tally;
    const TallyLimits& bottomland = lowtimbraProfile().tally;
    Sheet s = test::openingTally(lowtimbraProfile());
    const auto expectLastRows = [&](int uplandRow, int bottomlandRow) {
        EXPECT_EQ(lastPrintRow(s, upland), uplandRow);
        EXPECT_EQ(lastPrintRow(s, bottomland), bottomlandRow);
    };
    expectLastRows(6, 5); // no tree: row 6 holds 0
    for (int r = 6; r <= 9; ++r)
        s.SetInteger(1, r, 1);
    expectLastRows(10, 9); // trees in rows 6 to 9, 0 in row 10
    // No 0 up to row 1499: the fallback rows, whatever row 1500 holds.
    for (int r = 6; r <= 1499; ++r)
        s.SetInteger(1, r, 2);
    expectLastRows(1499, 1498);
    s.SetInteger(1, 1499, 0);
    expectLastRows(1499, 1498);
}

} // namespace
} // namespace timbra
