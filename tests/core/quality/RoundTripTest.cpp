// What Open takes, Save as must write in a form that Open takes again, cell for cell: a tally that
// opens but cannot be reopened after saving is lost to the user.
#include "core/TestFiles.h"

#include "core/input/TallyFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace timbra {
namespace {

using ::testing::HasSubstr;

// Opens the bytes; when taken, saves and opens the result again and expects the same cells.
// Returns the first open's error, empty when the bytes were taken.
std::string openSaveAndReopen(std::string_view bytes) {
    Sheet first = test::openingTally(timbraProfile());
    const LoadResult opened = loadTallyText(first, bytes, "first.txt");
    if (!opened.ok) return opened.error;
    EXPECT_EQ(test::cellsOf(test::reopened(timbraProfile(), first)), test::cellsOf(first));
    return {};
}

// (A byte-order mark that begins the first cell, which must survive a save, is replayed from the
// tally_file fuzz corpus: byte-order-mark-in-first-cell.)

TEST(RoundTrip, RowThatGrowsWhenSavedIsRefusedAtOpen) {
    // Quotes read as plain text are doubled when written, so a row within the limit when opened
    // could exceed it once saved: such a row is refused at once, with the reason.
    const std::string quotes(MaxTallyRowBytes / 2 + 100, '"');
    EXPECT_THAT(openSaveAndReopen("a\r,,x" + quotes + "\r"),
                HasSubstr("row 2 of the file is longer than 64 KiB"));
    // Just within the limit as written, it opens and reopens.
    EXPECT_EQ(openSaveAndReopen("a\r,,x" + std::string(MaxTallyRowBytes / 2 - 100, '"') + "\r"), "");
}

TEST(RoundTrip, OlderWindowsTallyThatGrowsPastTheLimitAsUtf8IsRefusedAtOpen) {
    // Every accented letter of a Windows-1252 file takes two bytes once saved as UTF-8.
    const std::string row = std::string(9, ',') + std::string(12000, '\xE9') + "\r";
    std::string bytes;
    while (bytes.size() + row.size() <= MaxTallyFileBytes - 100 && bytes.size() / row.size() < 1500)
        bytes += row;
    ASSERT_LT(bytes.size(), MaxTallyFileBytes);
    EXPECT_THAT(openSaveAndReopen(bytes), HasSubstr("larger than 16 MiB"));
}

} // namespace
} // namespace timbra
