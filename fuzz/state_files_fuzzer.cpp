// The programs' own state files, whatever they hold and whatever stands in their place: the first
// byte says what stands where the recovery copy and where its side file are (a file, a link out of
// the folder, a link to an endless device, a pipe, a folder), the second where the rest of the bytes
// split into the copy's and the side file's content. Reading never blocks or reads through a link;
// a copy that is no file is refused and leaves the grid as it was; a copy read, written back with
// what its side file said and read again, gives the same text and the same time, source and kind;
// writing leaves regular files in both places; and the file a link points at is never changed.
#include "FuzzSupport.h"

#include "core/input/RecoveryFile.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

using namespace timbra;

namespace {

enum Place { RegularFile, LinkOut, LinkToZero, Pipe, Folder, PlaceCount };

// A scratch folder made once: "state" holds the state files, "outside" the file links point at.
const std::string& scratch() {
    static const std::string folder = [] {
        std::string name = (std::filesystem::temp_directory_path() / "timbra-state-fuzz-XXXXXX").string();
        return std::string(::mkdtemp(name.data()));
    }();
    return folder;
}

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void put(const std::string& path, Place place, std::string_view bytes, const std::string& outside) {
    switch (place) {
    case RegularFile:
        std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        break;
    case LinkOut:
        FUZZ_CHECK(::symlink(outside.c_str(), path.c_str()) == 0);
        break;
    case LinkToZero:
        FUZZ_CHECK(::symlink("/dev/zero", path.c_str()) == 0);
        break;
    case Pipe:
        FUZZ_CHECK(::mkfifo(path.c_str(), 0600) == 0);
        break;
    default:
        FUZZ_CHECK(::mkdir(path.c_str(), 0700) == 0);
        break;
    }
}

bool isRegular(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const auto copyPlace = static_cast<Place>(data[0] % PlaceCount);
    const auto sidePlace = static_cast<Place>(data[0] / PlaceCount % PlaceCount);
    fuzz::TallyBench& bench = fuzz::benches()[data[0] / (PlaceCount * PlaceCount) % 2];
    const std::string_view bytes = fuzz::asText(data + 2, size - 2);
    const std::size_t split = bytes.size() * data[1] / 255;

    const std::string folder = scratch() + "/state", outside = scratch() + "/outside.txt";
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    std::filesystem::create_directory(folder);
    const std::string outsideText = "Stand Name,,Not a state file\r";
    std::ofstream(outside, std::ios::binary) << outsideText;
    const RecoveryFile copy(folder, "timbra", "1");
    put(copy.tallyPath(), copyPlace, bytes.substr(0, split), outside);
    put(copy.infoPath(), sidePlace, bytes.substr(split), outside);

    Sheet& sheet = bench.sheet();
    const RecoveredTally first = copy.read(sheet);
    if (copyPlace != RegularFile)
        FUZZ_CHECK(!first.ok && fuzz::sameRows(sheet, 1, bench.rows(), bench.start(), 1));
    if (sidePlace != RegularFile) FUZZ_CHECK(first.info.source.empty() && !first.info.left);
    if (first.ok) {
        FUZZ_CHECK(first.text == bytes.substr(0, split));
        FUZZ_CHECK(copy.write(first.text, first.info).ok);
        FUZZ_CHECK(isRegular(copy.tallyPath()) && isRegular(copy.infoPath()));
        const RecoveredTally second = copy.read(bench.sheet());
        FUZZ_CHECK(second.ok && second.text == first.text);
        FUZZ_CHECK(second.info.writtenAt == first.info.writtenAt && second.info.source == first.info.source &&
                   second.info.left == first.info.left);
    }
    copy.remove();
    FUZZ_CHECK(!copy.exists() || copyPlace == Folder);
    FUZZ_CHECK(readAll(outside) == outsideText);
    return 0;
}
