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

// A tally filled to its grid's last row.
Sheet filledTally(const ProgramProfile& profile) {
    Sheet s = test::openingTally(profile,
                                 {.name = "Stand",
                                  .location = "Place",
                                  .plotSize = "Half acre",
                                  .plots = 12,
                                  .province = "Western Rim"},
                                 {});
    for (int r = 6; r <= s.GetMaxRows(); ++r) {
        test::setTree(s, r, {});
        s.SetText(2, r, "7"); // the tree number, which the builder leaves blank
    }
    return s;
}

const std::string blankRowAtStart = "0|| | |0|0.0|0| | | ";
const std::string blankRowAfterNew = "0|| | |||| | | ";

TEST(TallyCommands, DialogStartBlanksEveryTreeRow) {
    const Sheet upland = test::openingTally(timbraProfile());
    EXPECT_EQ(std::pair(upland.activeCol(), upland.activeRow()), std::pair(1, 6));
    EXPECT_EQ(rowOf(upland, 6), blankRowAtStart);
    EXPECT_EQ(rowOf(upland, 1500), blankRowAtStart);
    // The bottomland grid's last row gets the numbers only: the text blanking stops at row 1500.
    const Sheet bottomland = test::openingTally(lowtimbraProfile());
    EXPECT_EQ(rowOf(bottomland, 1500), blankRowAtStart);
    EXPECT_EQ(rowOf(bottomland, 1501), "0||||0|0.0|0|||");
}

TEST(TallyCommands, NewResetsHeaderAndTreesButKeepsPlotSizeProvinceAndCursor) {
    Sheet s = filledTally(timbraProfile());
    s.SetActiveCell(9, 40);
    newTally(s);
    EXPECT_EQ(rowOf(s, 2), "Stand Name||||||Plot Size|Half acre|Number of Plots|0");
    EXPECT_EQ(rowOf(s, 3), "Stand Location||||||||Province|Western Rim");
    EXPECT_EQ(rowOf(s, 6) + "/" + rowOf(s, 1500), blankRowAfterNew + "/" + blankRowAfterNew);
    EXPECT_EQ(std::pair(s.activeCol(), s.activeRow()), std::pair(9, 40));
    EXPECT_FALSE(s.GetBlockMode());
    EXPECT_EQ(s.accept(5, 6, "5"), std::nullopt) << "the cleared cells keep their editors";
}

// A tally is empty, with nothing to keep for recovery, when it holds nothing New would clear: the
// opening grid and any tally after New, whatever its plot size and province; one typed cell is enough.
TEST(TallyCommands, EmptyTallyHoldsNothingNewClears) {
    Sheet s = filledTally(timbraProfile());
    EXPECT_FALSE(isEmptyTally(s));
    newTally(s);
    EXPECT_TRUE(isEmptyTally(s));
    EXPECT_TRUE(isEmptyTally(test::openingTally(lowtimbraProfile())));
    for (const auto& [col, row, text] : {std::tuple{3, 2, "N"},
                                         {3, 3, "Ridge"},
                                         {10, 2, "3"},
                                         {2, 6, "1"},
                                         {6, 800, "0.5"},
                                         {3, 1500, "WO"},
                                         {9, 7, "Dominant"}}) {
        Sheet typed = test::openingTally(timbraProfile());
        typed.SetText(col, row, text);
        EXPECT_FALSE(isEmptyTally(typed)) << col << "," << row;
    }
}

TEST(TallyCommands, ClearSpreadsheetClearsTreesOnly) {
    Sheet s = filledTally(lowtimbraProfile());
    const std::string lastRow = rowOf(s, 1501);
    clearTally(s);
    EXPECT_EQ(s.GetText(3, 2) + "|" + s.GetText(10, 2), "Stand|12");
    EXPECT_EQ(rowOf(s, 6) + "/" + rowOf(s, 1500), blankRowAfterNew + "/" + blankRowAfterNew);
    EXPECT_EQ(rowOf(s, 1501), lastRow); // beyond the rows Clear covers
}

TEST(TallyCommands, PrintCoversTheTally) {
    Sheet s = test::openingTally(lowtimbraProfile());
    const auto lastRows = [&] {
        return std::pair(lastPrintRow(s, timbraProfile().tally), lastPrintRow(s, lowtimbraProfile().tally));
    };
    EXPECT_EQ(lastRows(), std::pair(6, 5)); // no tree: row 6 holds 0
    for (int r = 6; r <= 9; ++r)
        s.SetInteger(1, r, 1);
    EXPECT_EQ(lastRows(), std::pair(10, 9)); // trees in rows 6 to 9, 0 in row 10
    // No 0 up to row 1499: the fallback rows, whatever row 1500 holds.
    for (int r = 6; r <= 1499; ++r)
        s.SetInteger(1, r, 2);
    EXPECT_EQ(lastRows(), std::pair(1499, 1498));
    s.SetInteger(1, 1499, 0);
    EXPECT_EQ(lastRows(), std::pair(1499, 1498));
}

} // namespace
} // namespace timbra
