// What the command line writes and reads besides tally files: the report PDF is saved as tallies are
// (a refused or failed save changes nothing and leaves nothing), and failures of standard output
// and input are told and exit 2.
#include "CliTestSupport.h"

#include "cli/StandardStreams.h"
#include "core/TestFiles.h"

#include <nlohmann/json.hpp>

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

TEST(ReportPdf, RefusedOrFailedSavesChangeNothing) {
    const struct {
        const char* name;
        std::string limit, arguments, message;
    } cases[] = {
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
    for (const auto& c : cases) {
        TempFolder dir;
        writeFile(dir / "tally.txt", readFile(UplandExample));
        writeFile(dir / "old.pdf", "%PDF an older report");
        ::symlink("tally.txt", (dir / "link.txt").c_str());
        ::link((dir / "tally.txt").c_str(), (dir / "hard.txt").c_str());
        const std::string entries = entriesOf(dir.path());

        const auto [status, out] = cliIn(dir, "report " + c.arguments, c.limit);
        EXPECT_EQ(status, 2) << c.name;
        EXPECT_EQ(out.rfind("timbra-cli: ", 0), 0u) << c.name << ": " << out;
        EXPECT_NE(out.find(c.message), std::string::npos) << c.name << ": " << out;
        EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1) << c.name << ": " << out;
        EXPECT_EQ(readFile(dir / "tally.txt"), readFile(UplandExample)) << c.name;
        EXPECT_EQ(readFile(dir / "old.pdf"), "%PDF an older report") << c.name;
        EXPECT_EQ(entriesOf(dir.path()), entries) << c.name;
    }
    struct stat st {};
    ::stat("/dev/null", &st);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
}

TEST(ReportPdf, SavedUnderItsExactNameThroughLinksWithItsBits) {
    TempFolder dir;
    writeFile(dir / "old.pdf", "%PDF an older report");
    ::chmod((dir / "old.pdf").c_str(), 0640);
    ::symlink("old.pdf", (dir / "link.pdf").c_str());

    // Nothing but the command's own lines on standard error: here none at all.
    EXPECT_EQ(cliIn(dir, "report '" + UplandExample + "' --pdf link.pdf"), std::make_pair(0, std::string()));
    struct stat st {};
    ::lstat((dir / "link.pdf").c_str(), &st);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ::stat((dir / "old.pdf").c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(readFile(dir / "old.pdf").substr(0, 5), "%PDF-");

    // A name that is not UTF-8 is the file's name byte for byte.
    EXPECT_EQ(cliIn(dir, "report '" + UplandExample + "' --pdf 'caf\xE9.pdf'").first, 0);
    EXPECT_EQ(readFile(dir / "caf\xE9.pdf").substr(0, 5), "%PDF-");
    EXPECT_EQ(entriesOf(dir.path()).size(), std::string("caf\xE9.pdf;link.pdf;old.pdf;").size());
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

TEST(StandardInput, ReadFailuresAndEndlessInputAreUnreadableTallies) {
    TempFolder dir;
    const struct {
        std::string source, reason;
    } cases[] = {
        {dir.path(), "Is a directory"},
        {"", "Bad file descriptor"}, // standard input closed
        {"/dev/zero", "the file is larger than 16 MiB"},
    };
    for (const auto& c : cases) {
        const int fd = c.source.empty() ? -1 : ::open(c.source.c_str(), O_RDONLY);
        const std::string expected = "Cannot open \"standard input\": " + c.reason;
        for (const char* command : {"run", "summary"}) {
            FdInputBuffer buffer(fd);
            std::istream in(&buffer);
            std::ostringstream out, err;
            const int code = run({command, "-"}, in, out, err);
            if (command == std::string("run")) {
                EXPECT_EQ(code, 2) << c.source;
                EXPECT_EQ(err.str().rfind("timbra-cli: " + expected, 0), 0u) << err.str();
            } else { // a summary tells it in the file's row, as for any unreadable file
                EXPECT_EQ(code, 1) << c.source;
                EXPECT_NE(out.str().find("error: " + expected), std::string::npos) << out.str();
            }
        }
        if (fd >= 0) ::close(fd);
    }
}

// A tally's cells reach a terminal as visible escapes in readable output, exactly in CSV and JSON.
TEST(ReadableOutput, ControlCharactersAreShownNotSent) {
    const std::string name = "Evil\x1B]0;owned\x07\nrow\xC2\x9B";
    const std::string file = standFile("control.txt", {.name = name, .trees = {{}}});
    const std::string shown = "Evil\\x1B]0;owned\\x07\\x0Arow\\u009B";

    const CliResult readable = runCli({"run", file});
    EXPECT_NE(readable.out.find("Stand: " + shown + "\n"), std::string::npos) << readable.out;
    const CliResult table = runCli({"summary", file});
    EXPECT_NE(table.out.find(shown), std::string::npos) << table.out;
    EXPECT_EQ(std::count(table.out.begin(), table.out.end(), '\n'), 2) << table.out;
    for (const CliResult& r : {readable, table}) {
        EXPECT_EQ(r.out.find('\x1B'), std::string::npos);
        EXPECT_EQ(r.out.find('\x07'), std::string::npos);
    }

    EXPECT_NE(runCli({"summary", "--csv", file}).out.find("\"" + name + "\""), std::string::npos);
    EXPECT_EQ(nlohmann::json::parse(runCli({"run", file, "--json"}).out)["results"]["standName"], name);
}

} // namespace
} // namespace timbra::cli::test
