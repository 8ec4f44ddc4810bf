// Tallies whose every cell holds hostile text, taken through the whole road of a stand in both
// programs: open, Run, report, save and open again. Nothing may crash, Run must finish with its
// messages, and not one cell may change on the way through a file.
#include "core/TestFiles.h"

#include "grid/TextEncoding.h"
#include "input/TallyFile.h"
#include "report/ReportContent.h"

#include <gtest/gtest.h>

namespace timbra {
namespace {

using test::cellsOf;

// Texts that have broken spreadsheets and parsers: huge and control-laden text, bidirectional
// marks, numbers out of every range, and delimiters of the file inside cells.
// clang-format off
const std::vector<std::string> hostileTexts = {
    std::string(5000, 'W'), "\x01\x02\x1b[31m\x7f\x08", "\t", "\u202Eseilfretteb\u202C", "\u200F\u200E\u061C",
    "\u0627\u0644\u0628\u0644\u0648\u0637", "1e309", "-1e309", "-0", "NaN", "nan", "inf", "99999999999",
    "-99999999999", "2147483648", "1e-320", "0x1A", "  14  ", "3.5e0", "\"Oak, \"\"white\"\"\"", "a,b,c",
    "line\rbreak", "line\nbreak", "\xEF\xBB\xBF", "\U0001F333\U0001F332", "", " ", "\r\n", "\"x\"", "\u00E9,\"",
};
// clang-format on

// Every cell of the sheet from row `fromRow` on, cycling through the hostile texts; with
// `validPlots` the plot column keeps a valid plot number, so that Run walks every tree row.
void fillHostile(Sheet& sheet, int fromRow, bool validPlots) {
    std::size_t next = 0;
    for (int r = fromRow; r <= sheet.GetMaxRows(); ++r)
        for (int c = 1; c <= sheet.GetMaxCols(); ++c) {
            if (validPlots && c == 1 && r >= 6) {
                sheet.SetText(c, r, std::to_string(1 + r % 5));
                continue;
            }
            sheet.SetText(c, r, hostileTexts[next++ % hostileTexts.size()]);
        }
}

struct HostileCase {
    const char* name;
    const ProgramProfile& (*profile)();
    bool validPlots;
};

void PrintTo(const HostileCase& c, std::ostream* out) {
    *out << c.name;
}

class HostileTally : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileTally, RunsReportsAndSurvivesSaveAndOpen) {
    const ProgramProfile& profile = GetParam().profile();
    test::TempFolder dir;
    Sheet tally = test::openingTally(profile);
    fillHostile(tally, 1, GetParam().validPlots);
    // A known province, so that the upland stand is decided and the report's gate opens.
    if (profile.hasProvince) tally.SetText(10, 3, "Cumberland");
    tally.SetText(10, 2, "4");
    // A stand name far longer than any editor allows, as a file may bring it: shown whole.
    tally.SetText(3, 2, hostileTexts[0] + hostileTexts[3] + hostileTexts[24]);

    // Into a file and back: the hostile cells are data like any other.
    const std::string path = dir / "hostile.txt";
    const FileResult saved = saveTallyFile(tally, path);
    ASSERT_TRUE(saved.ok) << saved.error;
    Sheet reopened = test::openingTally(profile);
    const LoadResult loaded = loadTallyFile(reopened, path);
    ASSERT_TRUE(loaded.ok) << loaded.error;
    EXPECT_FALSE(loaded.refusedCells.empty());
    // Open gives each number its cell's one form ("  14  " is 14); saved and opened again, nothing moves.
    ASSERT_TRUE(saveTallyFile(reopened, path).ok);
    Sheet resaved = test::openingTally(profile);
    ASSERT_TRUE(loadTallyFile(resaved, path).ok);
    ASSERT_EQ(cellsOf(resaved), cellsOf(reopened));
    EXPECT_EQ(reopened.GetText(3, 2), tally.GetText(3, 2));

    // Every objective in turn, as the user would tick them.
    for (int objective = 1; objective <= profile.objectiveCount; ++objective) {
        Sheet sheet = reopened;
        ObjectiveBoxes boxes; // none ticked, so that the click ticks it and runs its rewrite pass
        ASSERT_TRUE(clickObjective(boxes, profile.objectiveCount, objective));
        profile.model->rewriteForObjective(sheet, objective);
        const RunOutcome outcome = profile.model->run(sheet, boxes);
        EXPECT_FALSE(outcome.treeMessages.empty()) << "objective " << objective;
        EXPECT_FALSE(outcome.standValueText.empty());
        EXPECT_FALSE(outcome.cutoffText.empty());
        for (const auto& text : outcome.allMessages())
            EXPECT_TRUE(isValidUtf8(text)) << text;

        Sheet report;
        setUpReportSheet(report);
        ASSERT_TRUE(reportGatePasses(&outcome.results, true)) << "objective " << objective;
        fillReport(report, outcome.results, profile.hasProvince);
        EXPECT_EQ(report.GetMaxRows(), ReportRows);
        bool nameShown = false;
        for (int r = 1; r <= ReportRows; ++r)
            for (int c = 1; c <= ReportColumns; ++c) {
                EXPECT_TRUE(isValidUtf8(report.GetText(c, r)));
                nameShown = nameShown || report.GetText(c, r).find(tally.GetText(3, 2)) != std::string::npos;
            }
        EXPECT_TRUE(nameShown) << "the stand name, however odd, is on the report";

        // Saved again after the rewrite pass and Run, the file still gives back every cell.
        const std::string again = dir / "again.txt";
        ASSERT_TRUE(saveTallyFile(sheet, again).ok);
        Sheet back = test::openingTally(profile);
        ASSERT_TRUE(loadTallyFile(back, again).ok);
        EXPECT_EQ(cellsOf(back), cellsOf(sheet));
    }
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, HostileTally,
                         ::testing::Values(HostileCase{"UplandAllHostile", timbraProfile, false},
                                           HostileCase{"UplandHostileTrees", timbraProfile, true},
                                           HostileCase{"BottomlandAllHostile", lowtimbraProfile, false},
                                           HostileCase{"BottomlandHostileTrees", lowtimbraProfile, true}),
                         [](const auto& param) { return std::string(param.param.name); });

} // namespace
} // namespace timbra
