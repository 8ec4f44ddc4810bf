// File faults the tally-file tests do not reach: targets that bind root too, and files that change
// size under the reader. A failed save names the file and the reason and leaves no trace; a read
// takes whatever the file holds at that moment and never more or less than a whole prefix.
#include "QualityTestSupport.h"

#include "input/TallyFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <unistd.h>

namespace timbra {
namespace {

using ::testing::HasSubstr;

Sheet standWithTrees(const ProgramProfile& profile) {
    Sheet sheet = quality::openingTally(profile);
    sheet.SetText(3, 2, "Shrinking stand");
    for (int r = 6; r < sheet.GetMaxRows(); ++r) {
        sheet.SetText(1, r, std::to_string(1 + (r - 6) / 50));
        sheet.SetText(10, r, "Preferred");
    }
    return sheet;
}

TEST(SaveFaults, TargetsThatEvenRootCannotWriteAreReportedAndLeaveNoTrace) {
    quality::ScratchFolder dir;
    quality::writeFile(dir / "plain.txt", "not a folder");
    const struct {
        std::string path, reason;
    } cases[] = {
        {dir / "plain.txt/stand.txt", "Not a directory"},
        {"/proc/timbra-stand.txt", ""},
        {"/proc/self/stand.txt", ""},
    };
    const Sheet sheet = standWithTrees(timbraProfile());
    for (const auto& c : cases) {
        const FileResult r = saveTallyFile(sheet, c.path);
        EXPECT_FALSE(r.ok) << c.path;
        EXPECT_THAT(r.error, HasSubstr("Cannot save \"" + c.path + "\": " + c.reason));
        EXPECT_EQ(::access(c.path.c_str(), F_OK), -1) << c.path;
    }
    EXPECT_EQ(quality::readFile(dir / "plain.txt"), "not a folder");
}

TEST(OpenFaults, FileLargerThanItsReportedSizeIsReadWhole) {
    // Files of /proc report a size of 0 but hold text: a reader that trusts the size reads nothing.
    Sheet sheet = quality::openingTally(timbraProfile());
    const LoadResult r = loadTallyFile(sheet, "/proc/version");
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_THAT(sheet.GetText(1, 1), HasSubstr("Linux"));
}

TEST(OpenFaults, FileShrinkingWhileReadGivesAPrefixOfIt) {
    const ProgramProfile& profile = lowtimbraProfile();
    quality::ScratchFolder dir;
    const std::string path = dir / "shrinking.txt";
    const Sheet full = standWithTrees(profile);
    const std::string text = formatTallyText(full);

    std::atomic<bool> done = false;
    std::thread shrinker([&] {
        while (!done) {
            quality::writeFile(path, text);
            for (off_t size = static_cast<off_t>(text.size()); size > 100 && !done; size -= 997)
                (void)::truncate(path.c_str(), size);
        }
    });
    for (int round = 0; round < 60; ++round) {
        Sheet sheet = quality::openingTally(profile);
        const LoadResult r = loadTallyFile(sheet, path);
        if (!r.ok) { // only possible while the file is being written anew
            EXPECT_THAT(r.error, HasSubstr("Cannot open \"" + path + "\""));
            continue;
        }
        // Every cell is the saved one, cut short, or empty: never shifted or invented.
        for (int row = 1; row <= sheet.GetMaxRows(); ++row)
            for (int col = 1; col <= sheet.GetMaxCols(); ++col) {
                const std::string& got = sheet.GetText(col, row);
                ASSERT_TRUE(full.GetText(col, row).starts_with(got))
                    << "round " << round << " cell " << col << "," << row << ": " << got;
            }
    }
    done = true;
    shrinker.join();
}

} // namespace
} // namespace timbra
