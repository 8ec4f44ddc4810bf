#include "core/tract/StandJudge.h"

#include "core/app/StandDocument.h"
#include "core/grid/TrimSpaces.h"
#include "core/input/TallyLayout.h"
#include "core/statistics/StatisticsParts.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <thread>

namespace timbra {

namespace {

// Distinct trees with check messages; a tree's messages come one after another.
int treesWithMessages(const std::vector<TreeMessage>& treeMessages) {
    int count = 0;
    for (std::size_t i = 0; i < treeMessages.size(); ++i)
        if (i == 0 || treeMessages[i].tree != treeMessages[i - 1].tree) ++count;
    return count;
}

} // namespace

std::string otherModelOf(const ProgramProfile& profile, const Sheet& tally, int fileRows) {
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
            (!look.provinceLabel.empty() || fileRows == look.rows))
            return look.profile->modelName;
    return {};
}

std::string otherModelLook(const std::string& otherModel) {
    const bool vowel = std::string_view("aeiou").find(otherModel.front()) != std::string_view::npos;
    return std::string("looks like ") + (vowel ? "an " : "a ") + otherModel + " tally";
}

std::string StandVerdict::problem() const {
    // A tally gone from disk is that and no more: what its file held no longer counts.
    if (missing) return "missing";
    std::vector<std::string> parts;
    if (!read())
        parts.push_back(error);
    else if (!otherModel.empty())
        parts.push_back(otherModelLook(otherModel));
    else if (!anyTree)
        parts.push_back("no trees");
    if (refusedCells > 0)
        parts.push_back(std::to_string(refusedCells) +
                        (refusedCells == 1 ? " cell outside its limits" : " cells outside their limits"));
    if (windows1252Bytes > 0)
        parts.push_back(std::to_string(windows1252Bytes) + (windows1252Bytes == 1
                                                                ? " byte read as Windows-1252"
                                                                : " bytes read as Windows-1252"));
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : "; ") + part;
    return text;
}

StandJudge::StandJudge(const ProgramProfile& profile)
    : profile_(profile), tally_(StandDocument(profile).tally()) {}

StandVerdict StandJudge::judgeFile(const std::string& file) {
    // Opening a tally replaces every value of the grid, so one grid serves every file.
    return judgeOpened(file, loadTallyFile(tally_, file));
}

StandVerdict StandJudge::judgeText(const std::string& file, std::string_view bytes) {
    // Messages name standard input ("-") in words, as every command does.
    return judgeOpened(file, loadTallyText(tally_, bytes, file == "-" ? "standard input" : file));
}

StandVerdict StandJudge::judgeOpened(const std::string& file, const LoadResult& loaded) {
    StandVerdict v;
    v.file = file;
    if (!loaded.ok) {
        v.error = loaded.error;
        struct stat st {};
        v.missing = ::lstat(file.c_str(), &st) != 0 && errno == ENOENT;
        return v;
    }
    // A file of no bytes (or one emptied while it was read) holds no stand to judge.
    if (loaded.fileRows == 0) {
        v.error = "empty file";
        return v;
    }
    v.refusedCells = loaded.refusedCells.size();
    v.windows1252Bytes = loaded.windows1252Bytes;
    v.otherModel = otherModelOf(profile_, tally_, loaded.fileRows);

    // The tally as saved: box 1 ticked, nothing rewritten.
    rows_.read(tally_);
    const RunOutcome asSaved =
        profile_.model->run(tally_, rows_, StandDocument::openingBoxes(), RunDetail::Full);
    const StandResults& r = asSaved.results;
    v.standName = r.standName;
    v.standLocation = r.standLocation;
    v.plotSize = r.plotSize;
    v.province = r.province;
    v.plotsInHeader = r.numberOfPlots;
    v.plotGroups = static_cast<int>(r.plotValue.size());
    v.trees = static_cast<int>(rows_.size());
    v.anyTree = tally_.GetInteger(PlotColumn, FirstTreeRow) != 0;
    v.treesWithMessages = treesWithMessages(asSaved.treeMessages);

    // The stand table holds no objective's rewrite; the plot values change with the objective.
    std::vector<std::string> notes;
    if (const std::optional<StandTable> table = standTable(r, notes)) {
        v.treesPerAcre = table->treesPerAcre;
        v.basalAreaPerAcre = table->basalAreaPerAcre;
        v.quadraticMeanDiameter = table->quadraticMeanDiameter;
    }

    rewritten_ = rows_;
    for (int k = 1; k <= profile_.objectiveCount; ++k) {
        ObjectiveBoxes boxes = StandDocument::openingBoxes();
        const std::vector<int> changedRows = chooseObjective(profile_, rewritten_, boxes, k);
        // Only the Run of the tally as saved gives the stand table and the trees with messages.
        const RunOutcome o = profile_.model->run(tally_, rewritten_, boxes, RunDetail::ResultsOnly);
        rewritten_.putBack(rows_, changedRows);
        // The result boxes pad numbers to four characters.
        v.objectives.push_back({std::string(trimSpaces(o.standValueText)),
                                std::string(trimSpaces(o.cutoffText)), o.results.decision,
                                o.results.standValue, o.results.cutoffIndex, samplingStatistics(o.results)});
    }
    return v;
}

void judgeStands(const ProgramProfile& profile, std::size_t count,
                 const std::function<StandVerdict(StandJudge&, std::size_t)>& judge,
                 const std::function<void(std::size_t, StandVerdict&&)>& done,
                 const std::atomic<bool>* cancel) {
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        StandJudge judgeOfThread(profile);
        for (std::size_t i; (!cancel || !*cancel) && (i = next.fetch_add(1)) < count;)
            done(i, judge(judgeOfThread, i));
    };
    const std::size_t workers =
        std::min<std::size_t>(count, std::max(1u, std::thread::hardware_concurrency()));
    std::vector<std::jthread> threads;
    for (std::size_t t = 1; t < workers; ++t)
        threads.emplace_back(work);
    work();
}

std::vector<StandVerdict> judgeFiles(const ProgramProfile& profile, const std::vector<std::string>& files,
                                     const std::string& stdinBytes) {
    std::vector<StandVerdict> verdicts(files.size());
    judgeStands(
        profile, files.size(),
        [&](StandJudge& judge, std::size_t i) {
            return files[i] == "-" ? judge.judgeText(files[i], stdinBytes) : judge.judgeFile(files[i]);
        },
        [&](std::size_t i, StandVerdict&& verdict) { verdicts[i] = std::move(verdict); });
    return verdicts;
}

} // namespace timbra
