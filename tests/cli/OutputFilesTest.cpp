// What the command line writes and reads besides tally files: the report PDF is saved as tallies are
// (a refused or failed save changes nothing and leaves nothing), and failures of standard output
// and input are told and exit 2.
#include "CliTestSupport.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace timbra::cli::test {
namespace {

using ::timbra::test::entriesOf;
using ::timbra::test::readFile;
using ::timbra::test::TempFolder;
using ::timbra::test::writeFile;

// The tool as a user starts it in `folder`, with standard error in the output and no runtime
// folder set (where Qt would warn about it); `limits` are shell commands run first.
std::pair<int, std::string> cliIn(const TempFolder& folder, const std::string& arguments,
                                  const std::string& limits = "true") {
    // A coverage build's counters cannot be written under a file-size limit either; their complaints
    // are the build's, not the command's.
    auto [status, out] = shell("cd '" + folder.path() + "' && " + limits + " && env -u XDG_RUNTIME_DIR " +
                               Exe + " " + arguments + " 2>&1");
    for (auto at = out.find("libgcov profiling error"); at != std::string::npos;
         at = out.find("libgcov profiling error", at))
        out.erase(at, out.find('\n', at) - at + 1);
    return {status, out};
}

// A build without the desktop programs writes no PDF.
bool pdfAvailable() {
    return shell(Exe + " report '" + UplandExample + "' --pdf /dev/null 2>&1").second.find("not available") ==
           std::string::npos;
}

TEST(ReportPdf, RefusedOrFailedSavesChangeNothing) {
    if (!pdfAvailable()) GTEST_SKIP() << "no PDF in this build";
    const std::array<std::string, 4> cases[] = {
        // name, limit, arguments, message
        {"folder", "true", "tally.txt --pdf .", "Cannot save \".\": it is a folder, not a file."},
        {"device", "true", "tally.txt --pdf /dev/null",
         "Cannot save \"/dev/null\": it is not a regular file"},
        {"the tally", "true", "tally.txt --pdf tally.txt",
         "cannot write the report to \"tally.txt\": it is the tally being read"},
        {"link to the tally", "true", "tally.txt --pdf link.txt", "it is the tally being read"},
        {"hard link to the tally", "true", "tally.txt --pdf hard.txt", "it is the tally being read"},
        {"standard input", "exec <tally.txt", "- --pdf tally.txt", "it is the tally being read"},
        {"an option", "true", "tally.txt --pdf --csv", "--pdf needs a file name, not \"--csv\""},
        {"full disk", "ulimit -f 16", "tally.txt --pdf old.pdf", "Cannot save \"old.pdf\": File too large."},
    };
    for (const auto& [name, limit, arguments, message] : cases) {
        TempFolder dir;
        writeFile(dir / "tally.txt", readFile(UplandExample));
        writeFile(dir / "old.pdf", "%PDF an older report");
        ::symlink("tally.txt", (dir / "link.txt").c_str());
        ::link((dir / "tally.txt").c_str(), (dir / "hard.txt").c_str());
        const std::string entries = entriesOf(dir.path());

        const auto [status, out] = cliIn(dir, "report " + arguments, limit);
        EXPECT_EQ(status, 2) << name;
        EXPECT_EQ(out.rfind("timbra-cli: ", 0), 0u) << name << ": " << out;
        EXPECT_NE(out.find(message), std::string::npos) << name << ": " << out;
        EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1) << name << ": " << out;
        EXPECT_EQ(readFile(dir / "tally.txt") + readFile(dir / "old.pdf"),
                  readFile(UplandExample) + "%PDF an older report")
            << name;
        EXPECT_EQ(entriesOf(dir.path()), entries) << name;
    }
}

// A name that is not UTF-8 is the file's name byte for byte, and nothing but the command's own lines
// reach standard error: here none at all. (Links and permission bits are the tally writer's, checked
// with tally files.)
TEST(ReportPdf, SavedUnderItsExactName) {
    if (!pdfAvailable()) GTEST_SKIP() << "no PDF in this build";
    TempFolder dir;
    EXPECT_EQ(cliIn(dir, "report '" + UplandExample + "' --pdf 'caf\xE9.pdf'"),
              std::make_pair(0, std::string()));
    EXPECT_EQ(readFile(dir / "caf\xE9.pdf").substr(0, 5), "%PDF-");
    EXPECT_EQ(entriesOf(dir.path()), "caf\xE9.pdf;");
}

// The report prints as a form on the page asked for, as Print Results prints it: the first page
// rendered at 72 dpi has the page's size in points, no heading strip (a long run of its light grey),
// nothing in the white rows just above and below the title's letters (no grid line crosses it), and
// the sheet as wide as the printable width.
TEST(ReportPdf, PrintsTheSheetAsAFormOnThePageAskedFor) {
    if (!pdfAvailable()) GTEST_SKIP() << "no PDF in this build";
    if (shell("command -v pdftoppm").first != 0) GTEST_SKIP() << "pdftoppm is not installed";
    const std::pair<std::string, std::pair<int, int>> pages[] = {{"letter", {612, 792}}, {"a4", {595, 842}}};
    for (const auto& [size, points] : pages) {
        TempFolder dir;
        const auto [status, out] =
            cliIn(dir, "report '" + UplandExample + "' --objective 4 --pdf r.pdf --page-size " + size);
        ASSERT_EQ(status, 0) << out;
        ASSERT_EQ(shell("cd '" + dir.path() + "' && pdftoppm -r 72 -gray -f 1 -l 1 r.pdf page").first, 0);
        std::istringstream pgm(readFile(dir / "page-1.pgm"));
        std::string magic;
        int width = 0, height = 0, depth = 0;
        pgm >> magic >> width >> height >> depth;
        pgm.get();
        std::string pixels(static_cast<std::size_t>(width * height), '\0');
        pgm.read(pixels.data(), static_cast<std::streamsize>(pixels.size()));
        ASSERT_EQ(std::make_pair(width, height), points) << size;
        const auto at = [&](int x, int y) {
            return static_cast<unsigned char>(pixels[std::size_t(y * width + x)]);
        };
        const auto rowHas = [&](int y, auto test) {
            for (int x = 0; x < width; ++x)
                if (test(at(x, y))) return true;
            return false;
        };
        int longestGrey = 0, titleTop = -1, titleBottom = -1, left = width, right = 0;
        for (int y = 0; y < height; ++y) {
            int grey = 0;
            for (int x = 0; x < width; ++x) {
                grey = at(x, y) >= 220 && at(x, y) <= 236 ? grey + 1 : 0;
                longestGrey = std::max(longestGrey, grey);
                if (at(x, y) < 230) left = std::min(left, x), right = std::max(right, x);
            }
            const bool dark = rowHas(y, [](int v) { return v < 128; });
            if (dark && titleTop < 0) titleTop = y;
            if (!dark && titleTop >= 0 && titleBottom < 0) titleBottom = y - 1;
        }
        EXPECT_LT(longestGrey, 15) << size;
        ASSERT_GT(titleTop, 2) << size;
        for (const int y : {titleTop - 2, titleBottom + 2})
            EXPECT_FALSE(rowHas(y, [](int v) { return v < 240; })) << size << ": row " << y;
        EXPECT_GT(right - left, width * 0.85) << size << ": " << left << " to " << right;
    }
}

TEST(StandardOutput, AWriteThatFailsExitsTwoWithTheReason) {
    for (const std::string& args :
         {std::string("--help"), "run '" + UplandExample + "'", "summary --csv '" + UplandExample + "'",
          "report --csv '" + UplandExample + "'"}) {
        const auto [status, err] = shell(Exe + " " + args + " 2>&1 >/dev/full");
        EXPECT_EQ(status, 2) << args;
        EXPECT_EQ(err, "timbra-cli: cannot write the output: No space left on device\n") << args;
    }
}

} // namespace
} // namespace timbra::cli::test
