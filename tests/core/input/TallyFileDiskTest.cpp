// Saving and opening tally files on disk: a failed save never damages the old file or leaves a trace,
// and Open refuses what is not a regular file without waiting on it, and reads a file that changes
// under it as a whole prefix of what it held.
#include "core/TestFiles.h"

#include "core/input/TallyFile.h"

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
    return test::openingTally(timbraProfile(), {.name = "New stand"}, {});
}

mode_t modeOf(const std::string& path, bool link = false) {
    struct stat st {};
    link ? ::lstat(path.c_str(), &st) : ::stat(path.c_str(), &st);
    return st.st_mode;
}

TEST(TallyFileSave, WritesTheSheetThroughLinksAndKeepsPermissionBits) {
    TempFolder dir;
    ::mkdir((dir / "real").c_str(), 0755);
    writeFile(dir / "real/stand.txt", oldContent);
    ::chmod((dir / "real/stand.txt").c_str(), 0640);
    ::symlink("real/stand.txt", (dir / "link.txt").c_str());
    const Sheet sheet = preparedTally();
    for (const std::string name : {"real/stand.txt", "link.txt"}) {
        const FileResult r = saveTallyFile(sheet, dir / name);
        ASSERT_TRUE(r.ok) << r.error;
    }
    EXPECT_EQ(readFile(dir / "real/stand.txt"), formatTallyText(sheet));
    EXPECT_EQ(modeOf(dir / "real/stand.txt") & 07777, 0640u);
    EXPECT_TRUE(S_ISLNK(modeOf(dir / "link.txt", true)));
    EXPECT_EQ(entriesOf(dir / "real"), "stand.txt;");
}

// A save in a child process, so that limits and identity changes stay there, on a full disk and in
// a read-only folder (root writes into any folder whatever its mode, so the child gives up root).
TEST(TallyFileSave, FullDiskOrReadOnlyFolderLeavesTheOldFileAsItWas) {
    const std::tuple<std::string, mode_t, void (*)()> cases[] = {
        {"File too large", 0755,
         [] {
             std::signal(SIGXFSZ, SIG_IGN);
             const rlimit limit{4096, 4096}; // a prepared tally is about 30 KiB
             ::setrlimit(RLIMIT_FSIZE, &limit);
         }},
        {"Permission denied", 0555,
         [] {
             if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(77);
         }},
    };
    for (const auto& [reason, folderMode, setUp] : cases) {
        TempFolder dir;
        const std::string folder = dir / "stand";
        ::mkdir(folder.c_str(), 0755);
        writeFile(folder + "/stand.txt", oldContent);
        ::chmod(folder.c_str(), folderMode);
        ::chmod(dir.path().c_str(), 0755);
        const Sheet sheet = preparedTally();
        const pid_t pid = ::fork();
        if (pid == 0) {
            setUp();
            const FileResult r = saveTallyFile(sheet, folder + "/stand.txt");
            ::_exit(r.ok ? 1 : r.error.find(reason) != std::string::npos ? 0 : 2);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        ::chmod(folder.c_str(), 0755);
        if (code == 77) continue; // cannot drop root privileges here
        EXPECT_EQ(code, 0) << reason << " (1: reported as saved)";
        EXPECT_EQ(readFile(folder + "/stand.txt"), oldContent) << reason;
        EXPECT_EQ(entriesOf(folder), "stand.txt;") << reason;
    }
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
        writeFile(dir / name, oldContent);
        const FileResult r = saveTallyFile(preparedTally(), dir / name);
        EXPECT_TRUE(r.ok) << length << ": " << r.error;
        EXPECT_EQ(entriesOf(dir.path()), name + ";");
        ::unlink((dir / name).c_str());
    }
}

TEST(TallyFileSave, KeepsOwnerAndGroupWhereAllowed) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root may give a file to another user";
    TempFolder dir;
    const std::string path = dir / "stand.txt";
    writeFile(path, oldContent);
    ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    ::chmod(path.c_str(), 02750); // set-group bit: an owner change made after the bits would clear it
    ASSERT_TRUE(saveTallyFile(preparedTally(), path).ok);
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(std::tuple(st.st_uid, st.st_gid, st.st_mode & 07777), std::tuple(65534u, 65534u, 02750u));
}

// Targets that even root cannot write, and what Open refuses without waiting on it: each named with
// its reason, and nothing is left behind or changed.
TEST(TallyFile, UnusableTargetsAreReportedAndLeaveNoTrace) {
    TempFolder dir;
    writeFile(dir / "plain.txt", "not a folder");
    ::mkfifo((dir / "pipe").c_str(), 0600);
    const std::string huge = dir / "huge.txt";
    writeFile(huge, "");
    ASSERT_EQ(::truncate(huge.c_str(), MaxTallyFileBytes + 100), 0);
    const std::string entries = entriesOf(dir.path());
    // clang-format off
    const std::tuple<std::string, const char*, const char*> cases[] = { // path, save's reason, open's
        {dir / "gone/stand.txt", "No such file or directory.", "No such file or directory"},
        {dir / "plain.txt/stand.txt", "Not a directory", nullptr}, {"/proc/timbra-stand.txt", "", nullptr},
        {"/proc/self/stand.txt", "", nullptr}, {dir.path(), "it is a folder", "it is a folder"},
        {"/dev/null", "it is not a regular file", "it is not a regular file"},
        {"/dev/zero", nullptr, "it is not a regular file"}, {dir / "pipe", nullptr, "it is not a regular file"},
        {huge, nullptr, "the file is larger than 16 MiB"}};
    // clang-format on
    for (const auto& [path, saveReason, openReason] : cases) {
        if (saveReason) {
            const FileResult r = saveTallyFile(preparedTally(), path);
            EXPECT_FALSE(r.ok) << path;
            EXPECT_THAT(r.error, HasSubstr("Cannot save \"" + path + "\": " + saveReason));
        }
        if (openReason) {
            Sheet s = preparedTally();
            const LoadResult r = loadTallyFile(s, path);
            EXPECT_FALSE(r.ok) << path;
            EXPECT_THAT(r.error, HasSubstr("Cannot open \"" + path + "\": " + openReason));
            EXPECT_EQ(test::cellsOf(s), test::cellsOf(preparedTally()));
        }
    }
    EXPECT_EQ(entriesOf(dir.path()), entries);
    EXPECT_EQ(readFile(dir / "plain.txt"), "not a folder");
    for (const char* path : {"/proc/timbra-stand.txt", "/proc/self/stand.txt"})
        EXPECT_EQ(::access(path, F_OK), -1) << path;
    EXPECT_TRUE(S_ISCHR(modeOf("/dev/null")));
}

// Files of /proc report a size of 0 but hold text: a reader that trusts the size reads nothing.
TEST(TallyFileOpen, ReadsFilesLargerThanTheirReportedSize) {
    Sheet s = test::openingTally(timbraProfile());
    ASSERT_TRUE(loadTallyFile(s, "/proc/version").ok);
    EXPECT_THAT(s.GetText(1, 1), HasSubstr("Linux"));
}

TEST(TallyFileOpen, FileShrinkingWhileReadGivesAPrefixOfIt) {
    TempFolder dir;
    const std::string path = dir / "shrinking.txt";
    Sheet full = test::openingTally(lowtimbraProfile(), {.name = "Shrinking stand"}, {});
    for (int r = 6; r < full.GetMaxRows(); ++r)
        test::setTree(full, r, {1 + (r - 6) / 50});
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
