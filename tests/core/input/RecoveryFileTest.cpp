// The recovery copy of a tally: where it lives, a round trip with its side file, and a crash while
// writing that leaves the copy before whole.
#include "core/TestFiles.h"

#include "core/input/RecoveryFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <sys/wait.h>
#include <thread>

namespace timbra {
namespace {

using test::cellsOf;
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
    const RecoveryFile copy(dir / "state/timbra", "lowtimbra");
    const Sheet typed = typedTally();
    for (const std::string source : {"", "/home/crew/stand 1.txt", "odd\\name\nwith a break.txt"}) {
        ASSERT_TRUE(copy.write(formatTallyText(typed), {"2026-12-07T01:50:12+01:00", source}).ok);
        Sheet restored = test::openingTally(timbraProfile());
        const RecoveredTally r = copy.read(restored);
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_EQ(cellsOf(restored), cellsOf(typed));
        EXPECT_EQ(r.info.writtenAt + "|" + r.info.source, "2026-12-07T01:50:12+01:00|" + source);
    }
    EXPECT_EQ(copy.tallyPath(), dir / "state/timbra/lowtimbra-recovery.txt");
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
    const RecoveryFile copy(dir.path(), "timbra");
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

} // namespace
} // namespace timbra
