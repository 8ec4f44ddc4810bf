#include "cli/StandSession.h"

#include "input/TallyFile.h"

#include <istream>
#include <iterator>

namespace timbra::cli {

namespace {

std::string readAll(std::istream& in) {
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const std::string StandardInput = "standard input";

OpenedTally describe(const LoadResult& loaded, const Sheet& tally) {
    OpenedTally opened{loaded.ok, loaded.error, {}};
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

OpenedTally openTally(Sheet& tally, const std::string& file, std::istream& in) {
    return describe(
        file == "-" ? loadTallyText(tally, readAll(in), StandardInput) : loadTallyFile(tally, file), tally);
}

void chooseObjective(const ProgramProfile& profile, Sheet& tally, ObjectiveBoxes& boxes, std::optional<int> n,
                     bool keepClasses) {
    if (n) timbra::chooseObjective(profile, tally, boxes, *n, keepClasses);
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
    const LoadResult loaded = file == "-" ? document.openText(readAll(in), StandardInput, "Open").loaded
                                          : document.open(file).loaded;
    StandSession s;
    const OpenedTally opened = describe(loaded, document.tally());
    if (!opened.ok) {
        s.error = opened.error;
        return s;
    }
    s.ok = true;
    s.fileNotices = opened.notices;
    if (options.objective) document.chooseObjective(*options.objective, options.keepClasses);
    s.boxes = document.boxes();
    s.outcome = document.run();
    return s;
}

} // namespace timbra::cli
