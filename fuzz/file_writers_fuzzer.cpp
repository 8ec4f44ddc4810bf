// The ways the programs write bytes out (the atomic writer behind tallies, PDFs and the state files,
// and the command-line tool's standard output), over a file system that fails on cue: the link
// replaces write, fsync, close and rename (-Wl,--wrap) by versions that count the calls while a
// writer runs and fail the n-th one with the chosen reason, or cut every write short. The first byte
// picks n (0: nothing fails), the second the reason and the writer, the rest is what is written.
// The atomic writer either reports success and the file holds every byte, or names the file and the
// reason while the old file is left as it was and nothing else is left in the folder. The output
// stream either holds every byte, or has failed with the reason and holds a prefix of them.
#include "FuzzSupport.h"

#include "cli/StandardStreams.h"
#include "core/file/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

using namespace timbra;

namespace {

// The plan of the file system's failures while a writer runs.
struct FaultPlan {
    bool armed = false;
    int failAt = 0;        // the call that fails, counted from 1; 0: none
    int error = 0;         // its errno
    bool cutShort = false; // every write takes half of what it is given
    int calls = 0;
    bool failed = false; // the planned failure happened
} plan;

// Only a write is ever interrupted before it wrote anything; the other calls fail with the other reasons.
bool failsNow(bool isWrite = false) {
    if (!plan.armed || ++plan.calls != plan.failAt || (plan.error == EINTR && !isWrite)) return false;
    plan.failed = true;
    errno = plan.error;
    return true;
}

constexpr int Reasons[] = {ENOSPC, EIO, EDQUOT, EFBIG, EINTR};

const std::string& scratch() {
    static const std::string folder = [] {
        std::string name = (std::filesystem::temp_directory_path() / "timbra-writers-fuzz-XXXXXX").string();
        return std::string(::mkdtemp(name.data()));
    }();
    return folder;
}

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string entries(const std::string& folder) {
    std::string names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names += entry.path().filename().string() + ";";
    return names;
}

} // namespace

extern "C" {
ssize_t __real_write(int fd, const void* buffer, size_t count);
int __real_fsync(int fd);
int __real_close(int fd);
int __real_rename(const char* from, const char* to);

ssize_t __wrap_write(int fd, const void* buffer, size_t count) {
    if (failsNow(true)) return -1;
    if (plan.armed && plan.cutShort && count > 1) count /= 2;
    return __real_write(fd, buffer, count);
}
int __wrap_fsync(int fd) {
    return failsNow() ? -1 : __real_fsync(fd);
}
int __wrap_close(int fd) {
    const int closed = __real_close(fd); // the descriptor goes whatever close reports
    return failsNow() ? -1 : closed;
}
int __wrap_rename(const char* from, const char* to) {
    return failsNow() ? -1 : __real_rename(from, to);
}
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int reason = Reasons[data[1] % std::size(Reasons)];
    const bool stream = data[1] & 0x80;
    plan = {.failAt = data[0] % 16, .error = reason, .cutShort = (data[1] & 0x40) != 0};
    const std::string_view bytes = fuzz::asText(data + 2, size - 2);
    // EINTR is no failure: the writers try again.
    const auto failed = [] { return plan.failed && plan.error != EINTR; };

    const std::string folder = scratch() + "/out";
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    std::filesystem::create_directory(folder);
    const std::string path = folder + "/report.pdf";
    if (!stream) {
        const std::string old = "%PDF-1.4 the report printed before";
        std::ofstream(path, std::ios::binary) << old;
        plan.armed = true;
        const FileResult saved = writeFileAtomically(path, bytes);
        plan.armed = false;
        FUZZ_CHECK(entries(folder) == "report.pdf;");
        if (saved.ok) {
            FUZZ_CHECK(readAll(path) == bytes);
        } else {
            FUZZ_CHECK(failed() && readAll(path) == old);
            FUZZ_CHECK(saved.error == "Cannot save \"" + path + "\": " + std::strerror(plan.error) + ".");
        }
        return 0;
    }

    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    FUZZ_CHECK(fd >= 0);
    {
        cli::FdOutputBuffer buffer(fd);
        std::ostream out(&buffer);
        plan.armed = true;
        // In pieces with a flush after each, as the commands write their lines.
        for (std::size_t at = 0; at < bytes.size() && out; at += 700) {
            out << bytes.substr(at, 700);
            out.flush();
        }
        out.flush();
        plan.armed = false;
        FUZZ_CHECK(out.bad() == failed());
        FUZZ_CHECK(cli::streamError(out) == (failed() ? std::strerror(plan.error) : ""));
    }
    ::close(fd);
    const std::string written = readAll(path);
    FUZZ_CHECK(failed() ? bytes.starts_with(written) : written == bytes);
    return 0;
}
