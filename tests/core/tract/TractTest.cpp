// A tract: its file read and written (relative paths, comments, duplicates, names with spaces and
// accented letters, files that moved), and every kind of stand judged into its row.
#include "core/TestFiles.h"
#include "core/app/StandDocument.h"
#include "core/grid/TrimSpaces.h"
#include "core/tract/StandJudge.h"
#include "core/tract/TractColumns.h"
#include "core/tract/TractFile.h"

#include <gtest/gtest.h>

using namespace timbra;
using Paths = std::vector<std::string>;

namespace {

const std::string Stands = TIMBRA_TEST_DATA "/cli";
const std::string UplandExample = TIMBRA_EXAMPLES "/upland-ridge-stand.txt";
const std::string BottomlandExample = TIMBRA_EXAMPLES "/bottomland-creek-stand.txt";

TEST(TractFile, ReadsLinesAsPathsFromItsFolder) {
    const struct {
        const char* what;
        std::string text;
        Paths tallies;
        int duplicates;
    } cases[] = {
        {"relative and absolute",
         "a.txt\nsub/b.txt\n../c.txt\n/abs/d.txt\n",
         {"/t/a.txt", "/t/sub/b.txt", "/t/../c.txt", "/abs/d.txt"},
         0},
        {"comments, blank lines, CRLF and a byte-order mark",
         "\xEF\xBB\xBF# stands\r\n\r\n  \na.txt\r\n#b.txt\n",
         {"/t/a.txt"},
         0},
        {"a name with spaces and accented letters, no final line end",
         "Stand 7 – Église du Pré.txt",
         {"/t/Stand 7 – Église du Pré.txt"},
         0},
        {"the same file named twice, one way or another",
         "a.txt\n./a.txt\nsub/../a.txt\n/t/a.txt\nb.txt\n",
         {"/t/a.txt", "/t/b.txt"},
         3},
        {"a name hidden from comments", "./#1.txt\n", {"/t/./#1.txt"}, 0},
    };
    for (const auto& c : cases) {
        const TractFile tract = parseTractText(c.text, "/t");
        EXPECT_EQ(tract.tallies, c.tallies) << c.what;
        EXPECT_EQ(tract.duplicates, c.duplicates) << c.what;
    }
}

// Saved in one folder, the tract lists its tallies relative to it, so the folder can move whole;
// tallies that are not there (moved away) stay listed.
TEST(TractFile, SavesRelativePathsAndReadsThemBack) {
    test::TempFolder folder;
    std::filesystem::create_directories(folder / "tract/sub");
    const Paths tallies{folder / "tract/Stand 7 – Église.txt", folder / "tract/sub/#2.txt",
                        folder / "other.txt", folder / "tract/gone.txt"};
    const std::string path = folder / "tract/Forêt.tract";
    ASSERT_TRUE(saveTractFile(tallies, path).ok);
    const std::string text = test::readFile(path);
    EXPECT_NE(text.find("\nStand 7 – Église.txt\nsub/#2.txt\n../other.txt\ngone.txt\n"), std::string::npos)
        << text;
    EXPECT_EQ(readTractFile(path).tallies,
              (Paths{folder / "tract/Stand 7 – Église.txt", folder / "tract/sub/#2.txt",
                     folder / "tract/../other.txt", folder / "tract/gone.txt"}));

    std::filesystem::rename(folder / "tract", folder / "moved");
    EXPECT_EQ(readTractFile(folder / "moved/Forêt.tract").tallies.front(),
              folder / "moved/Stand 7 – Église.txt");

    // A name that cannot be one line is refused, and the saved tract stays as it was.
    const FileResult refused = saveTractFile({folder / "two\nlines.txt"}, folder / "moved/Forêt.tract");
    EXPECT_FALSE(refused.ok);
    EXPECT_NE(refused.error.find("line break"), std::string::npos) << refused.error;
    EXPECT_EQ(test::readFile(folder / "moved/Forêt.tract"), text);

    EXPECT_FALSE(readTractFile(folder / "none.tract").ok);
    EXPECT_FALSE(readTractFile(folder.path()).ok);
    EXPECT_TRUE(isTractPath("a/B.TRACT"));
    EXPECT_FALSE(isTractPath("a.tract.txt"));
}

// Every kind of stand the summary handles keeps its row, with the problem the window shows.
TEST(StandJudge, EveryKindOfStandGivesItsRow) {
    test::TempFolder folder;
    Sheet sheet = test::tally(test::UplandRows, {.plots = 2, .province = "Cumberland"},
                              {test::Tree{}, test::Tree{.plot = 2, .dbh = 30}});
    sheet.SetText(DbhColumn, 6, "999"); // outside the DBH limits: read all the same, and counted
    test::writeFile(folder / "refused.txt", formatTallyText(sheet));
    const struct {
        std::string file;
        std::string problem;
        std::string decision1; // empty: not judged
    } cases[] = {
        {UplandExample, "", "Regenerate"},
        {BottomlandExample, "looks like a bottomland tally; 1 cell outside its limits", ""},
        {Stands + "/no-trees.txt", "no trees", "Regenerate"},
        {folder / "missing.txt", "missing", ""},
        {folder.path(), "Cannot open \"" + folder.path() + "\": it is a folder, not a file.", ""},
        {folder / "refused.txt", "1 cell outside its limits", "Regenerate"},
    };
    StandJudge judge(timbraProfile());
    for (const auto& c : cases) {
        const StandVerdict v = judge.judgeFile(c.file);
        EXPECT_EQ(v.problem(), c.problem) << c.file;
        EXPECT_EQ(tractCell(v, 1, TractColumn::Decision).text, c.decision1) << c.file;
        EXPECT_EQ(v.objectives.size(), v.read() ? 4u : 0u) << c.file;
    }
}

// Each objective's verdict is the Run of the tally with that objective chosen, its rewrite pass made
// over the cells: for the examples, and for a full tally of the species every pass rewrites, some of
// it past a row of plot number 0 that ends the Run.
TEST(StandJudge, EachObjectiveIsTheRunWithThatObjectiveChosen) {
    test::TempFolder folder;
    for (const ProgramProfile* profile : {&timbraProfile(), &lowtimbraProfile()}) {
        const int rows = profile->hasProvince ? test::UplandRows : test::BottomlandRows;
        Sheet full = test::openingTally(*profile, {.plots = 30, .province = "Cumberland"}, {});
        const char* codes[] = {"YLP", "SUM", "SWG", "WO"};
        const char* treeClasses[] = {"Preferred", "Reserve", "Cutting Stock", "Cull"};
        for (int row = 6; row <= rows; ++row)
            test::setTree(full, row,
                          {row == 1200 ? 0 : 1 + row % 30, 6 + row % 35, 2, 1,
                           row % 3 ? "Desirable" : "Acceptable", "High", "Dominant", treeClasses[row % 4],
                           codes[row % 4]});
        test::writeFile(folder / "full.txt", formatTallyText(full));
        StandJudge judge(*profile);
        for (const std::string& file : Paths{UplandExample, BottomlandExample, folder / "full.txt",
                                             TIMBRA_EXAMPLES "/pine-knob-tallies/Pine Knob North.txt"}) {
            const StandVerdict v = judge.judgeFile(file);
            ASSERT_EQ(v.objectives.size(), static_cast<std::size_t>(profile->objectiveCount)) << file;
            for (int k = 1; k <= profile->objectiveCount; ++k) {
                Sheet tally = test::openingTally(*profile);
                ASSERT_TRUE(loadTallyFile(tally, file).ok);
                ObjectiveBoxes boxes;
                chooseObjective(*profile, tally, boxes, k, false);
                const RunOutcome run = profile->model->run(tally, boxes);
                const ObjectiveVerdict& o = v.objectives[static_cast<std::size_t>(k - 1)];
                EXPECT_EQ(o.standValueText + "|" + o.cutoffText + "|" + o.decisionBox(),
                          std::string(trimSpaces(run.standValueText)) + "|" +
                              std::string(trimSpaces(run.cutoffText)) + "|" +
                              std::string(trimSpaces(run.decisionText)))
                    << file << " objective " << k;
                EXPECT_DOUBLE_EQ(o.standValue, run.results.standValue) << file << " objective " << k;
            }
        }
    }
}

// The row's cells: numbers for sorting where the summary shows one, none for "n/a".
TEST(StandJudge, CellsCarryTheirNumbers) {
    StandJudge judge(timbraProfile());
    const StandVerdict v = judge.judgeFile(UplandExample);
    const TractCell value = tractCell(v, 4, TractColumn::StandValue);
    EXPECT_EQ(value.text, "31.0");
    EXPECT_DOUBLE_EQ(*value.number, v.objectives[3].standValue);
    EXPECT_EQ(tractCell(v, 4, TractColumn::Decision).text, "Manage");
    EXPECT_EQ(tractCell(v, 1, TractColumn::PlotsToSettle).number, 5);
    const StandVerdict one = judge.judgeFile(Stands + "/one-plot.txt");
    const TractCell low = tractCell(one, 1, TractColumn::Low);
    EXPECT_EQ(low.text, "n/a");
    EXPECT_FALSE(low.number);
    EXPECT_EQ(tractColumns(lowtimbraProfile()).size() + 1, tractColumns(timbraProfile()).size());
}

// Many files on every core: each verdict in its place; a cancel stops the rest.
TEST(StandJudge, JudgesInOrderAndStopsWhenCancelled) {
    Paths files;
    for (int i = 0; i < 40; ++i)
        files.push_back(i % 2 ? UplandExample : Stands + "/counts.txt");
    const std::vector<StandVerdict> verdicts = judgeFiles(timbraProfile(), files);
    for (std::size_t i = 0; i < files.size(); ++i)
        EXPECT_EQ(verdicts[i].standName, i % 2 ? "Buck Ridge oak stand" : "Test stand");

    std::atomic<bool> cancel{false};
    std::atomic<int> done{0};
    judgeStands(
        timbraProfile(), files.size(),
        [&](StandJudge& judge, std::size_t i) { return judge.judgeFile(files[i]); },
        [&](std::size_t, StandVerdict&&) {
            if (++done == 3) cancel = true;
        },
        &cancel);
    EXPECT_LT(done.load(), 6);
}

} // namespace
