// Tally file text: what is written, what is read back, and what is refused.
#include "core/TestFiles.h"

#include "input/TallyFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace timbra {
namespace {

using test::cellsOf;
using ::testing::HasSubstr;

// A small upland tally: header, two trees and the end marker.
Sheet sampleTally() {
    Sheet s = test::openingTally(timbraProfile());
    s.SetText(3, 2, "North Ridge");
    s.SetText(3, 3, "Compartment 7");
    s.SetText(10, 2, "3");
    s.SetText(10, 3, "Cumberland");
    const char* trees[2][10] = {
        {"1", "1", "YLP", "Desirable", "14", "2.5", "1", "High", "Dominant", "Preferred"},
        {"1", "2", "SWG", "Acceptable", "8", "1.5", "2", "Low", "Intermediate", "Reserve"}};
    for (int t = 0; t < 2; ++t)
        for (int c = 1; c <= 10; ++c)
            s.SetText(c, 6 + t, trees[t][c - 1]);
    return s;
}

TEST(TallyText, RowsEndInCarriageReturnAndBlanksAreKept) {
    const std::string text = formatTallyText(sampleTally());
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 1500);
    EXPECT_TRUE(
        text.starts_with(",,,,,,,,,\rStand Name,,North Ridge,,,,Plot Size,Fifth acre,Number of Plots,3\r"));
    EXPECT_THAT(text,
                HasSubstr("\r1,2,SWG,Acceptable,8,1.5,2,Low,Intermediate,Reserve\r0,, , ,0,0.0,0, , , \r"));
}

TEST(TallyText, ReadsAnyRowEndAndReplacesEveryValue) {
    // The last row is cut short, as in a truncated file; cells the file does not reach end up empty.
    for (const std::string ending : {"\r", "\n", "\r\n"}) {
        Sheet s = sampleTally();
        ASSERT_TRUE(loadTallyText(s,
                                  "\xEF\xBB\xBF"
                                  "a,b" +
                                      ending + ending + "c,d,e" + ending + "f,YL",
                                  "t.txt")
                        .ok);
        EXPECT_EQ(s.GetText(1, 1), "a");
        EXPECT_EQ(s.GetText(1, 2), "");
        EXPECT_EQ(s.GetText(3, 3), "e");
        EXPECT_EQ(s.GetText(2, 4), "YL");
        EXPECT_EQ(s.GetText(3, 4), "");
        EXPECT_EQ(s.GetText(10, 2), ""); // the tally's number of plots is gone
        EXPECT_EQ(s.editorAt(10, 2).kind, CellEditor::Kind::Integer);
    }
}

TEST(TallyText, QuotesOnlyWhereNeededAndReadsUnquotedFilesAsBefore) {
    Sheet s = sampleTally();
    s.SetText(3, 2, "Smith tract, \"east\" half");
    const std::string text = formatTallyText(s);
    EXPECT_THAT(text, HasSubstr(",\"Smith tract, \"\"east\"\" half\","));
    Sheet back = timbraProfile().loadTallyGrid();
    ASSERT_TRUE(loadTallyText(back, text, "q.txt").ok);
    EXPECT_EQ(back.GetText(3, 2), "Smith tract, \"east\" half");

    // Older files carry no quoting: a comma splits, and a quote not closing its cell is text.
    ASSERT_TRUE(loadTallyText(back, ",,Oak, flat,He said \"hi\",\"Big\" stand\r", "old.txt").ok);
    EXPECT_EQ(back.GetText(4, 1), " flat");
    EXPECT_EQ(back.GetText(5, 1), "He said \"hi\"");
    EXPECT_EQ(back.GetText(6, 1), "\"Big\" stand");
}

TEST(TallyText, DamagedOrForeignFilesLeaveTheSheetUntouched) {
    const std::string longRow = std::string(MaxTallyRowBytes + 1, 'x');
    const struct {
        std::string bytes;
        std::string reason;
    } cases[] = {
        {"1,2,\"unclosed\r3,4\r", "a quoted cell in row 1 of the file is never closed"},
        {std::string("abc\r\0def", 8), "NUL byte at byte 5"},
        {"a\r" + longRow + "\r", "row 2 of the file is longer than 64 KiB"},
        {std::string(MaxTallyFileBytes + 1, '\r'), "larger than 16 MiB"},
        {"1,2,3,4,5,6,7,8,9,10,11\r",
         "row 1 of the file holds data in column 11, but the tally has only 10 columns"},
        {std::string(1500, '\r') + "7\r",
         "row 1501 of the file holds data, but the tally has only 1500 rows"},
    };
    for (const auto& c : cases) {
        Sheet s = sampleTally();
        const std::string before = cellsOf(s);
        const LoadResult r = loadTallyText(s, c.bytes, "/home/ann/stand.txt");
        EXPECT_FALSE(r.ok);
        EXPECT_THAT(r.error, HasSubstr("\"/home/ann/stand.txt\"")) << c.reason;
        EXPECT_THAT(r.error, HasSubstr(c.reason));
        EXPECT_EQ(cellsOf(s), before) << c.reason;
    }
}

TEST(TallyText, ExtraBlankRowsAndColumnsAreLeftOut) {
    // A bottomland tally keeps one more tree row, which its dialog filled with zeros.
    Sheet bottomland = test::openingTally(lowtimbraProfile());
    bottomland.SetText(3, 2, "Creek bottom");
    Sheet upland = timbraProfile().loadTallyGrid();
    const LoadResult r = loadTallyText(upland, formatTallyText(bottomland) + "0, ,0.00,,,,,,,,,0\r", "b.txt");
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(upland.GetText(3, 2), "Creek bottom");
    EXPECT_EQ(upland.GetText(6, 1500), "0.0");
}

TEST(TallyText, CellsTheEditorsWouldRefuseAreKeptAndReported) {
    Sheet s = timbraProfile().loadTallyGrid();
    const std::string text = "\r"
                             "Stand Label,,Name\r" // a changed label: a text like any other
                             "\r\r\r"
                             "1,1,ylp,Desirable,45,2,1,High,Codominant,Preferred\r"
                             "0,,  ,,abc,0.0,0, , ,\r";
    const LoadResult r = loadTallyText(s, text, "odd.txt");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(s.GetText(5, 6), "45");
    EXPECT_EQ(s.GetText(9, 6), "Codominant");
    EXPECT_EQ(s.GetText(3, 6), "ylp"); // accepted (it would be upper-cased when typed) and kept as it is
    EXPECT_EQ(s.GetText(2, 6), "1.00"); // a number takes its cell's one form, as typed
    using Cell = std::pair<int, int>;
    // The 0s of an empty tree row are kept and not counted, although a typed 0 would not fit.
    EXPECT_EQ(r.refusedCells, (std::vector<Cell>{{5, 6}, {9, 6}, {3, 7}, {5, 7}}));
    EXPECT_EQ(s.GetText(6, 7) + "|" + s.GetText(7, 7), "0.0|0");
}

} // namespace
} // namespace timbra
