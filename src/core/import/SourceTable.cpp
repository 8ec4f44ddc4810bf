// Headed tree lists are read with POSIX calls, as tallies are, so that every failure is seen.
#include "core/import/SourceTable.h"

#include "core/file/PosixFile.h"
#include "core/grid/DelimitedText.h"
#include "core/grid/TextEncoding.h"
#include "core/grid/TrimSpaces.h"
#include "core/input/TallyFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace timbra {

namespace {

constexpr char Candidates[] = {',', ';', '\t'};
constexpr int LinesToGuessFrom = 6;

SourceRead failure(const std::string& name, const std::string& why) {
    SourceRead r;
    r.ok = false;
    r.error = "Cannot import \"" + name + "\": " + why + ".";
    return r;
}

// The number of cells each of the first lines splits into with `delimiter`, quotes respected.
std::vector<int> cellsPerLine(std::string_view text, char delimiter) {
    std::vector<int> counts;
    DelimitedReader reader(text, delimiter);
    std::string_view cell;
    std::string decoded;
    bool last = false;
    int cells = 0;
    while (counts.size() < LinesToGuessFrom &&
           reader.next(cell, decoded, last) == DelimitedReader::Status::Cell) {
        ++cells;
        if (last) {
            counts.push_back(cells);
            cells = 0;
        }
    }
    if (cells > 0) counts.push_back(cells);
    return counts;
}

} // namespace

const std::string& SourceTable::cell(std::size_t row, int col) const {
    static const std::string none;
    const auto& cells = rows[row];
    return col >= 0 && static_cast<std::size_t>(col) < cells.size() ? cells[static_cast<std::size_t>(col)]
                                                                    : none;
}

int SourceTable::columnNamed(std::string_view name) const {
    for (std::size_t i = 0; i < header.size(); ++i)
        if (header[i] == name) return static_cast<int>(i);
    return -1;
}

char guessDelimiter(std::string_view text) {
    char best = ',';
    int bestCells = 1;
    bool bestEven = false;
    for (char d : Candidates) {
        const std::vector<int> counts = cellsPerLine(text, d);
        if (counts.empty() || counts.front() < 2) continue;
        const bool even =
            std::all_of(counts.begin(), counts.end(), [&](int n) { return n == counts.front(); });
        // Lines that split evenly beat lines that do not; then more cells beat fewer.
        if ((even && !bestEven) || (even == bestEven && counts.front() > bestCells)) {
            best = d;
            bestCells = counts.front();
            bestEven = even;
        }
    }
    return best;
}

std::string delimiterName(char delimiter) {
    switch (delimiter) {
    case ',':
        return "comma";
    case ';':
        return "semicolon";
    case '\t':
        return "tab";
    }
    return std::string(1, delimiter);
}

SourceRead readSourceText(std::string_view bytes, const std::string& name, std::optional<char> delimiter) {
    if (bytes.size() > MaxTallyFileBytes)
        return failure(name, "the file is larger than " + std::to_string(MaxTallyFileBytes >> 20) + " MiB");
    if (!bytes.empty() && std::memchr(bytes.data(), 0, bytes.size()))
        return failure(name, "it is not a text file (it holds a NUL byte)");

    SourceRead read;
    std::string converted;
    std::string_view body = bytes;
    if (!isValidUtf8(bytes)) body = converted = toValidUtf8(bytes, &read.table.windows1252Bytes);
    if (body.starts_with("\xEF\xBB\xBF")) body.remove_prefix(3);

    SourceTable& t = read.table;
    t.delimiter = delimiter ? *delimiter : guessDelimiter(body);
    DelimitedReader reader(body, t.delimiter);
    std::string_view cell;
    std::string decoded;
    bool last = false;
    int line = 1;
    std::size_t rowStart = 0;
    std::vector<std::string> row;
    bool headerRead = false;
    while (reader.next(cell, decoded, last) == DelimitedReader::Status::Cell) {
        if (reader.position() - rowStart > MaxTallyRowBytes)
            return failure(name, "row " + std::to_string(line) + " of the file is longer than " +
                                     std::to_string(MaxTallyRowBytes >> 10) + " KiB");
        row.emplace_back(trimSpaces(cell));
        if (!last) continue;
        const bool holdsText =
            std::any_of(row.begin(), row.end(), [](const std::string& c) { return !c.empty(); });
        if (!headerRead) {
            if (holdsText) {
                t.header = std::move(row);
                headerRead = true;
            }
        } else if (holdsText) {
            t.rows.push_back(std::move(row));
            t.lines.push_back(line);
        }
        row.clear();
        ++line;
        rowStart = reader.position();
    }
    if (!headerRead) return failure(name, "it holds no header row");
    return read;
}

SourceRead readSourceFile(const std::string& path, std::optional<char> delimiter) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return failure(path, std::strerror(errno));
    if (!S_ISREG(st.st_mode)) return failure(path, kindOf(st.st_mode));
    Fd file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK)};
    if (file.fd < 0) return failure(path, std::strerror(errno));
    // One byte past the limit, so that a file too large is seen as one.
    std::string bytes(MaxTallyFileBytes + 1, '\0');
    std::size_t used = 0;
    while (used < bytes.size()) {
        const ssize_t n = ::read(file.fd, bytes.data() + used, bytes.size() - used);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return failure(path, std::strerror(errno));
        if (n == 0) break;
        used += static_cast<std::size_t>(n);
    }
    bytes.resize(used);
    return readSourceText(bytes, path, delimiter);
}

} // namespace timbra
