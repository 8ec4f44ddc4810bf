#pragma once

#include "core/app/ProgramProfile.h"
#include "core/input/TallyFile.h"
#include "core/model/TreeRows.h"
#include "core/tract/StandVerdict.h"

#include <atomic>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace timbra {

// "bottomland" when the opened tally has the other program's province label ("Province" in I3 for
// upland; none, with 1,501 rows, for bottomland), so that it looks like that program's tally;
// empty otherwise.
std::string otherModelOf(const ProgramProfile& profile, const Sheet& tally, int fileRows);
// "looks like a bottomland tally", "looks like an upland tally".
std::string otherModelLook(const std::string& otherModel);

// Judges stands one after another as `summary` and the Stands window do: each file opened as Open
// opens it into a grid kept from stand to stand, run once as saved (box 1 ticked) for its header,
// trees and stand table, then once per objective with that box alone ticked and its rewrite done.
// One judge per thread.
class StandJudge {
public:
    explicit StandJudge(const ProgramProfile& profile);

    StandVerdict judgeFile(const std::string& file);
    // A tally given as bytes (standard input); `file` names it in the verdict.
    StandVerdict judgeText(const std::string& file, std::string_view bytes);

private:
    StandVerdict judgeOpened(const std::string& file, const LoadResult& loaded);

    const ProgramProfile& profile_;
    Sheet tally_;
    // The tally's tree rows as opened, and under one objective's rewrite; kept from stand to stand.
    TreeRows rows_, rewritten_;
};

// Judges the files on every core. `judge(judge, i)` gives file i's verdict; `done(i, verdict)` is
// called from the worker threads as each is ready. Stops early, leaving the rest unjudged, once
// `cancel` is set.
void judgeStands(const ProgramProfile& profile, std::size_t count,
                 const std::function<StandVerdict(StandJudge&, std::size_t)>& judge,
                 const std::function<void(std::size_t, StandVerdict&&)>& done,
                 const std::atomic<bool>* cancel = nullptr);

// The verdicts of the files in order, judged on every core; "-" stands for `stdinBytes`.
std::vector<StandVerdict> judgeFiles(const ProgramProfile& profile, const std::vector<std::string>& files,
                                     const std::string& stdinBytes = {});

} // namespace timbra
