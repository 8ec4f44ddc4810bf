// Saving and opening tally files on disk: a failed save never damages the old file or leaves a trace,
// and Open refuses what is not a regular file without waiting on it, and reads a file that changes
// under it as a whole prefix of what it held.
#include "core/TestFiles.h"

#include "input/TallyFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace timbra {
namespace {

using test::entriesOf;
using test::readFile;
using test::TempFolder;
using test::writeFile;
using ::testing::HasSubstr;

const std::string oldContent = "Stand Name,,Old stand\r,,,\r";

Sheet preparedTally() {
    Sheet s = test::openingTally(timbraProfile());
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
    writeFile(path, oldContent);
    ::chmod(path.c_str(), 0640);
    const Sheet sheet = preparedTally();
    const FileResult r = saveTallyFile(sheet, path);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(readFile(path), formatTallyText(sheet));
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(entriesOf(dir.path()), "stand.txt;");
}

TEST(TallyFileSave, FullDiskLeavesTheOldFileAsItWas) {
    TempFolder dir;
    const std::string path = dir / "stand.txt";
    writeFile(path, oldContent);
    const int code = saveInChild(path, "File too large", [] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096}; // a prepared tally is about 30 KiB
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(readFile(path), oldContent);
    EXPECT_EQ(entriesOf(dir.path()), "stand.txt;");
}

TEST(TallyFileSave, ReadOnlyFolderLeavesTheOldFileAsItWas) {
    // Root writes into any folder whatever its mode, so the child gives up root first.
    TempFolder dir;
    const std::string folder = dir / "locked";
    ::mkdir(folder.c_str(), 0755);
    const std::string path = folder + "/stand.txt";
    writeFile(path, oldContent);
    ::chmod(folder.c_str(), 0555);
    ::chmod(dir.path().c_str(), 0755);
    const int code = saveInChild(path, "Permission denied", [] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(77);
    });
    if (code == 77) GTEST_SKIP() << "cannot drop root privileges here";
    EXPECT_EQ(code, 0);
    EXPECT_EQ(readFile(path), oldContent);
    EXPECT_EQ(entriesOf(folder), "stand.txt;");
    ::chmod(folder.c_str(), 0755); // so that a non-root run can clean up
}

// Targets that even root cannot write: each named with its reason, and nothing is left behind.
TEST(TallyFileSave, UnwritableTargetsAreReportedAndLeaveNoTrace) {
    TempFolder dir;
    writeFile(dir / "plain.txt", "not a folder");
    const struct {
        std::string path, reason;
    } cases[] = {
        {dir / "gone/stand.txt", "No such file or directory."},
        {dir / "plain.txt/stand.txt", "Not a directory"},
        {"/proc/timbra-stand.txt", ""},
        {"/proc/self/stand.txt", ""},
        {dir.path(), "it is a folder"},
        {"/dev/null", "it is not a regular file"},
    };
    for (const auto& c : cases) {
        const FileResult r = saveTallyFile(preparedTally(), c.path);
        EXPECT_FALSE(r.ok) << c.path;
        EXPECT_THAT(r.error, HasSubstr("Cannot save \"" + c.path + "\": " + c.reason));
    }
    EXPECT_EQ(entriesOf(dir.path()), "plain.txt;");
    EXPECT_EQ(readFile(dir / "plain.txt"), "not a folder");
    for (const char* path : {"/proc/timbra-stand.txt", "/proc/self/stand.txt"})
        EXPECT_EQ(::access(path, F_OK), -1) << path;
    struct stat st {};
    ::stat("/dev/null", &st);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
}

TEST(TallyFileSave, SymbolicLinkStaysAndItsTargetGetsTheContent) {
    TempFolder dir;
    ::mkdir((dir / "real").c_str(), 0755);
    writeFile(dir / "real/target.txt", oldContent);
    ::symlink("real/target.txt", (dir / "link.txt").c_str());
    const Sheet sheet = preparedTally();
    ASSERT_TRUE(saveTallyFile(sheet, dir / "link.txt").ok);
    struct stat st {};
    ::lstat((dir / "link.txt").c_str(), &st);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(readFile(dir / "real/target.txt"), formatTallyText(sheet));
    EXPECT_EQ(entriesOf(dir / "real"), "target.txt;");
}

// The temporary file's name must fit the file system's limit whenever the target's name does.
TEST(TallyFileSave, LongNamesUpToTheFileSystemsLimitSave) {
    TempFolder dir;
    const std::size_t nameMax = static_cast<std::size_t>(::pathconf(dir.path().c_str(), _PC_NAME_MAX));
    for (const std::size_t length : {nameMax - 20, nameMax - 1, nameMax}) {
        // Multi-byte letters, so that a cut inside one would show as a name with a broken letter.
        std::string name;
        while (name.size() + 2 <= length - 4)
            name += "\u00E9";
        name.append(length - 4 - name.size(), 'x');
        name += ".txt";
        const std::string path = dir / name;
        writeFile(path, oldContent);
        const FileResult r = saveTallyFile(preparedTally(), path);
        EXPECT_TRUE(r.ok) << length << ": " << r.error;
        EXPECT_EQ(entriesOf(dir.path()), name + ";");
        ::unlink(path.c_str());
    }
}

TEST(TallyFileSave, KeepsOwnerAndGroupWhereAllowed) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root may give a file to another user";
    TempFolder dir;
    const std::string path = dir / "stand.txt";
    writeFile(path, oldContent);
    ::chmod(path.c_str(), 02750); // set-group bit: an owner change made after the bits would clear it
    ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    ::chmod(path.c_str(), 02750);
    ASSERT_TRUE(saveTallyFile(preparedTally(), path).ok);
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
    EXPECT_EQ(st.st_mode & 07777, 02750u);
}

TEST(TallyFileOpen, RefusesWhatIsNotARegularFileWithoutWaiting) {
    TempFolder dir;
    ::mkfifo((dir / "pipe").c_str(), 0600);
    const std::string huge = dir / "huge.txt";
    writeFile(huge, "");
    ASSERT_EQ(::truncate(huge.c_str(), MaxTallyFileBytes + 100), 0);
    const struct {
        std::string path, reason;
    } cases[] = {
        {dir.path(), "it is a folder"},
        {"/dev/null", "it is not a regular file"},
        {"/dev/zero", "it is not a regular file"},
        {dir / "pipe", "it is not a regular file"},
        {dir / "missing.txt", "No such file or directory"},
        {huge, "the file is larger than 16 MiB"},
    };
    for (const auto& c : cases) {
        Sheet s = preparedTally();
        const std::string before = test::cellsOf(s);
        const LoadResult r = loadTallyFile(s, c.path);
        EXPECT_FALSE(r.ok) << c.path;
        EXPECT_THAT(r.error, HasSubstr("Cannot open \"" + c.path + "\": " + c.reason));
        EXPECT_EQ(test::cellsOf(s), before);
    }
}

TEST(TallyFileOpen, ReadsAnOlderWindowsTallyAndFilesLargerThanTheirReportedSize) {
    Sheet s = test::openingTally(timbraProfile());
    const LoadResult r = loadTallyFile(s, TIMBRA_TEST_DATA "/files/windows-1252.txt");
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(s.GetText(3, 2), "Bois d\u2019\u00C9rable");
    EXPECT_EQ(s.GetText(10, 3), "Coastal Plain");
    EXPECT_EQ(s.GetFloat(6, 7), 2.5);
    EXPECT_TRUE(r.refusedCells.empty());

    // Files of /proc report a size of 0 but hold text: a reader that trusts the size reads nothing.
    ASSERT_TRUE(loadTallyFile(s, "/proc/version").ok);
    EXPECT_THAT(s.GetText(1, 1), HasSubstr("Linux"));
}

TEST(TallyFileOpen, FileShrinkingWhileReadGivesAPrefixOfIt) {
    TempFolder dir;
    const std::string path = dir / "shrinking.txt";
    Sheet full = test::openingTally(lowtimbraProfile());
    full.SetText(3, 2, "Shrinking stand");
    for (int r = 6; r < full.GetMaxRows(); ++r) {
        full.SetText(1, r, std::to_string(1 + (r - 6) / 50));
        full.SetText(10, r, "Preferred");
    }
    const std::string text = formatTallyText(full);

    std::atomic<bool> done = false;
    std::thread shrinker([&] {
        while (!done) {
            writeFile(path, text);
            for (off_t size = static_cast<off_t>(text.size()); size > 100 && !done; size -= 997)
                (void)::truncate(path.c_str(), size);
        }
    });
    for (int round = 0; round < 60; ++round) {
        Sheet sheet = test::openingTally(lowtimbraProfile());
        const LoadResult r = loadTallyFile(sheet, path);
        if (!r.ok) { // only possible while the file is being written anew
            EXPECT_THAT(r.error, HasSubstr("Cannot open \"" + path + "\""));
            continue;
        }
        // Every cell is the saved one, cut short, or empty: never shifted or invented.
        for (int row = 1; row <= sheet.GetMaxRows(); ++row)
            for (int col = 1; col <= sheet.GetMaxCols(); ++col)
                ASSERT_TRUE(full.GetText(col, row).starts_with(sheet.GetText(col, row)))
                    << "round " << round << " cell " << col << "," << row << ": " << sheet.GetText(col, row);
    }
    done = true;
    shrinker.join();
}

} // namespace
} // namespace timbra
