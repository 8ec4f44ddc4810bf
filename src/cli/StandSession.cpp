#include "cli/StandSession.h"

#include "cli/StandardStreams.h"
#include "input/TallyCommands.h"
#include "input/TallyFile.h"

#include <istream>

namespace timbra::cli {

Sheet openingTally(const ProgramProfile& profile) {
    Sheet tally = profile.loadTallyGrid();
    prepareTallyForDialog(tally, profile.tally);
    return tally;
}

ObjectiveBoxes openingBoxes() {
    ObjectiveBoxes boxes;
    boxes.checked[0] = true;
    return boxes;
}

OpenedTally openTally(Sheet& tally, const std::string& file, std::istream& in) {
    LoadResult loaded;
    if (file == "-") {
        // Bounded as files are: an endless input is cut just past the limit and refused.
        const std::string bytes = readAtMost(in, MaxTallyFileBytes);
        if (in.bad()) {
            loaded.ok = false;
            loaded.error = "Cannot open \"standard input\": " + streamError(in) + ".";
        } else {
            loaded = loadTallyText(tally, bytes, "standard input");
        }
    } else {
        loaded = loadTallyFile(tally, file);
    }
    OpenedTally opened{loaded.ok, loaded.error, {}, loaded.fileRows};
    if (loaded.windows1252Bytes == 1)
        opened.notices.push_back("1 byte of the file is not UTF-8 and was read as a Windows-1252 character");
    else if (loaded.windows1252Bytes > 1)
        opened.notices.push_back(std::to_string(loaded.windows1252Bytes) +
                                 " bytes of the file are not UTF-8 and were read as Windows-1252 characters");
    for (const auto& [col, row] : loaded.refusedCells)
        opened.notices.push_back(columnName(col) + std::to_string(row) + ": \"" + tally.GetText(col, row) +
                                 "\" is outside the cell's limits (" + tally.editorAt(col, row).describe() +
                                 ")");
    return opened;
}

std::string otherModelNotice(const ProgramProfile& profile, const Sheet& tally, int fileRows) {
    // How each program writes its tally: its grid's rows, and the text of the province label, I3
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
            all.push_back({p, grid.GetMaxRows(), grid.GetText(9, 3)});
        }
        return all;
    }();
    // The label tells the two apart; where it is empty the file's rows must match as well, since a
    // short tally written by hand may have no label either.
    for (const Look& look : looks)
        if (look.profile != &profile && tally.GetText(9, 3) == look.provinceLabel &&
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
    if (!n) return;
    boxes.checked = {};
    if (clickObjective(boxes, profile.objectiveCount, *n) && !keepClasses)
        profile.rewriteForObjective(tally, *n);
}

std::vector<int> tickedObjectives(const ObjectiveBoxes& boxes, int count) {
    std::vector<int> ticked;
    for (int n = 1; n <= count; ++n)
        if (boxes.isChecked(n)) ticked.push_back(n);
    return ticked;
}

StandSession runStand(const Options& options, std::istream& in) {
    const ProgramProfile& profile = *options.profile;
    StandSession s;
    s.tally = openingTally(profile);
    s.boxes = openingBoxes();
    OpenedTally opened = openTally(s.tally, options.files.front(), in);
    if (!opened.ok) {
        s.error = opened.error;
        return s;
    }
    s.ok = true;
    s.fileNotices = std::move(opened.notices);
    if (std::string notice = otherModelNotice(profile, s.tally, opened.fileRows); !notice.empty())
        s.fileNotices.push_back(std::move(notice));
    chooseObjective(profile, s.tally, s.boxes, options.objective, options.keepClasses);
    s.outcome = profile.run(s.tally, s.boxes);
    s.statistics = computeStandStatistics(s.tally, s.outcome.results);
    return s;
}

} // namespace timbra::cli
