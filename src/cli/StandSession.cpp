#include "cli/StandSession.h"

#include "cli/StandardStreams.h"
#include "core/input/TallyFile.h"
#include "core/input/TallyLayout.h"
#include "core/tract/StandJudge.h"
#include "core/tract/SummaryTable.h"

#include <istream>

namespace timbra::cli {

namespace {

// Reads `file` with `fromFile`, or "-" (standard input) with `fromText`.
template <typename FromText, typename FromFile>
LoadResult load(const std::string& file, std::istream& in, FromText&& fromText, FromFile&& fromFile) {
    if (file != "-") return fromFile(file);
    // Bounded as files are: an endless input is cut just past the limit and refused.
    const std::string bytes = readAtMost(in, MaxTallyFileBytes);
    if (in.bad()) {
        LoadResult failed;
        failed.ok = false;
        failed.error = "Cannot open \"standard input\": " + streamError(in) + ".";
        return failed;
    }
    return fromText(bytes, "standard input");
}

struct OpenedTally {
    bool ok = false;
    std::string error;
    // Cells the file filled with text their editor would refuse, one readable line each.
    std::vector<std::string> notices;
    int fileRows = 0;
};

OpenedTally describe(const LoadResult& loaded, const Sheet& tally) {
    OpenedTally opened{loaded.ok, loaded.error, {}, loaded.fileRows};
    for (std::string notice : {windows1252Notice(loaded, "the file"), readAsTypedNotice(loaded, "the file")})
        if (!notice.empty()) opened.notices.push_back(std::move(notice));
    for (const auto& [col, row] : loaded.refusedCells)
        opened.notices.push_back(columnName(col) + std::to_string(row) + ": \"" + tally.GetText(col, row) +
                                 "\" is outside the cell's limits (" + tally.editorAt(col, row).describe() +
                                 ")");
    return opened;
}

} // namespace

Sheet openingTally(const ProgramProfile& profile) {
    return StandDocument(profile).tally();
}

ObjectiveBoxes openingBoxes() {
    return StandDocument::openingBoxes();
}

std::vector<int> tickedObjectives(const ObjectiveBoxes& boxes, int count) {
    std::vector<int> ticked;
    for (int n = 1; n <= count; ++n)
        if (boxes.isChecked(n)) ticked.push_back(n);
    return ticked;
}

StandSession runStand(const Options& options, std::istream& in) {
    StandDocument document(*options.profile);
    const std::string& file = options.files.front();
    const LoadResult loaded = load(
        file, in,
        [&](const std::string& bytes, const std::string& name) {
            return document.openText(bytes, name, StandStep::Open).loaded;
        },
        [&](const std::string& path) { return document.open(path).loaded; });
    StandSession s;
    const OpenedTally opened = describe(loaded, document.tally());
    if (!opened.ok) {
        s.error = opened.error;
        return s;
    }
    s.ok = true;
    s.fileNotices = opened.notices;
    if (std::string notice =
            otherModelNotice(otherModelOf(*options.profile, document.tally(), opened.fileRows));
        !notice.empty())
        s.fileNotices.push_back(std::move(notice));
    if (options.objective) document.chooseObjective(*options.objective, options.keepClasses);
    s.boxes = document.boxes();
    const StandRun& run = document.run();
    s.outcome = run.outcome;
    s.statistics = run.statistics;
    return s;
}

} // namespace timbra::cli
