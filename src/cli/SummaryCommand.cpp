#include "cli/SummaryCommand.h"

#include "cli/StandardStreams.h"
#include "cli/TextOutput.h"
#include "core/file/PosixFile.h"
#include "core/input/TallyFile.h"
#include "core/tract/StandJudge.h"
#include "core/tract/SummaryTable.h"
#include "core/tract/TractFile.h"
#include "core/tract/TractWorkbook.h"

#include <algorithm>
#include <istream>
#include <ostream>

namespace timbra::cli {

namespace {

// The stands to judge: each tract file's tallies in its place, the other arguments as they are. A
// tract file that cannot be read gives a row of its own that says why.
std::vector<StandVerdict> listStands(const std::vector<std::string>& args) {
    std::vector<StandVerdict> listed;
    auto add = [&](const std::string& file, const std::string& error) {
        listed.emplace_back();
        listed.back().file = file;
        listed.back().error = error;
    };
    for (const std::string& arg : args) {
        if (arg == "-" || !isTractPath(arg)) {
            add(arg, {});
            continue;
        }
        const TractFile tract = readTractFile(arg);
        if (!tract.ok) add(arg, tract.error);
        for (const std::string& tally : tract.tallies)
            add(tally, {});
    }
    return listed;
}

void printTable(const ProgramProfile& profile, const std::vector<StandVerdict>& verdicts, std::ostream& out) {
    const std::vector<std::string> headings = summaryHeadings(profile);
    const std::size_t columns = headings.size();
    std::vector<std::vector<std::string>> table{headings};
    for (const StandVerdict& v : verdicts) {
        std::vector<std::string> cells = summaryCells(profile, v);
        if (!v.read()) cells.push_back("error: " + v.error);
        table.push_back(std::move(cells));
    }
    // Numbers to the right: plots, trees, trees with messages, each objective's value and cut-off,
    // and the statistics.
    std::vector<bool> right(columns, false);
    const std::size_t firstCount = profile.hasProvince ? 5 : 4;
    const std::size_t firstStatistic = firstCount + 3 + 3 * static_cast<std::size_t>(profile.objectiveCount);
    for (std::size_t c = firstCount; c < firstCount + 3; ++c)
        right[c] = true;
    for (std::size_t c = firstCount + 3; c < firstStatistic; c += 3)
        right[c] = right[c + 2] = true;
    for (std::size_t c = firstStatistic; c < columns; ++c)
        right[c] = true;
    printAligned(table, right, out);
    for (const StandVerdict& v : verdicts)
        if (v.read() && !v.otherModel.empty())
            out << visible(v.file + ": " + otherModelNotice(v.otherModel)) << '\n';
}

} // namespace

int summaryCommand(const Options& options, std::istream& in, std::ostream& out, std::ostream& err) {
    const ProgramProfile& profile = *options.profile;
    std::vector<StandVerdict> verdicts = listStands(options.files);
    // The workbook must not replace a file being read: a tally named or listed, a tract file, or
    // standard input.
    std::vector<std::string> beingRead = options.files;
    for (const StandVerdict& v : verdicts)
        beingRead.push_back(v.file);
    if (!options.xlsxPath.empty())
        for (const std::string& file : beingRead)
            if (sameFile(file == "-" ? "/dev/stdin" : file, options.xlsxPath)) {
                err << "timbra-cli: cannot write the workbook to \"" << options.xlsxPath << "\": it is \""
                    << file << "\", which is being read\n";
                return 2;
            }
    std::vector<std::string> files;
    for (const StandVerdict& v : verdicts)
        if (v.read()) files.push_back(v.file);
    std::string stdinBytes;
    if (std::find(files.begin(), files.end(), "-") != files.end())
        stdinBytes = readAtMost(in, MaxTallyFileBytes);

    std::vector<StandVerdict> judged = judgeFiles(profile, files, stdinBytes);
    auto next = judged.begin();
    for (StandVerdict& v : verdicts) {
        if (!v.read()) continue;
        v = std::move(*next++);
        if (v.file == "-" && in.bad()) {
            v = StandVerdict{};
            v.file = "-";
            v.error = "Cannot open \"standard input\": " + streamError(in) + ".";
        }
    }

    if (options.csv)
        out << summaryCsv(profile, verdicts);
    else
        printTable(profile, verdicts, out);
    const bool anyError =
        std::any_of(verdicts.begin(), verdicts.end(), [](const StandVerdict& v) { return !v.read(); });
    if (!options.xlsxPath.empty()) {
        if (const FileResult saved = saveTractWorkbook(profile, verdicts, options.xlsxPath); !saved.ok) {
            err << "timbra-cli: " << saved.error << '\n';
            return 2;
        }
    }
    return anyError ? 1 : 0;
}

} // namespace timbra::cli
