// Tally file text: what is written, what is read back, and what is refused.
#include "core/TestFiles.h"

#include "input/TallyFile.h"
#include "report/ReportContent.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <clocale>

namespace timbra {
namespace {

using test::cellsOf;
using ::testing::ContainsRegex;
using ::testing::HasSubstr;
using ::testing::Not;

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
        EXPECT_EQ(s.GetText(3, 6) + s.GetText(10, 1500), "");
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
}

TEST(TallyText, OlderUnquotedFilesReadAsBefore) {
    // Rows 1 to 3 and the first tree row of a file from an older program, which wrote no quoting.
    const auto file = [](const std::string& name, const std::string& location, const std::string& note) {
        return ",,,,,,,,,\rStand Name,," + name +
               ",,,,Plot Size,Fifth acre,Number of Plots,3\rStand Location,," + location +
               ",,,,Physiographic Province,," + note + ",Cumberland\r\r\r" +
               "1,1,YLP,Desirable,14,2.5,1,High,Dominant,Preferred\r";
    };
    const struct {
        std::string bytes;
        std::string name, location, note; // C2, C3, I3 as read
    } cases[] = {
        {file("He said \"hi\"", "\"Big\" stand", "a \"b\""), "He said \"hi\"", "\"Big\" stand", "a \"b\""},
        // A quote that opens a cell no quote closes is text.
        {file("\"Big Woods", "Ridge", ""), "\"Big Woods", "Ridge", ""},
        // Read quoted, the text from "Big Woods to Oak" would run over two rows and shift every row after.
        {file("\"Big Woods", "Ridge 5\"", ""), "\"Big Woods", "Ridge 5\"", ""},
        {file("\"Big Woods", "Ridge", "stand\""), "\"Big Woods", "Ridge", "stand\""},
        // What quoting costs: a cell that is entirely quoted loses its quotes.
        {file("\"Oak\"", "\"Ridge, east\"", ""), "Oak", "Ridge, east", ""},
    };
    for (const auto& c : cases) {
        Sheet s = test::openingTally(timbraProfile());
        const LoadResult r = loadTallyText(s, c.bytes, "old.txt");
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_EQ(s.GetText(3, 2), c.name) << c.bytes;
        EXPECT_EQ(s.GetText(3, 3), c.location) << c.bytes;
        EXPECT_EQ(s.GetText(9, 3), c.note) << c.bytes;
        EXPECT_EQ(s.GetText(10, 3), "Cumberland") << c.bytes;
        EXPECT_EQ(s.GetText(3, 6), "YLP") << c.bytes;
    }
    // A line break inside a quoted cell, as Save as writes it, stays in its cell.
    Sheet s = test::openingTally(timbraProfile());
    s.SetText(3, 2, "\"Big\r\nWoods\"");
    s.SetText(3, 3, "Oak\"");
    Sheet back = test::openingTally(timbraProfile());
    ASSERT_TRUE(loadTallyText(back, formatTallyText(s), "new.txt").ok);
    EXPECT_EQ(cellsOf(back), cellsOf(s));
}

TEST(TallyText, DamagedOrForeignFilesLeaveTheSheetUntouched) {
    const std::string longRow = std::string(MaxTallyRowBytes + 1, 'x');
    const struct {
        std::string bytes;
        std::string reason;
    } cases[] = {
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
    EXPECT_EQ(s.GetText(3, 6), "ylp");  // accepted (it would be upper-cased when typed) and kept as it is
    EXPECT_EQ(s.GetText(2, 6), "1.00"); // a number takes its cell's one form, as typed
    using Cell = std::pair<int, int>;
    // The 0s of an empty tree row are kept and not counted, although a typed 0 would not fit.
    EXPECT_EQ(r.refusedCells, (std::vector<Cell>{{5, 6}, {9, 6}, {3, 7}, {5, 7}}));
    EXPECT_EQ(s.GetText(6, 7) + "|" + s.GetText(7, 7), "0.0|0");
}

// The programs run under the user's locale (the windowing library takes it from the environment at
// start-up); tests/CMakeLists.txt generates a decimal-comma one for these tests.
class DecimalCommaLocale {
public:
    DecimalCommaLocale() : previous_(std::setlocale(LC_ALL, nullptr)) {
        active_ = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    }
    ~DecimalCommaLocale() { std::setlocale(LC_ALL, previous_.c_str()); }
    bool active() const { return active_; }

private:
    std::string previous_;
    bool active_ = false;
};

// What a user meets on the way through a tally: Open, Run (boxes and report), Save as and Open again.
std::string openRunSaveReopen(const ProgramProfile& profile, const std::string& file) {
    Sheet tally = test::openingTally(profile);
    const LoadResult opened = loadTallyText(tally, test::readFile(file), "stand.txt");
    EXPECT_TRUE(opened.ok) << opened.error;
    tally.SetText(6, 6, "2.5e0"); // a height as some converters write it
    ObjectiveBoxes boxes;
    boxes.checked[0] = true;
    const RunOutcome outcome = profile.model->run(tally, boxes);
    Sheet report;
    setUpReportSheet(report);
    fillReport(report, outcome.results, true);

    std::string seen = outcome.standValueText + "|" + outcome.cutoffText + "|" + cellsOf(report);
    const Sheet fresh = test::openingTally(profile); // its heights are written by the dialog
    for (const Sheet* saved : {static_cast<const Sheet*>(&tally), &fresh}) {
        Sheet reopened = test::openingTally(profile);
        const std::string text = formatTallyText(*saved);
        const LoadResult again = loadTallyText(reopened, text, "saved.txt");
        seen += "|" + text + "|refused " + std::to_string(again.refusedCells.size()) + "|" + again.error;
    }
    return seen;
}

TEST(TallyText, DecimalCommaLocaleChangesNoFileCellOrResult) {
    const struct {
        const ProgramProfile& profile;
        const char* example;
    } stands[] = {{timbraProfile(), "upland-ridge-stand.txt"},
                  {lowtimbraProfile(), "bottomland-creek-stand.txt"}};
    for (const auto& stand : stands) {
        const std::string file = std::string(TIMBRA_EXAMPLES) + "/" + stand.example;
        const std::string inC = openRunSaveReopen(stand.profile, file);
        EXPECT_THAT(inC, Not(ContainsRegex("refused [1-9]"))) << stand.example;
        DecimalCommaLocale locale;
        if (!locale.active()) GTEST_SKIP() << "no de_DE.UTF-8 locale (LOCPATH is set by CTest)";
        EXPECT_EQ(openRunSaveReopen(stand.profile, file), inC) << stand.example;
        EXPECT_EQ(parseNumber("2.5e0"), 2.5);
        EXPECT_EQ(parseNumber("2,5"), std::nullopt);
    }
}

} // namespace
} // namespace timbra
