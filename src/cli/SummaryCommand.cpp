#include "cli/SummaryCommand.h"

#include "cli/StandSession.h"
#include "cli/StandardStreams.h"
#include "cli/TextOutput.h"
#include "core/grid/TrimSpaces.h"
#include "core/input/TallyFile.h"
#include "core/model/RewritePass.h"
#include "core/model/TallyRun.h"
#include "core/model/ValueFormat.h"
#include "core/statistics/StatisticsParts.h"

#include <algorithm>
#include <atomic>
#include <istream>
#include <ostream>
#include <sstream>
#include <thread>

namespace timbra::cli {

namespace {

// Rows of the tally as Run reads it: row 6 always, then every row up to the first plot number 0.
int treeCount(const Sheet& tally) {
    int row = FirstTreeRow + 1;
    while (row <= LastTreeRow && tally.GetInteger(PlotColumn, row) != 0)
        ++row;
    return row - FirstTreeRow;
}

// Distinct trees with check messages; a tree's messages come one after another.
int treesWithMessages(const std::vector<TreeMessage>& treeMessages) {
    int count = 0;
    for (std::size_t i = 0; i < treeMessages.size(); ++i)
        if (i == 0 || treeMessages[i].tree != treeMessages[i - 1].tree) ++count;
    return count;
}

// A figure to one decimal, as the result boxes show values; "n/a" when it does not exist.
std::string figure(const std::optional<double>& value) {
    return value ? formatFixed(*value, 1) : NotAValueText;
}

// What a worker reuses from file to file: the grid files are opened into, and the class cells of
// the tally as opened, which each objective's rewrite pass changes and which are put back after it.
struct Scratch {
    Sheet loaded;
    std::vector<std::string> classCells;
};

// The species and tree class of every tree row, in row order.
void keepClassCells(const Sheet& tally, std::vector<std::string>& cells) {
    cells.clear();
    for (int row = FirstTreeRow; row <= LastTreeRow; ++row)
        for (int col : {SpeciesClassColumn, TreeClassColumn})
            cells.push_back(tally.GetText(col, row));
}

// Puts back the rows a rewrite pass changed: the tally is again as opened, without copying the grid.
void restoreClassCells(Sheet& tally, const std::vector<std::string>& cells, const std::vector<int>& rows) {
    for (int row : rows) {
        auto kept = cells.begin() + 2 * (row - FirstTreeRow);
        for (int col : {SpeciesClassColumn, TreeClassColumn}) {
            if (tally.GetText(col, row) != *kept) tally.SetText(col, row, *kept);
            ++kept;
        }
    }
}

SummaryRow summarizeOne(const ProgramProfile& profile, const Sheet& opening, const std::string& file,
                        const std::string& stdinBytes, Scratch& scratch) {
    SummaryRow row{file, {}, {}, {}};
    // Opening a tally replaces every value of the grid, so the worker's grid needs the opening
    // grid's editors once, not a fresh copy per file.
    Sheet& loaded = scratch.loaded;
    if (loaded.GetMaxRows() == 0) loaded = opening;
    std::istringstream in(file == "-" ? stdinBytes : std::string());
    const OpenedTally opened = openTally(loaded, file, in);
    if (!opened.ok) {
        row.error = opened.error;
        return row;
    }
    // A file of no bytes (or one emptied while it was read) holds no stand to sum up.
    if (opened.fileRows == 0) {
        row.error = "empty file";
        return row;
    }

    row.notice = otherModelNotice(profile, loaded, opened.fileRows);

    // The tally as saved: box 1 ticked, nothing rewritten.
    const RunOutcome asSaved = profile.model->run(loaded, openingBoxes());
    const StandResults& r = asSaved.results;
    row.cells = {r.standName, r.standLocation, r.plotSize};
    if (profile.hasProvince) row.cells.push_back(r.province);
    row.cells.push_back(std::to_string(r.numberOfPlots));
    row.cells.push_back(std::to_string(treeCount(loaded)));
    row.cells.push_back(std::to_string(treesWithMessages(asSaved.treeMessages)));

    // The stand table holds no objective's rewrite; the plot values change with the objective.
    std::vector<std::string> notes;
    const std::optional<StandTable> table = standTable(r, notes);
    std::vector<std::string> statistics{figure(table ? std::optional(table->treesPerAcre) : std::nullopt),
                                        figure(table ? std::optional(table->basalAreaPerAcre) : std::nullopt),
                                        figure(table ? table->quadraticMeanDiameter : std::nullopt)};

    keepClassCells(loaded, scratch.classCells);
    for (int k = 1; k <= profile.objectiveCount; ++k) {
        ObjectiveBoxes boxes = openingBoxes();
        const std::vector<int> changedRows = timbra::chooseObjective(profile, loaded, boxes, k, false);
        // Only the Run of the tally as saved gives the stand table.
        const RunOutcome o = profile.model->run(loaded, boxes, StandTableTrees::Skip);
        restoreClassCells(loaded, scratch.classCells, changedRows);
        // The result boxes pad numbers to four characters.
        for (const std::string& box : {o.standValueText, o.decisionText, o.cutoffText})
            row.cells.emplace_back(trimSpaces(box));
        const SamplingStatistics s = samplingStatistics(o.results);
        statistics.insert(statistics.end(),
                          {figure(s.samplingErrorPercent), figure(s.low), figure(s.high),
                           figure(s.confidence ? std::optional(*s.confidence * 100) : std::nullopt),
                           s.plotsToSettle ? std::to_string(*s.plotsToSettle) : NotAValueText});
    }
    row.cells.insert(row.cells.end(), statistics.begin(), statistics.end());
    return row;
}

} // namespace

std::vector<std::string> summaryHeadings(const ProgramProfile& profile) {
    std::vector<std::string> h{"File", "Stand name", "Location", "Plot size"};
    if (profile.hasProvince) h.push_back("Province");
    h.insert(h.end(), {"Plots", "Trees", "Trees with messages"});
    for (int k = 1; k <= profile.objectiveCount; ++k) {
        const std::string n = std::to_string(k);
        h.insert(h.end(), {"Value " + n, "Decision " + n, "Cut-off " + n});
    }
    h.insert(h.end(), {"Trees/acre", "Basal area/acre", "QMD"});
    for (int k = 1; k <= profile.objectiveCount; ++k) {
        const std::string n = std::to_string(k);
        h.insert(h.end(),
                 {"SE % " + n, "95% low " + n, "95% high " + n, "Confidence " + n, "Plots to settle " + n});
    }
    return h;
}

std::vector<SummaryRow> summarize(const ProgramProfile& profile, const std::vector<std::string>& files,
                                  const std::string& stdinBytes) {
    const Sheet opening = openingTally(profile);
    std::vector<SummaryRow> rows(files.size());
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        Scratch scratch;
        for (std::size_t i; (i = next.fetch_add(1)) < files.size();)
            rows[i] = summarizeOne(profile, opening, files[i], stdinBytes, scratch);
    };
    const std::size_t workers =
        std::min<std::size_t>(files.size(), std::max(1u, std::thread::hardware_concurrency()));
    std::vector<std::jthread> threads;
    for (std::size_t t = 1; t < workers; ++t)
        threads.emplace_back(work);
    work();
    return rows;
}

int summaryCommand(const Options& options, std::istream& in, std::ostream& out, std::ostream&) {
    const ProgramProfile& profile = *options.profile;
    std::string stdinBytes;
    if (std::find(options.files.begin(), options.files.end(), "-") != options.files.end())
        stdinBytes = readAtMost(in, MaxTallyFileBytes);

    std::vector<SummaryRow> rows = summarize(profile, options.files, stdinBytes);
    if (in.bad())
        for (SummaryRow& row : rows)
            if (row.file == "-")
                row = {row.file, "Cannot open \"standard input\": " + streamError(in) + ".", {}, {}};
    std::vector<std::string> headings = summaryHeadings(profile);
    const std::size_t columns = headings.size();
    bool anyError = false;

    if (options.csv) {
        headings.push_back("Error");
        out << csvLine(headings);
        for (const SummaryRow& row : rows) {
            std::vector<std::string> cells{row.file};
            cells.insert(cells.end(), row.cells.begin(), row.cells.end());
            cells.resize(columns);
            cells.push_back(row.error.empty() ? row.notice : row.error);
            out << csvLine(cells);
            anyError |= !row.error.empty();
        }
    } else {
        std::vector<std::vector<std::string>> table{headings};
        for (const SummaryRow& row : rows) {
            std::vector<std::string> cells{row.file};
            if (row.error.empty())
                cells.insert(cells.end(), row.cells.begin(), row.cells.end());
            else
                cells.push_back("error: " + row.error);
            table.push_back(std::move(cells));
            anyError |= !row.error.empty();
        }
        // Numbers to the right: plots, trees, trees with messages, each objective's value and
        // cut-off, and the statistics.
        std::vector<bool> right(columns, false);
        const std::size_t firstCount = profile.hasProvince ? 5 : 4;
        const std::size_t firstStatistic =
            firstCount + 3 + 3 * static_cast<std::size_t>(profile.objectiveCount);
        for (std::size_t c = firstCount; c < firstCount + 3; ++c)
            right[c] = true;
        for (std::size_t c = firstCount + 3; c < firstStatistic; c += 3)
            right[c] = right[c + 2] = true;
        for (std::size_t c = firstStatistic; c < columns; ++c)
            right[c] = true;
        printAligned(table, right, out);
        for (const SummaryRow& row : rows)
            if (row.error.empty() && !row.notice.empty())
                out << visible(row.file + ": " + row.notice) << '\n';
    }
    return anyError ? 1 : 0;
}

} // namespace timbra::cli
