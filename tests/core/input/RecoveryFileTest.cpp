// The recovery copy of a tally: where it lives, a round trip with its side file, a crash while
// writing that leaves the copy before whole, each running program's own copy, and state files that
// are never read or written through whatever stands in their place.
#include "core/TestFiles.h"

#include "core/input/RecoveryFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>

namespace timbra {
namespace {

using test::cellsOf;
using test::entriesOf;
using test::readFile;
using test::TempFolder;

Sheet typedTally() {
    return test::openingTally(timbraProfile(), {.name = "North slope"}, std::vector<test::Tree>(3));
}

TEST(RecoveryFile, FolderFollowsTheStateHomeConvention) {
    ::setenv("HOME", "/home/crew", 1);
    for (const char* relative : {"", "state"}) { // only an absolute path counts
        ::setenv("XDG_STATE_HOME", relative, 1);
        EXPECT_EQ(RecoveryFile::defaultFolder(), "/home/crew/.local/state/timbra");
    }
    ::setenv("XDG_STATE_HOME", "/srv/state", 1);
    EXPECT_EQ(RecoveryFile::defaultFolder(), "/srv/state/timbra");
}

TEST(RecoveryFile, RoundTripCreatesAPrivateFolderAndKeepsTheSource) {
    TempFolder dir;
    const RecoveryFile copy = RecoveryFile::own(dir / "state/timbra", "lowtimbra");
    const Sheet typed = typedTally();
    for (const std::string source : {"", "/home/crew/stand 1.txt", "odd\\name\nwith a break.txt"}) {
        const bool left = !source.empty();
        ASSERT_TRUE(copy.write(formatTallyText(typed), {"2026-12-07T01:50:12+01:00", source, left}).ok);
        Sheet restored = test::openingTally(timbraProfile());
        const RecoveredTally r = copy.read(restored);
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_EQ(cellsOf(restored), cellsOf(typed));
        EXPECT_EQ(r.info.writtenAt + "|" + r.info.source + "|" + (r.info.left ? "left" : "typed"),
                  "2026-12-07T01:50:12+01:00|" + source + (left ? "|left" : "|typed"));
    }
    EXPECT_EQ(copy.tallyPath(),
              dir / ("state/timbra/lowtimbra-recovery-" + std::to_string(::getpid()) + ".txt"));
    EXPECT_EQ(std::filesystem::status(dir / "state/timbra").permissions(), std::filesystem::perms::owner_all);
    EXPECT_EQ(tallyTreeCount(typed), 3);
    copy.remove();
    EXPECT_FALSE(copy.exists());
    EXPECT_EQ(test::entriesOf(dir / "state/timbra"), "");
}

// A child writes a copy far larger than a tally and is killed while it writes; the copy from before
// and its side file must come through whole.
TEST(RecoveryFile, CrashWhileWritingLeavesThePreviousCopyWhole) {
    TempFolder dir;
    const RecoveryFile copy = RecoveryFile::own(dir.path(), "timbra");
    ASSERT_TRUE(
        copy.write(formatTallyText(typedTally()), {"2026-12-07T01:00:00+00:00", "/data/first.txt"}).ok);
    const std::string before = readFile(copy.tallyPath()) + readFile(copy.infoPath());

    const pid_t pid = ::fork();
    if (pid == 0) {
        copy.write(std::string(256u << 20, 'x'), {"2026-12-07T02:00:00+00:00", "/data/second.txt"});
        ::_exit(0);
    }
    // Killed once its temporary file beside the copy has started to fill.
    bool caught = false;
    for (int i = 0; i < 20000 && !caught; ++i) {
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            caught = caught || (entry.path().extension() == ".tmp" && entry.file_size() > 0);
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(caught && WIFSIGNALED(status)) << "the child finished before it could be killed";
    EXPECT_EQ(readFile(copy.tallyPath()) + readFile(copy.infoPath()), before);
}

// Another running program, as a child process: it writes its copy and a half-written temporary file,
// then waits until it is killed. Returns its pid once the copy is on disk.
pid_t startProgram(const std::string& folder) {
    int ready[2];
    if (::pipe(ready) != 0) return -1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        const RecoveryFile mine = RecoveryFile::own(folder, "timbra");
        const bool written = mine.write(formatTallyText(typedTally()), {"2026-12-07T03:00:00+00:00", ""}).ok;
        test::writeFile(folder + "/.timbra-recovery-1.txt." + std::to_string(::getpid()) + "-1.tmp", "half");
        (void)!::write(ready[1], written ? "y" : "n", 1);
        for (;;)
            ::pause();
    }
    char answer = 'n';
    (void)!::read(ready[0], &answer, 1);
    ::close(ready[0]);
    ::close(ready[1]);
    return answer == 'y' ? pid : -1;
}

void stop(pid_t pid) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
}

std::string idsOf(const std::vector<RecoveryFile>& copies) {
    std::string ids;
    for (const RecoveryFile& copy : copies) {
        const std::string& path = copy.tallyPath();
        ids += path.substr(path.rfind('/') + 1) + ";";
    }
    return ids;
}

// Two programs never take each other's live copy: it is not offered, its lock cannot be taken, and it
// cannot be removed. Once its program is gone it is offered, newest first among the copies of dead
// programs (the single copy of older versions among them), and what the dead left half-written goes.
TEST(RecoveryFile, EachProgramKeepsItsOwnCopyAndTakesOnlyThoseOfTheDead) {
    TempFolder dir;
    const std::string folder = dir.path();
    const pid_t other = startProgram(folder);
    ASSERT_GT(other, 0);
    const RecoveryFile theirs(folder, "timbra", std::to_string(other));
    const RecoveryFile mine = RecoveryFile::own(folder, "timbra");
    ASSERT_TRUE(mine.write(formatTallyText(typedTally()), {"2026-12-07T04:00:00+00:00", ""}).ok);
    // Left by dead programs: an older version's copy, a copy of pid 1 with its stale lock, temporary
    // files of dead writers, and a lock without a copy.
    for (const char* name :
         {"timbra-recovery.txt", "timbra-recovery-1.txt", "timbra-recovery-1.lock",
          ".timbra-recovery.txt.1-7.tmp", "timbra-recovery-2.lock", "lowtimbra-recovery-1.txt"})
        test::writeFile(dir / name, formatTallyText(typedTally()));
    const auto age = [&](const char* name, time_t seconds) {
        const timespec times[2] = {{seconds, 0}, {seconds, 0}};
        ::utimensat(AT_FDCWD, (dir / name).c_str(), times, AT_SYMLINK_NOFOLLOW);
    };
    age("timbra-recovery.txt", 1'000'000'000);
    age("timbra-recovery-1.txt", 1'100'000'000);
    const std::string own = "timbra-recovery-" + std::to_string(::getpid()) + ".txt;";

    EXPECT_EQ(idsOf(RecoveryFile::offerable(folder, "timbra")),
              own + "timbra-recovery-1.txt;timbra-recovery.txt;");
    EXPECT_FALSE(theirs.hold());
    theirs.remove();
    std::string kept;
    EXPECT_FALSE(theirs.keepAside(kept).ok);
    EXPECT_TRUE(theirs.exists());
    const std::string childTemp = ".timbra-recovery-1.txt." + std::to_string(other) + "-1.tmp;";
    EXPECT_EQ(entriesOf(folder).find(".timbra-recovery.txt.1-7.tmp"), std::string::npos);
    EXPECT_EQ(entriesOf(folder).find("timbra-recovery-2.lock"), std::string::npos);
    EXPECT_NE(entriesOf(folder).find(childTemp), std::string::npos);

    stop(other);
    age(("timbra-recovery-" + std::to_string(other) + ".txt").c_str(), 1'200'000'000);
    EXPECT_EQ(idsOf(RecoveryFile::offerable(folder, "timbra")),
              own + "timbra-recovery-" + std::to_string(other) +
                  ".txt;timbra-recovery-1.txt;timbra-recovery.txt;");
    EXPECT_EQ(entriesOf(folder).find(childTemp), std::string::npos);
    ASSERT_TRUE(theirs.hold());
    theirs.remove();
    EXPECT_FALSE(theirs.exists());
    mine.remove();
}

// What may stand in a state file's place: a link out of the folder, a link to an endless device, a
// pipe, a folder, an oversized side file. Reading never blocks, never reads through, and refuses the
// copy (a side file is taken as missing); writing replaces the entry with a regular file (a folder is
// moved aside) and never touches what a link points at.
TEST(RecoveryFile, StateFilesAreNeverReadOrWrittenThroughWhatStandsInTheirPlace) {
    TempFolder outside;
    const std::string elsewhere = outside / "someone's stand.txt";
    const std::string elsewhereText = formatTallyText(typedTally());
    test::writeFile(elsewhere, elsewhereText);
    enum Kind { LinkOut, LinkZero, Pipe, Folder, Huge };
    const std::pair<const char*, Kind> cases[] = {{".txt", LinkOut},  {".txt", LinkZero}, {".txt", Pipe},
                                                  {".txt", Folder},   {".info", LinkOut}, {".info", LinkZero},
                                                  {".info", Pipe},    {".info", Folder},  {".info", Huge},
                                                  {".lock", LinkOut}, {".lock", Pipe},    {".lock", Folder}};
    ::alarm(60); // a read that blocks or runs without end fails the test rather than hanging it
    for (const auto& [ext, kind] : cases) {
        TempFolder dir;
        const RecoveryFile copy(dir.path(), "timbra", "1");
        const std::string where = dir / (std::string("timbra-recovery-1") + ext);
        if (std::string_view(ext) != ".txt") test::writeFile(copy.tallyPath(), formatTallyText(typedTally()));
        if (kind == LinkOut) ::symlink(elsewhere.c_str(), where.c_str());
        if (kind == LinkZero) ::symlink("/dev/zero", where.c_str());
        if (kind == Pipe) ::mkfifo(where.c_str(), 0600);
        if (kind == Folder) ::mkdir(where.c_str(), 0700);
        if (kind == Huge) test::writeFile(where, "source=" + std::string(1 << 20, 'x') + "\n");
        const std::string what = std::string(ext) + " case " + std::to_string(kind);

        Sheet restored = test::openingTally(timbraProfile());
        const RecoveredTally r = copy.read(restored);
        if (std::string_view(ext) == ".txt") {
            EXPECT_FALSE(r.ok) << what;
            EXPECT_EQ(cellsOf(restored), cellsOf(test::openingTally(timbraProfile()))) << what;
        } else {
            EXPECT_TRUE(r.ok && r.info.source.empty()) << what << ": " << r.error;
        }
        const Sheet typed =
            test::openingTally(timbraProfile(), {.name = "Written"}, std::vector<test::Tree>(1));
        const FileResult w = copy.write(formatTallyText(typed), {"2026-12-07T05:00:00+00:00", "/s.txt"});
        EXPECT_TRUE(w.ok) << what << ": " << w.error;
        struct stat st {};
        EXPECT_TRUE(::lstat(where.c_str(), &st) == 0 && S_ISREG(st.st_mode)) << what;
        EXPECT_EQ(st.st_mode & 0777, 0600u) << what;
        Sheet back = test::openingTally(timbraProfile());
        const RecoveredTally again = copy.read(back);
        EXPECT_TRUE(again.ok && again.info.source == "/s.txt") << what << ": " << again.error;
        EXPECT_EQ(cellsOf(back), cellsOf(typed)) << what;
        EXPECT_EQ(readFile(elsewhere), elsewhereText) << what;
        EXPECT_EQ(kind == Folder, entriesOf(dir.path()).find("timbra-recovery-20") != std::string::npos)
            << what;
        copy.remove();
    }
    ::alarm(0);
    struct stat st {};
    EXPECT_TRUE(::stat("/dev/zero", &st) == 0 && S_ISCHR(st.st_mode));
}

} // namespace
} // namespace timbra
