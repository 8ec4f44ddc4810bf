#pragma once

#include "core/file/AtomicFile.h"
#include "core/grid/Sheet.h"
#include "core/input/TallyFile.h"

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace timbra {

// When a recovery copy was written, where its tally came from, and why it was kept.
struct RecoveryInfo {
    std::string writtenAt; // local time in ISO 8601 with its offset: "2026-12-07T01:50:12+01:00"
    std::string source;    // the tally file the grid was opened from or saved to; empty when none
    bool left = false;     // kept when the user left the dialog with changes no file holds
};

struct RecoveredTally : LoadResult {
    RecoveryInfo info;
    std::string text; // the copy as it is on disk, for laying it into the grid as Open does
};

// The copy of a tally that no Save as has written yet, kept so that a crash, a logout or a flat
// battery does not lose it: the tally in the tally file format, "<program>-recovery-<pid>.txt", and a
// side file "<program>-recovery-<pid>.info" saying when it was written and where the tally came from.
// Each running program keeps its own copy and holds a lock on it ("<program>-recovery-<pid>.lock")
// for as long as it runs, so that another program never offers or removes it; the lock goes with the
// program, so the copy of a program that died can be taken over. Both files are written through the
// checked atomic writer, so a crash while writing leaves the previous copy whole. None of the state
// files is ever read or written through a link: whatever is not a regular file in their place is
// moved aside or replaced, and reads are bounded.
class RecoveryFile {
public:
    // The copy kept by `program` ("timbra", "lowtimbra") running as process `id`, in `folder`; an
    // empty id names the single copy that versions before per-program copies kept.
    RecoveryFile(std::string folder, const std::string& program, std::string id);
    // This process's own copy.
    static RecoveryFile own(std::string folder, const std::string& program);

    // $XDG_STATE_HOME/timbra, or ~/.local/state/timbra when that is unset or not an absolute path.
    static std::string defaultFolder();

    // The copies `program` may offer in `folder`: this process's own, and those of programs that no
    // longer run, newest first. Leftovers are removed first.
    static std::vector<RecoveryFile> offerable(const std::string& folder, const std::string& program);
    // Removes what programs that died left in `folder` besides their copies: temporary files they
    // were writing, and locks without a copy.
    static void removeLeftovers(const std::string& folder, const std::string& program);

    const std::string& tallyPath() const { return tallyPath_; }
    const std::string& infoPath() const { return infoPath_; }
    bool exists() const;

    // Takes the copy's lock for this process, until remove() or the end of the process. False when
    // another running program holds it, or the lock cannot be made.
    bool hold() const;

    // Creates the folder (mode 0700) when missing, holds the lock, then writes the tally and the side
    // file. Fails without writing when another running program holds the copy.
    FileResult write(std::string_view tallyText, const RecoveryInfo& info) const;

    // Lays the copy into `tally` as Open does (all or nothing). A missing or unreadable side file
    // leaves the source empty and takes the time from the tally file itself.
    RecoveredTally read(Sheet& tally) const;

    // Removes the copy, its side file and its lock; a missing copy is no failure.
    void remove() const;

    // Moves a copy that cannot be read out of the way, under a name with the time it was written
    // ("timbra-recovery-2026-12-07T01-50-12.txt"), so that it is neither lost nor offered again.
    // On success `keptPath` names where it now is, and the lock goes.
    FileResult keepAside(std::string& keptPath) const;

private:
    std::string folder_, program_, id_, tallyPath_, infoPath_, lockPath_;
};

// A time as local ISO 8601 with the offset from UTC.
std::string localIsoTime(std::time_t when);

// The trees of a tally as Run counts them: the rows from 6 down to the first plot number 0.
int tallyTreeCount(const Sheet& tally);

} // namespace timbra
