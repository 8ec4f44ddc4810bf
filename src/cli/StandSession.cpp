#include "cli/StandSession.h"

#include "cli/StandardStreams.h"
#include "core/input/TallyFile.h"
#include "core/input/TallyLayout.h"

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

OpenedTally describe(const LoadResult& loaded, const Sheet& tally) {
    OpenedTally opened{loaded.ok, loaded.error, {}, loaded.fileRows};
    if (loaded.windows1252Bytes == 1)
        opened.notices.push_back("1 byte of the file is not UTF-8 and was read as a Windows-1252 character");
    else if (loaded.windows1252Bytes > 1)
        opened.notices.push_back(std::to_string(loaded.windows1252Bytes) +
                                 " bytes of the file are not UTF-8 and were read as Windows-1252 characters");
    if (std::string notice = readAsTypedNotice(loaded, "the file"); !notice.empty())
        opened.notices.push_back(std::move(notice));
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
    const LoadResult loaded = load(
        file, in,
        [&](const std::string& bytes, const std::string& name) { return loadTallyText(tally, bytes, name); },
        [&](const std::string& path) { return loadTallyFile(tally, path); });
    return describe(loaded, tally);
}

std::string otherModelNotice(const ProgramProfile& profile, const Sheet& tally, int fileRows) {
    // How each program writes its tally: its grid's rows, and the text of the province label
    // ("Province" in an upland tally, nothing in a bottomland one).
    struct Look {
        const ProgramProfile* profile;
        int rows;
        std::string provinceLabel;
    };
    static const std::vector<Look> looks = [] {
        std::vector<Look> all;
        for (const ProgramProfile* p : {&timbraProfile(), &lowtimbraProfile()}) {
            const Sheet grid = p->loadTallyGrid();
            all.push_back({p, grid.GetMaxRows(), grid.GetText(ProvinceLabelCell.col, ProvinceLabelCell.row)});
        }
        return all;
    }();
    // The label tells the two apart; where it is empty the file's rows must match as well, since a
    // short tally written by hand may have no label either.
    for (const Look& look : looks)
        if (look.profile != &profile &&
            tally.GetText(ProvinceLabelCell.col, ProvinceLabelCell.row) == look.provinceLabel &&
            (!look.provinceLabel.empty() || fileRows == look.rows)) {
            const std::string& model = look.profile->modelName;
            const bool vowel = std::string_view("aeiou").find(model.front()) != std::string_view::npos;
            return std::string("looks like ") + (vowel ? "an " : "a ") + model + " tally: use --model " +
                   model;
        }
    return {};
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
    const LoadResult loaded = load(
        file, in,
        [&](const std::string& bytes, const std::string& name) {
            return document.openText(bytes, name, "Open").loaded;
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
    if (std::string notice = otherModelNotice(*options.profile, document.tally(), opened.fileRows);
        !notice.empty())
        s.fileNotices.push_back(std::move(notice));
    if (options.objective) document.chooseObjective(*options.objective, options.keepClasses);
    s.boxes = document.boxes();
    s.outcome = document.run();
    s.statistics = computeStandStatistics(s.outcome.results);
    return s;
}

} // namespace timbra::cli
