// The whole road of a stand, for both programs: open a tally, tick an objective (its rewrite pass
// runs), Run, and lay the results out on the report. Nothing may crash, the rewrite pass may touch
// only the class columns of the tree rows, and every text shown must be valid UTF-8.
#include "FuzzSupport.h"

#include "grid/TextEncoding.h"
#include "input/TallyFile.h"
#include "report/ReportContent.h"

using namespace timbra;

namespace {

constexpr int SpeciesClassColumn = 4, TreeClassColumn = 10, FirstTreeRow = 6;

bool onlyClassesChanged(const Sheet& before, const Sheet& after) {
    for (int r = 1; r <= before.GetMaxRows(); ++r)
        for (int c = 1; c <= before.GetMaxCols(); ++c) {
            const bool rewritable = r >= FirstTreeRow && (c == SpeciesClassColumn || c == TreeClassColumn);
            if (!rewritable && before.GetText(c, r) != after.GetText(c, r)) return false;
        }
    return true;
}

bool allValidUtf8(const std::vector<std::string>& texts) {
    for (const auto& t : texts)
        if (!isValidUtf8(t)) return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::asText(data, size);
    for (const ProgramProfile* profile : fuzz::bothPrograms()) {
        Sheet tally = fuzz::openingTally(*profile);
        (void)loadTallyText(tally, bytes, "fuzz.txt"); // a refused file leaves the opening grid

        // The last byte picks the box the user clicks (0: none); clicking the ticked Objective 1
        // unticks it, so a run with no objective is reached too.
        ObjectiveBoxes boxes;
        boxes.checked[0] = true;
        const int n = size == 0 ? 0 : data[size - 1] % (profile->objectiveCount + 1);
        if (n > 0 && clickObjective(boxes, profile->objectiveCount, n)) {
            const Sheet before = tally;
            profile->rewriteForObjective(tally, n);
            FUZZ_CHECK(onlyClassesChanged(before, tally));
        }

        const RunOutcome outcome = profile->run(tally, boxes);
        FUZZ_CHECK(allValidUtf8(outcome.allMessages()));
        FUZZ_CHECK(allValidUtf8({outcome.standValueText, outcome.decisionText, outcome.cutoffText}));

        Sheet report;
        setUpReportSheet(report);
        if (reportGatePasses(&outcome.results, true))
            fillReport(report, outcome.results, profile->hasProvince);
        FUZZ_CHECK(report.GetMaxCols() == ReportColumns && report.GetMaxRows() == ReportRows);
        for (int r = 1; r <= ReportRows; ++r)
            for (int c = 1; c <= ReportColumns; ++c)
                FUZZ_CHECK(isValidUtf8(report.GetText(c, r)));
    }
    return 0;
}
