// The recovery copy of a tally: where it lives, a round trip with its side file, an unreadable copy
// kept aside, and a crash while writing that leaves the copy before whole.
#include "core/TestFiles.h"

#include "input/RecoveryFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace timbra {
namespace {

using test::cellsOf;
using test::entriesOf;
using test::readFile;
using test::TempFolder;
using test::writeFile;
using ::testing::MatchesRegex;

// Sets an environment variable for one scope (nullptr unsets it) and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnv() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> old_;
};

Sheet typedTally() {
    Sheet s = test::openingTally(timbraProfile());
    s.SetText(3, 2, "North slope");
    for (int row = 6; row <= 8; ++row) {
        s.SetText(1, row, "1");
        s.SetText(3, row, "WAO");
        s.SetText(5, row, "14");
    }
    return s;
}

TEST(RecoveryFile, FolderFollowsTheStateHomeConvention) {
    const struct {
        const char* state;
        const char* home;
        std::string folder;
    } cases[] = {
        {"/srv/state", "/home/crew", "/srv/state/timbra"},
        {nullptr, "/home/crew", "/home/crew/.local/state/timbra"},
        {"", "/home/crew", "/home/crew/.local/state/timbra"},
        {"relative/state", "/home/crew", "/home/crew/.local/state/timbra"}, // only absolute paths count
    };
    for (const auto& c : cases) {
        ScopedEnv state("XDG_STATE_HOME", c.state);
        ScopedEnv home("HOME", c.home);
        EXPECT_EQ(RecoveryFile::defaultFolder(), c.folder) << (c.state ? c.state : "(unset)");
    }
}

TEST(RecoveryFile, RoundTripCreatesAPrivateFolderAndKeepsTheSource) {
    TempFolder dir;
    const std::string folder = dir / "state/timbra";
    const RecoveryFile copy(folder, "lowtimbra");
    EXPECT_FALSE(copy.exists());
    const Sheet typed = typedTally();
    for (const std::string source : {"", "/home/crew/stand 1.txt", "odd\\name\nwith a break.txt"}) {
        const FileResult w = copy.write(formatTallyText(typed), {"2026-12-07T01:50:12+01:00", source});
        ASSERT_TRUE(w.ok) << w.error;
        Sheet restored = test::openingTally(timbraProfile());
        const RecoveredTally r = copy.read(restored);
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_EQ(cellsOf(restored), cellsOf(typed));
        EXPECT_EQ(r.info.writtenAt, "2026-12-07T01:50:12+01:00");
        EXPECT_EQ(r.info.source, source);
    }
    EXPECT_EQ(copy.tallyPath(), folder + "/lowtimbra-recovery.txt");
    EXPECT_TRUE(std::filesystem::exists(folder + "/lowtimbra-recovery.info"));
    struct stat st {};
    ::stat(folder.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(tallyTreeCount(typed, timbraProfile().tally), 3);

    // Without its side file the copy is still offered, from an unknown source, dated by the file.
    ::unlink(copy.infoPath().c_str());
    Sheet restored = test::openingTally(timbraProfile());
    const RecoveredTally r = copy.read(restored);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.info.source, "");
    EXPECT_THAT(r.info.writtenAt,
                MatchesRegex(R"(20[0-9][0-9]-[01][0-9]-[0-3][0-9]T[0-9:]{8}[+-][0-9][0-9]:[0-9][0-9])"));

    copy.remove();
    EXPECT_FALSE(copy.exists());
    EXPECT_EQ(entriesOf(folder), "");
}

TEST(RecoveryFile, UnreadableCopyIsKeptAsideUnderItsDate) {
    TempFolder dir;
    const RecoveryFile copy(dir.path(), "timbra");
    const std::string garbage(MaxTallyRowBytes + 10, 'x'); // one row longer than any tally row
    writeFile(copy.tallyPath(), garbage);
    writeFile(copy.infoPath(), "written=2026-12-07T01:50:12+00:00\n");
    Sheet tally = test::openingTally(timbraProfile());
    const std::string before = cellsOf(tally);
    EXPECT_FALSE(copy.read(tally).ok);
    EXPECT_EQ(cellsOf(tally), before);

    // Twice, so that the second copy does not replace the first one kept.
    std::string kept[2];
    for (auto& path : kept) {
        writeFile(copy.tallyPath(), garbage);
        ASSERT_TRUE(copy.keepAside(path).ok);
        EXPECT_THAT(
            path, MatchesRegex(
                      ".*/timbra-recovery-[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}-[0-9]{2}-[0-9]{2}(-2)?\\.txt"));
        EXPECT_EQ(readFile(path), garbage);
    }
    EXPECT_NE(kept[0], kept[1]);
    EXPECT_FALSE(copy.exists());
}

// A child writes a copy far larger than a tally and is killed while it writes; the copy from before
// and its side file must come through whole, as must the next write.
TEST(RecoveryFile, CrashWhileWritingLeavesThePreviousCopyWhole) {
    TempFolder dir;
    const RecoveryFile copy(dir.path(), "timbra");
    const std::string first = formatTallyText(typedTally());
    ASSERT_TRUE(copy.write(first, {"2026-12-07T01:00:00+00:00", "/data/first.txt"}).ok);
    const std::string side = readFile(copy.infoPath());

    const std::string huge(256u << 20, 'x');
    const pid_t pid = ::fork();
    if (pid == 0) {
        copy.write(huge, {"2026-12-07T02:00:00+00:00", "/data/second.txt"});
        ::_exit(0);
    }
    // Kill the child once its temporary file beside the copy has started to fill.
    bool caught = false;
    for (int i = 0; i < 20000 && !caught; ++i) {
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            if (entry.path().extension() == ".tmp" && entry.file_size() > 0) caught = true;
        if (!caught) std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(caught) << "the child finished before it could be killed";
    ASSERT_TRUE(WIFSIGNALED(status));

    EXPECT_EQ(readFile(copy.tallyPath()), first);
    EXPECT_EQ(readFile(copy.infoPath()), side);
    Sheet restored = test::openingTally(timbraProfile());
    const RecoveredTally r = copy.read(restored);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.info.source, "/data/first.txt");
    EXPECT_EQ(cellsOf(restored), cellsOf(typedTally()));
}

} // namespace
} // namespace timbra
