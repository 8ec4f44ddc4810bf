// Saving and opening tally files on disk: a failed save never damages the old file, and Open refuses
// what is not a regular file without waiting on it.
#include "TallyTestSupport.h"

#include "input/TallyCommands.h"
#include "input/TallyFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace timbra {
namespace {

using test::entriesOf;
using test::readBytes;
using test::TempFolder;
using test::writeBytes;
using ::testing::HasSubstr;

const std::string oldContent = "Stand Name,,Old stand\r,,,\r";

Sheet preparedTally() {
    Sheet s = test::uplandGrid();
    prepareTallyForDialog(s, timbraProfile().tally);
    s.SetText(3, 2, "New stand");
    return s;
}

// Runs a save in a child process, so that limits and identity changes stay there. The child's exit
// code: 0 the save failed with the expected reason, 1 it claimed success, 2 another reason, 77 skip.
int saveInChild(const std::string& path, const std::string& expectedReason, void (*setUp)()) {
    const Sheet sheet = preparedTally();
    const pid_t pid = ::fork();
    if (pid == 0) {
        setUp();
        const FileResult r = saveTallyFile(sheet, path);
        ::_exit(r.ok ? 1 : r.error.find(expectedReason) != std::string::npos ? 0 : 2);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(TallyFileSave, WritesTheSheetAndKeepsPermissionBits) {
    TempFolder dir;
    const std::string path = dir / "stand.txt";
    writeBytes(path, oldContent);
    ::chmod(path.c_str(), 0640);
    const Sheet sheet = preparedTally();
    const FileResult r = saveTallyFile(sheet, path);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(readBytes(path), formatTallyText(sheet));
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(entriesOf(dir.path()), "stand.txt;");
}

TEST(TallyFileSave, FullDiskLeavesTheOldFileAsItWas) {
    TempFolder dir;
    const std::string path = dir / "stand.txt";
    writeBytes(path, oldContent);
    const int code = saveInChild(path, "File too large", [] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096}; // a prepared tally is about 30 KiB
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(readBytes(path), oldContent);
    EXPECT_EQ(entriesOf(dir.path()), "stand.txt;");
}

TEST(TallyFileSave, ReadOnlyFolderLeavesTheOldFileAsItWas) {
    // Root writes into any folder whatever its mode, so the child gives up root first.
    TempFolder dir;
    const std::string folder = dir / "locked";
    ::mkdir(folder.c_str(), 0755);
    const std::string path = folder + "/stand.txt";
    writeBytes(path, oldContent);
    ::chmod(folder.c_str(), 0555);
    ::chmod(dir.path().c_str(), 0755);
    const int code = saveInChild(path, "Permission denied", [] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(77);
    });
    if (code == 77) GTEST_SKIP() << "cannot drop root privileges here";
    EXPECT_EQ(code, 0);
    EXPECT_EQ(readBytes(path), oldContent);
    EXPECT_EQ(entriesOf(folder), "stand.txt;");
    ::chmod(folder.c_str(), 0755); // so that a non-root run can clean up
}

TEST(TallyFileSave, VanishedFolderIsReported) {
    TempFolder dir;
    const std::string path = dir / "gone/stand.txt";
    const FileResult r = saveTallyFile(preparedTally(), path);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "Cannot save \"" + path + "\": No such file or directory.");
    EXPECT_EQ(entriesOf(dir.path()), "");
}

TEST(TallyFileSave, SymbolicLinkStaysAndItsTargetGetsTheContent) {
    TempFolder dir;
    ::mkdir((dir / "real").c_str(), 0755);
    writeBytes(dir / "real/target.txt", oldContent);
    ::symlink("real/target.txt", (dir / "link.txt").c_str());
    const Sheet sheet = preparedTally();
    ASSERT_TRUE(saveTallyFile(sheet, dir / "link.txt").ok);
    struct stat st {};
    ::lstat((dir / "link.txt").c_str(), &st);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(readBytes(dir / "real/target.txt"), formatTallyText(sheet));
    EXPECT_EQ(entriesOf(dir / "real"), "target.txt;");
}

TEST(TallyFileSave, RefusesFoldersAndDevicesAsTargets) {
    TempFolder dir;
    EXPECT_THAT(saveTallyFile(preparedTally(), dir.path()).error, HasSubstr("it is a folder"));
    EXPECT_THAT(saveTallyFile(preparedTally(), "/dev/null").error, HasSubstr("not a regular file"));
    struct stat st {};
    ::stat("/dev/null", &st);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
}

TEST(TallyFileOpen, RefusesWhatIsNotARegularFileWithoutWaiting) {
    TempFolder dir;
    ::mkfifo((dir / "pipe").c_str(), 0600);
    const std::string huge = dir / "huge.txt";
    writeBytes(huge, "");
    ASSERT_EQ(::truncate(huge.c_str(), MaxTallyFileBytes + 100), 0);
    const struct {
        std::string path, reason;
    } cases[] = {
        {dir.path(), "it is a folder"},
        {"/dev/null", "not a regular file"},
        {"/dev/zero", "not a regular file"},
        {dir / "pipe", "not a regular file"},
        {dir / "missing.txt", "No such file or directory"},
        {huge, "larger than 16 MiB"},
    };
    for (const auto& c : cases) {
        Sheet s = preparedTally();
        const std::string before = test::cellsOf(s);
        const LoadResult r = loadTallyFile(s, c.path);
        EXPECT_FALSE(r.ok) << c.path;
        EXPECT_THAT(r.error, HasSubstr("Cannot open \"" + c.path + "\": "));
        EXPECT_THAT(r.error, HasSubstr(c.reason));
        EXPECT_EQ(test::cellsOf(s), before);
    }
}

TEST(TallyFileOpen, ReadsAnOlderWindowsTally) {
    Sheet s = test::uplandGrid();
    const LoadResult r = loadTallyFile(s, TIMBRA_TEST_DATA "/files/windows-1252.txt");
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(s.GetText(3, 2), "Bois d\u2019\u00C9rable");
    EXPECT_EQ(s.GetText(3, 3), "Caddo Parish");
    EXPECT_EQ(s.GetText(10, 3), "Coastal Plain");
    EXPECT_EQ(s.GetInteger(5, 7), 16);
    EXPECT_EQ(s.GetFloat(6, 7), 2.5);
    EXPECT_EQ(s.GetInteger(1, 9), 0);
    EXPECT_TRUE(r.refusedCells.empty());
}

} // namespace
} // namespace timbra
