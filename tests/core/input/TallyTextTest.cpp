// Tally file text: what is written, what is read back, and what is refused.
#include "core/TestFiles.h"

#include "core/app/StandDocument.h"
#include "core/grid/SheetClipboard.h"
#include "core/input/TallyFile.h"
#include "core/report/ReportContent.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <clocale>
#include <cstring>

namespace timbra {
namespace {

using test::cellsOf;
using ::testing::ContainsRegex;
using ::testing::HasSubstr;
using ::testing::Not;

// A small upland tally: header, two trees and the end marker.
Sheet sampleTally() {
    return test::openingTally(
        timbraProfile(),
        {.name = "North Ridge", .location = "Compartment 7", .plots = 3, .province = "Cumberland"},
        {{1, 14, 2.5, 1, "Desirable", "High", "Dominant", "Preferred", "YLP"},
         {1, 8, 1.5, 2, "Acceptable", "Low", "Intermediate", "Reserve", "SWG"}});
}

TEST(TallyText, RowsEndInCarriageReturnAndBlanksAreKept) {
    const std::string text = formatTallyText(sampleTally());
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 1500);
    EXPECT_TRUE(
        text.starts_with(",,,,,,,,,\rStand Name,,North Ridge,,,,Plot Size,Fifth acre,Number of Plots,3\r"));
    EXPECT_THAT(text,
                HasSubstr("\r1,,SWG,Acceptable,8,1.5,2,Low,Intermediate,Reserve\r0,, , ,0,0.0,0, , , \r"));
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
        EXPECT_EQ(s.GetText(1, 1) + "|" + s.GetText(1, 2) + "|" + s.GetText(3, 3) + "|" + s.GetText(2, 4) +
                      "|" + s.GetText(3, 4) + s.GetText(10, 2) + s.GetText(3, 6) + s.GetText(10, 1500),
                  "a||e|YL|");
        EXPECT_EQ(s.editorAt(10, 2).kind, CellEditor::Kind::Integer);
    }
}

TEST(TallyText, QuotesOnlyWhereNeededAndReadsOlderUnquotedFilesAsBefore) {
    Sheet s = sampleTally();
    s.SetText(3, 2, "Smith tract, east half");
    s.SetText(3, 3, "\"Big\r\nWoods\""); // a line break inside a quoted cell stays in its cell
    s.SetText(9, 3, "Oak\"");
    EXPECT_THAT(formatTallyText(s), HasSubstr("Stand Name,,\"Smith tract, east half\",,,,Plot Size"));
    EXPECT_EQ(cellsOf(test::reopened(timbraProfile(), s)), cellsOf(s));

    for (const auto& [written, read] : test::cases("tallytext", "olderUnquoted")
                                           .get<std::vector<std::array<std::array<std::string, 3>, 2>>>()) {
        const std::string bytes = ",,,,,,,,,\rStand Name,," + written[0] +
                                  ",,,,Plot Size,Fifth acre,Number of Plots,3\rStand Location,," +
                                  written[1] + ",,,,Physiographic Province,," + written[2] +
                                  ",Cumberland\r\r\r1,1,YLP,Desirable,14,2.5,1,High,Dominant,Preferred\r";
        Sheet old = test::openingTally(timbraProfile());
        const LoadResult r = loadTallyText(old, bytes, "old.txt");
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_EQ((std::array{old.GetText(3, 2), old.GetText(3, 3), old.GetText(9, 3)}), read) << bytes;
        EXPECT_EQ(old.GetText(10, 3) + "|" + old.GetText(3, 6), "Cumberland|YLP") << bytes;
    }
}

TEST(TallyText, DamagedOrForeignFilesLeaveTheSheetUntouched) {
    const std::pair<std::string, std::string> cases[] = {
        {std::string("abc\r\0def", 8), "NUL byte at byte 5"},
        {"a\r" + std::string(MaxTallyRowBytes + 1, 'x') + "\r", "row 2 of the file is longer than 64 KiB"},
        {std::string(MaxTallyFileBytes + 1, '\r'), "larger than 16 MiB"},
        {"1,2,3,4,5,6,7,8,9,10,11\r",
         "row 1 of the file holds data in column 11, but the tally has only 10 columns"},
        {std::string(1500, '\r') + "7\r",
         "row 1501 of the file holds data, but the tally has only 1500 rows"},
    };
    for (const auto& [bytes, reason] : cases) {
        Sheet s = sampleTally();
        const std::string before = cellsOf(s);
        const LoadResult r = loadTallyText(s, bytes, "/home/ann/stand.txt");
        EXPECT_FALSE(r.ok);
        EXPECT_THAT(r.error, HasSubstr("\"/home/ann/stand.txt\"")) << reason;
        EXPECT_THAT(r.error, HasSubstr(reason));
        EXPECT_EQ(cellsOf(s), before) << reason;
    }
}

TEST(TallyText, ExtraBlankRowsAndColumnsAreLeftOut) {
    // A bottomland tally keeps one more tree row, which its dialog filled with zeros.
    const Sheet bottomland = test::openingTally(lowtimbraProfile(), {.name = "Creek bottom"}, {});
    Sheet upland = timbraProfile().loadTallyGrid();
    const LoadResult r = loadTallyText(upland, formatTallyText(bottomland) + "0, ,0.00,,,,,,,,,0\r", "b.txt");
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(upland.GetText(3, 2) + "|" + upland.GetText(6, 1500), "Creek bottom|0.0");
}

TEST(TallyText, CellsTheEditorsWouldRefuseAreKeptAndReported) {
    Sheet s = timbraProfile().loadTallyGrid();
    const std::string text = "\rStand Label,,Name\r" // a changed label: a text like any other
                             "\r\rPlot #,Tree #\r"   // the headings are their cells' captions
                             "1,1,ylp,Desirable,45,2,1,High,Codominant,Preferred\r"
                             "0,,  ,,abc,0.0,0, , ,\r"
                             "Plot #,Tree #\r"; // but no tree row's
    const LoadResult r = loadTallyText(s, text, "odd.txt");
    ASSERT_TRUE(r.ok);
    // "ylp" is upper-cased as typing it would be; a number takes its cell's one form.
    EXPECT_EQ(s.GetText(5, 6) + "|" + s.GetText(9, 6) + "|" + s.GetText(3, 6) + "|" + s.GetText(2, 6),
              "45|Codominant|YLP|1.00");
    // The 0s of an empty tree row are kept and not counted, although a typed 0 would not fit.
    EXPECT_EQ(r.refusedCells,
              (std::vector<std::pair<int, int>>{{5, 6}, {9, 6}, {3, 7}, {5, 7}, {1, 8}, {2, 8}}));
    EXPECT_EQ(s.GetText(6, 7) + "|" + s.GetText(7, 7), "0.0|0");
}

const ProgramProfile& profileNamed(const std::string& model) {
    return model == "upland" ? timbraProfile() : lowtimbraProfile();
}

// Each cell of the table, written into a tally file as it stands, is stored as typing would store it
// (or kept and marked); the cells read so are counted and not marked.
TEST(TallyText, ListAndUpperCaseCellsAreReadAsTyped) {
    for (const auto& c : test::cases("tallytext", "readAsTyped")) {
        const ProgramProfile& profile = profileNamed(c[0]);
        const std::string cell = c[1], text = c[2], stored = c[3];
        const int col = columnNumber(cell.substr(0, 1)), row = std::stoi(cell.substr(1));
        Sheet written = test::openingTally(profile, {}, {test::Tree{}});
        written.SetText(col, row, text);
        Sheet s = test::openingTally(profile);
        const LoadResult r = loadTallyText(s, formatTallyText(written), "t.txt");
        ASSERT_TRUE(r.ok) << r.error;
        const bool marked = std::find(r.refusedCells.begin(), r.refusedCells.end(), std::pair{col, row}) !=
                            r.refusedCells.end();
        EXPECT_EQ(s.GetText(col, row) + (marked ? "|marked" : "") + "|typed " +
                      std::to_string(r.cellsReadAsTyped),
                  stored + (c[4].get<bool>() ? "|marked" : "") + "|typed " + (stored == text ? "0" : "1"))
            << c.dump();
        // Paste stores the same text, and refuses what Open marks.
        Sheet pasted = test::openingTally(profile);
        const std::string before = pasted.GetText(col, row);
        pasteIntoSheet(pasted, col, row, {{text}});
        EXPECT_EQ(pasted.GetText(col, row), c[4].get<bool>() ? before : stored) << c.dump();
    }
}

// The notice counts every cell read so and shows the first few distinct changes, quoting a text
// whose blanks would not show.
TEST(TallyText, ReadAsTypedNoticeCountsAndShowsTheFirstFew) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{}, ""},
        {{"dominant"}, "1 cell of the file was stored as typing would store it: dominant -> Dominant"},
        {{"dominant", "dominant", " suppressed"},
         "3 cells of the file were stored as typing would store them: dominant -> Dominant, \" suppressed\" "
         "-> Suppressed"},
        {{"dominant", "intermediate", "DOMINANT", "suppressed", "co-dominant"},
         "5 cells of the file were stored as typing would store them: dominant -> Dominant, intermediate -> "
         "Intermediate, DOMINANT -> Dominant, among others"},
        {{std::string(50, ' ') + "dominant"},
         "1 cell of the file was stored as typing would store it: \"" + std::string(40, ' ') +
             "...\" -> Dominant"},
    };
    for (const auto& [crownClasses, notice] : cases) {
        std::vector<test::Tree> trees;
        for (const std::string& crown : crownClasses)
            trees.push_back(test::Tree{.crownClass = crown});
        Sheet s = test::openingTally(timbraProfile());
        const LoadResult r =
            loadTallyText(s, formatTallyText(test::openingTally(timbraProfile(), {}, trees)), "t.txt");
        EXPECT_EQ(readAsTypedNotice(r, "the file"), notice);
    }
}

// Lower-case list texts and codes, as a user or a converter may write them, give the same stand as
// the list's entries: the models compare the entries' exact texts.
TEST(TallyText, ExampleInLowerCaseRunsAsTheExample) {
    const std::string example = test::readFile(TIMBRA_EXAMPLES "/upland-ridge-stand.txt");
    std::string lower = example;
    for (const char* entry : {"Dominant", "Co-dominant", "Fifth acre", "Cumberland", "YLP", "NRO", "WO"})
        for (auto at = lower.find(entry); at != std::string::npos; at = lower.find(entry, at + 1))
            for (std::size_t i = at; i < at + std::strlen(entry); ++i)
                lower[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(lower[i])));
    ASSERT_NE(lower, example);
    for (int objective = 1; objective <= 4; ++objective) {
        std::string runs[2];
        for (int i = 0; i < 2; ++i) {
            Sheet tally = test::openingTally(timbraProfile());
            ASSERT_TRUE(loadTallyText(tally, i ? lower : example, "stand.txt").ok);
            ObjectiveBoxes boxes;
            chooseObjective(timbraProfile(), tally, boxes, objective, false);
            const RunOutcome o = timbraProfile().model->run(tally, boxes);
            runs[i] = o.standValueText + "|" + o.decisionText + "|" + o.cutoffText + "|" +
                      std::to_string(o.treeMessages.size() + o.closingMessages.size());
        }
        EXPECT_EQ(runs[1], runs[0]) << "objective " << objective;
    }
}

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

    // A fresh grid's heights are written by the dialog.
    LoadResult again;
    const std::string reopened = cellsOf(test::reopened(profile, tally, &again)) +
                                 cellsOf(test::reopened(profile, test::openingTally(profile)));
    return outcome.standValueText + "|" + outcome.cutoffText + "|" + cellsOf(report) + "|" + reopened +
           "|refused " + std::to_string(again.refusedCells.size());
}

// The programs run under the user's locale (the windowing library takes it from the environment at
// start-up); tests/CMakeLists.txt generates a decimal-comma one for these tests.
TEST(TallyText, DecimalCommaLocaleChangesNoFileCellOrResult) {
    const std::pair<const ProgramProfile*, std::string> stands[] = {
        {&timbraProfile(), "/upland-ridge-stand.txt"}, {&lowtimbraProfile(), "/bottomland-creek-stand.txt"}};
    for (const auto& [profile, example] : stands) {
        const std::string file = TIMBRA_EXAMPLES + example;
        const std::string inC = openRunSaveReopen(*profile, file);
        EXPECT_THAT(inC, Not(ContainsRegex("refused [1-9]"))) << example;
        const std::string previous = std::setlocale(LC_ALL, nullptr);
        if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
            GTEST_SKIP() << "no de_DE.UTF-8 locale (LOCPATH is set by CTest)";
        EXPECT_EQ(openRunSaveReopen(*profile, file), inC) << example;
        EXPECT_EQ(parseNumber("2.5e0"), 2.5);
        EXPECT_EQ(parseNumber("2,5"), std::nullopt);
        std::setlocale(LC_ALL, previous.c_str());
    }
}

} // namespace
} // namespace timbra
