// The whole road of a stand, for both programs: open a tally, tick an objective (its rewrite pass
// runs), Run, and lay the results out on the report. Nothing may crash, the rewrite pass may touch
// only the class columns of the tree rows, and every text shown must be valid UTF-8.
#include "FuzzSupport.h"

#include "core/grid/TextEncoding.h"
#include "core/input/TallyFile.h"
#include "core/input/TallyLayout.h"
#include "core/report/ReportContent.h"

using namespace timbra;

namespace {

// The texts of rows 1 to last, row by row.
std::vector<std::string> textsOf(const Sheet& sheet, int last) {
    std::vector<std::string> texts;
    for (int r = 1; r <= last; ++r)
        for (int c = 1; c <= sheet.GetMaxCols(); ++c)
            texts.push_back(sheet.GetText(c, r));
    return texts;
}

// Rows 1 to last differ from the texts before only in the class columns of the tree rows. The rows
// after them held nothing before, whatever the input.
bool onlyClassesChanged(const std::vector<std::string>& before, const Sheet& after, int last) {
    std::size_t i = 0;
    for (int r = 1; r <= last; ++r)
        for (int c = 1; c <= after.GetMaxCols(); ++c, ++i) {
            const bool rewritable = r >= FirstTreeRow && (c == SpeciesClassColumn || c == TreeClassColumn);
            if (!rewritable && before[i] != after.GetText(c, r)) return false;
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
    for (fuzz::TallyBench& bench : fuzz::benches()) {
        const ProgramProfile* profile = &bench.profile();
        Sheet& tally = bench.sheet();
        const int reach = bench.reach(bytes);
        (void)loadTallyText(tally, bytes, "fuzz.txt"); // a refused file leaves the grid as it was

        // The last byte picks the box the user clicks (0: none); clicking the ticked Objective 1
        // unticks it, so a run with no objective is reached too.
        ObjectiveBoxes boxes;
        boxes.checked[0] = true;
        const int n = size == 0 ? 0 : data[size - 1] % (profile->objectiveCount + 1);
        if (n > 0 && clickObjective(boxes, profile->objectiveCount, n)) {
            const std::vector<std::string> before = textsOf(tally, reach);
            profile->model->rewriteForObjective(tally, n);
            FUZZ_CHECK(onlyClassesChanged(before, tally, reach));
        }

        const RunOutcome outcome = profile->model->run(tally, boxes);
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
