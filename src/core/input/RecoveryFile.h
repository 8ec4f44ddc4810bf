#pragma once

#include "core/grid/Sheet.h"
#include "core/input/TallyFile.h"

#include <ctime>
#include <string>
#include <string_view>

namespace timbra {

// When a recovery copy was written and where its tally came from.
struct RecoveryInfo {
    std::string writtenAt; // local time in ISO 8601 with its offset: "2026-12-07T01:50:12+01:00"
    std::string source;    // the tally file the grid was opened from or saved to; empty when none
};

struct RecoveredTally : LoadResult {
    RecoveryInfo info;
    std::string text; // the copy as it is on disk, for laying it into the grid as Open does
};

// The copy of a tally that no Save as has written yet, kept so that a crash, a logout or a flat
// battery does not lose it: the tally in the tally file format, "<program>-recovery.txt", and a
// side file "<program>-recovery.info" saying when it was written and where the tally came from.
// Both are written through the checked atomic writer, so a crash while writing leaves the
// previous copy whole.
class RecoveryFile {
public:
    // The copy of `program`'s tally ("timbra", "lowtimbra") in `folder`.
    RecoveryFile(std::string folder, const std::string& program);

    // $XDG_STATE_HOME/timbra, or ~/.local/state/timbra when that is unset or not an absolute path.
    static std::string defaultFolder();

    const std::string& tallyPath() const { return tallyPath_; }
    const std::string& infoPath() const { return infoPath_; }
    bool exists() const;

    // Creates the folder (mode 0700) when missing, then writes the tally and the side file.
    FileResult write(std::string_view tallyText, const RecoveryInfo& info) const;

    // Lays the copy into `tally` as Open does (all or nothing). A missing or unreadable side file
    // leaves the source empty and takes the time from the tally file itself.
    RecoveredTally read(Sheet& tally) const;

    // Removes the copy and its side file; a missing copy is no failure.
    void remove() const;

    // Moves a copy that cannot be read out of the way, under a name with the time it was written
    // ("timbra-recovery-2026-12-07T01-50-12.txt"), so that it is neither lost nor offered again.
    // On success `keptPath` names where it now is.
    FileResult keepAside(std::string& keptPath) const;

private:
    std::string folder_, program_, tallyPath_, infoPath_;
};

// A time as local ISO 8601 with the offset from UTC.
std::string localIsoTime(std::time_t when);

// The trees of a tally as Run counts them: the rows from 6 down to the first plot number 0.
int tallyTreeCount(const Sheet& tally);

} // namespace timbra
