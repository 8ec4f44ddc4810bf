// Tally files are read and written with POSIX calls, so that every failure is seen where it happens.
#include "core/input/TallyFile.h"

#include "core/file/AtomicFile.h"
#include "core/file/PosixFile.h"

#include "core/grid/CellEditor.h"
#include "core/grid/DelimitedText.h"
#include "core/grid/SameText.h"
#include "core/grid/TextEncoding.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <utility>

namespace timbra {

namespace {

constexpr char Delimiter = ',';

// Cells past the sheet's edge that may be dropped: what the blanking commands write into a tree row.
// A bottomland tally has one tree row more than the upland grid, and it holds just these.
bool isBlankOrZero(std::string_view text) {
    if (text.empty() || text == " ") return true;
    const auto v = parseNumber(text);
    return v && *v == 0;
}

LoadResult loadFailure(const std::string& path, const std::string& why) {
    LoadResult r;
    r.ok = false;
    r.error = "Cannot open \"" + path + "\": " + why + ".";
    return r;
}

// The file's cells laid into a sheet of cols x rows, or why they do not fit. The cells view the text
// read, or `decoded` for quoted cells with doubled quotes.
struct CellsRead {
    std::vector<std::string_view> cells; // row by row, up to the last row the file reaches
    std::deque<std::string> decoded;     // a deque: its texts stay where they are as it grows
    std::string error;
    bool quotedCellSpannedRows = false;
    bool evenRows = true;   // every row holding text has as many cells as the first
    bool savedShape = true; // rows x cols cells, as Save as writes a tally
    int fileRows = 0;
    std::size_t longestRow = 0; // bytes
};

CellsRead readCells(std::string_view body, int cols, int rows, bool quoting) {
    CellsRead read;
    DelimitedReader reader(body, Delimiter, quoting);
    read.cells.reserve(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
    std::string_view cell;
    std::string decoded;
    bool lastInRow = false, rowHoldsText = false;
    int row = 1, col = 1, firstRowCells = 0;
    std::size_t rowStart = 0;
    const auto where = [&row] { return "row " + std::to_string(row) + " of the file"; };
    while (reader.next(cell, decoded, lastInRow) == DelimitedReader::Status::Cell) {
        if (reader.position() - rowStart > MaxTallyRowBytes) {
            read.error = where() + " is longer than " + std::to_string(MaxTallyRowBytes >> 10) +
                         " KiB, far longer than any tally row";
            return read;
        }
        rowHoldsText = rowHoldsText || !cell.empty();
        if (row <= rows && col <= cols) {
            if (col == 1) read.cells.resize(static_cast<std::size_t>(row) * static_cast<std::size_t>(cols));
            if (!cell.empty() && cell.data() == decoded.data())
                cell = read.decoded.emplace_back(std::move(decoded));
            read.cells[static_cast<std::size_t>(row - 1) * static_cast<std::size_t>(cols) +
                       static_cast<std::size_t>(col - 1)] = cell;
        } else if (!isBlankOrZero(cell)) {
            read.error =
                row > rows ? where() + " holds data, but the tally has only " + std::to_string(rows) + " rows"
                           : where() + " holds data in column " + std::to_string(col) +
                                 ", but the tally has only " + std::to_string(cols) + " columns";
            return read;
        }
        if (lastInRow) {
            read.longestRow = std::max(read.longestRow, reader.position() - rowStart);
            if (row == 1)
                firstRowCells = col;
            else if (rowHoldsText && col != firstRowCells)
                read.evenRows = false;
            read.savedShape = read.savedShape && col == cols;
            ++row;
            col = 1;
            rowStart = reader.position();
            rowHoldsText = false;
        } else {
            ++col;
        }
    }
    read.quotedCellSpannedRows = reader.quotedCellSpannedRows();
    read.longestRow = std::max(read.longestRow, reader.position() - rowStart); // a last row without its end
    read.fileRows = col == 1 ? row - 1 : row;
    read.savedShape = read.savedShape && row == rows + 1;
    return read;
}

// What Open makes of a cell's text: the form the cell takes it in, its number reading in a number
// cell, and whether the cell's editor refuses it (it is loaded all the same).
struct Verdict {
    std::string_view form;
    std::optional<double> number;
    bool isNumberCell = false;
    bool refused = false;
    bool readAsTyped = false; // a list's entry or upper-case text in place of the file's text
};

// Every cell takes the form typing gives it: a number its cell's one form ("1" in a tree number is
// "1.00"), a list cell its list's entry ("dominant" is "Dominant"), an upper-case cell upper-case text.
// Each number is parsed once, for its form, for the verdict and for the Run's reads. A form other than
// the text is kept in `forms`. `deciding` is the cell's deciding editor, asked directly when there is one.
Verdict judge(const Sheet& sheet, int c, int r, const CellEditor* deciding, std::string_view text,
              std::deque<std::string>& forms) {
    Verdict v{text, std::nullopt, false, false, false};
    const CellEditor& editor = deciding ? *deciding : sheet.editorAt(c, r);
    const CellEditor::Kind kind = editor.kind;
    if (kind == CellEditor::Kind::List || (kind == CellEditor::Kind::Text && editor.upperCase)) {
        auto form = deciding ? deciding->accept(text) : sheet.accept(c, r, text);
        v.refused = !form;
        if (form && *form != text) {
            v.form = forms.emplace_back(std::move(*form));
            v.readAsTyped = true;
        }
        return v;
    }
    v.isNumberCell = kind == CellEditor::Kind::Integer || kind == CellEditor::Kind::Float;
    if (v.isNumberCell) {
        v.number = parseNumber(text);
        if (auto form = deciding ? deciding->accept(text, v.number) : sheet.accept(c, r, text, v.number)) {
            // What the cell accepts it holds.
            if (*form != text) {
                v.form = forms.emplace_back(std::move(*form));
                // A number cell's form is its number written out, which reads back as that number
                // ("17" is "17.00" in a tree number, "-0" is "0"): no second parse for every tree.
                v.number = *v.number + 0.0;
            }
            return v;
        }
    }
    // A 0 in a number cell and a cell's own caption are what the dialog and Save as write.
    v.refused = !(deciding ? deciding->holds(text) : sheet.holds(c, r, text));
    return v;
}

// A tally repeats a few dozen texts in each column, and where a cell's editor alone decides, its
// verdict depends on nothing but the editor and the text: each such pair is judged once per file. A
// slot holds the last pair that hashed to it, so a file of all-different texts costs one hash a cell.
// The tree numbers alone are 1,495 different texts, so there is room for four times as many pairs,
// lest they push out the texts that repeat.
class VerdictMemo {
public:
    Verdict judge(const Sheet& sheet, int c, int r, std::string_view text, std::deque<std::string>& forms) {
        const CellEditor* editor = sheet.decidingEditor(c, r);
        if (!editor) return timbra::judge(sheet, c, r, nullptr, text, forms);
        Entry& e = entries_[slotOf(editor, text)];
        if (e.editor != editor || !sameText(e.text, text))
            e = {editor, text, timbra::judge(sheet, c, r, editor, text, forms)};
        return e.verdict;
    }

private:
    // Eight bytes of text at a time, the last eight overlapping the ones before; a text under eight
    // bytes is read as two four-byte or three one-byte pieces. Cells are short and their lengths
    // follow no pattern, so a loop byte by byte would mispredict its end at nearly every cell.
    static std::size_t slotOf(const CellEditor* editor, std::string_view text) {
        constexpr std::uint64_t Multiplier = 0x9E3779B97F4A7C15u;
        const char* p = text.data();
        const std::size_t n = text.size();
        std::uint64_t hash = reinterpret_cast<std::uintptr_t>(editor) ^ n;
        const auto mix = [&hash](std::uint64_t word) { hash = (hash ^ word) * Multiplier; };
        if (n >= 8) {
            for (std::size_t i = 0; i + 8 < n; i += 8)
                mix(load<std::uint64_t>(p + i));
            mix(load<std::uint64_t>(p + n - 8));
        } else if (n >= 4) {
            mix(std::uint64_t{load<std::uint32_t>(p)} << 32 | load<std::uint32_t>(p + n - 4));
        } else if (n > 0) {
            const auto byte = [p](std::size_t i) { return std::uint64_t{static_cast<unsigned char>(p[i])}; };
            mix(byte(0) << 16 | byte(n / 2) << 8 | byte(n - 1));
        }
        return (hash >> 40) & (Slots - 1);
    }
    template <typename Word> static Word load(const char* at) {
        Word w;
        std::memcpy(&w, at, sizeof w);
        return w;
    }

    struct Entry {
        const CellEditor* editor = nullptr;
        std::string_view text;
        Verdict verdict;
    };
    static constexpr std::size_t Slots = 2048;
    std::vector<Entry> entries_ = std::vector<Entry>(Slots);
};

// Counts a cell read as typed and keeps its change as an example while there is room.
void noteReadAsTyped(LoadResult& result, std::string_view text, std::string_view form) {
    ++result.cellsReadAsTyped;
    auto& examples = result.readAsTypedExamples;
    for (const auto& [seenText, seenForm] : examples)
        if (seenText == text) return;
    if (examples.size() < LoadResult::MostReadAsTypedExamples)
        examples.emplace_back(text, form);
    else
        result.moreReadAsTypedExamples = true;
}

// A text as a notice quotes it: in quotes where blanks at its ends would not show, and cut short
// where it is long (a list entry with a row's worth of spaces around it).
std::string quotedForNotice(std::string_view text) {
    constexpr std::size_t MostBytes = 40;
    std::string shown(text.substr(0, MostBytes));
    if (text.size() > MostBytes) {
        while (!shown.empty() && (static_cast<unsigned char>(shown.back()) & 0xC0) == 0x80)
            shown.pop_back(); // the rest of a character cut in two
        if (!shown.empty() && static_cast<unsigned char>(shown.back()) >= 0xC0) shown.pop_back();
        shown += "...";
    }
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    if (!text.empty() && (blank(text.front()) || blank(text.back()))) return "\"" + shown + "\"";
    return shown;
}

} // namespace

std::string readAsTypedNotice(const LoadResult& loaded, const std::string& file) {
    if (loaded.cellsReadAsTyped == 0) return {};
    const bool one = loaded.cellsReadAsTyped == 1;
    std::string notice =
        std::to_string(loaded.cellsReadAsTyped) + (one ? " cell of " : " cells of ") + file +
        (one ? " was stored as typing would store it: " : " were stored as typing would store them: ");
    for (std::size_t i = 0; i < loaded.readAsTypedExamples.size(); ++i) {
        const auto& [text, form] = loaded.readAsTypedExamples[i];
        notice += (i ? ", " : "") + quotedForNotice(text) + " -> " + form;
    }
    if (loaded.moreReadAsTypedExamples) notice += ", among others";
    return notice;
}

std::string windows1252Notice(const LoadResult& loaded, const std::string& file) {
    const std::size_t bytes = loaded.windows1252Bytes;
    if (bytes == 0) return {};
    if (bytes == 1) return "1 byte of " + file + " is not UTF-8 and was read as a Windows-1252 character";
    return std::to_string(bytes) + " bytes of " + file +
           " are not UTF-8 and were read as Windows-1252 characters";
}

std::string formatTallyText(const Sheet& sheet) {
    return formatTallyRows(sheet, 1, sheet.GetMaxRows());
}

std::string formatTallyRows(const Sheet& sheet, int firstRow, int lastRow) {
    std::string out;
    for (int r = std::max(firstRow, 1); r <= std::min(lastRow, sheet.GetMaxRows()); ++r) {
        for (int c = 1; c <= sheet.GetMaxCols(); ++c) {
            if (c > 1) out.push_back(Delimiter);
            out += quoteCell(sheet.GetText(c, r), Delimiter);
        }
        out.push_back('\r');
    }
    return out;
}

LoadResult loadTallyText(Sheet& sheet, std::string_view bytes, const std::string& name) {
    if (bytes.size() > MaxTallyFileBytes)
        return loadFailure(name, "the file is larger than " + std::to_string(MaxTallyFileBytes >> 20) +
                                     " MiB, far larger than any tally");
    // An empty file may come as a null pointer, which memchr must not be given.
    if (const void* nul = bytes.empty() ? nullptr : std::memchr(bytes.data(), 0, bytes.size()))
        return loadFailure(name, "it is not a text file (it holds a NUL byte at byte " +
                                     std::to_string(static_cast<const char*>(nul) - bytes.data() + 1) + ")");

    // Nearly every tally is UTF-8 already and is read where it lies.
    std::size_t windows1252Bytes = 0;
    std::string converted;
    std::string_view body = bytes;
    if (!isValidUtf8(bytes)) body = converted = toValidUtf8(bytes, &windows1252Bytes);
    if (body.starts_with("\xEF\xBB\xBF")) body.remove_prefix(3); // byte-order mark of some editors

    const int cols = sheet.GetMaxCols(), rows = sheet.GetMaxRows();
    CellsRead read = readCells(body, cols, rows, true);
    // An older file's cell may begin with a quote and a later one end with a quote; read quoted, the
    // text between them would run over several rows and shift every cell after it. When the quoted
    // reading is not the shape Save as writes and plain reading gives the even rows of a tally, the
    // file was never quoted.
    if (read.quotedCellSpannedRows && !(read.error.empty() && read.savedShape)) {
        CellsRead plain = readCells(body, cols, rows, false);
        if (plain.error.empty() && plain.evenRows) read = std::move(plain);
    }
    if (!read.error.empty()) return loadFailure(name, read.error);
    const std::vector<std::string_view>& cells = read.cells;
    const int rowsRead = static_cast<int>(cells.size() / static_cast<std::size_t>(cols));
    const auto index = [cols](int c, int r) {
        return static_cast<std::size_t>(r - 1) * static_cast<std::size_t>(cols) +
               static_cast<std::size_t>(c - 1);
    };

    // Each cell's text and its form, judged where it is needed: the limits below are met by every
    // real tally without looking at the cells, and the cells are judged once more only when they must.
    VerdictMemo memo;
    const auto verdict = [&](int c, int r) {
        return memo.judge(sheet, c, r, cells[index(c, r)], read.decoded);
    };

    // What Open takes, Save as must write in a form Open takes again, so the limits also hold for the
    // tally as it will be written: quotes read as plain text are doubled there, and text of an older
    // Windows tally takes more bytes as UTF-8. Each cell is written with the comma or the row end
    // after it; the rows the file does not reach are written empty. A cell takes at most twice its
    // bytes and two quotes, and a number's own form within its limits at most 64 bytes, so a tally
    // well inside the limits (every real one) needs no count.
    constexpr std::size_t MostPerCell = 64 + 3;
    const bool surelyFits =
        2 * body.size() + MostPerCell * static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows) <=
            MaxTallyFileBytes &&
        2 * read.longestRow + MostPerCell * static_cast<std::size_t>(cols) <= MaxTallyRowBytes;
    std::size_t savedBytes = static_cast<std::size_t>(rows - rowsRead) * static_cast<std::size_t>(cols);
    for (int r = 1; r <= rowsRead && !surelyFits; ++r) {
        std::size_t rowBytes = 0;
        for (int c = 1; c <= cols; ++c)
            rowBytes += quotedSize(verdict(c, r).form, Delimiter) + 1;
        if (rowBytes > MaxTallyRowBytes)
            return loadFailure(name, "row " + std::to_string(r) + " of the file is longer than " +
                                         std::to_string(MaxTallyRowBytes >> 10) +
                                         " KiB as the tally is saved, far longer than any tally row");
        savedBytes += rowBytes;
    }
    if (savedBytes > MaxTallyFileBytes)
        return loadFailure(name, "the tally would be larger than " + std::to_string(MaxTallyFileBytes >> 20) +
                                     " MiB once saved, far larger than any tally");

    LoadResult result;
    result.windows1252Bytes = windows1252Bytes;
    result.fileRows = read.fileRows;
    for (int r = 1; r <= rowsRead; ++r)
        for (int c = 1; c <= cols; ++c) {
            const Verdict v = verdict(c, r);
            if (v.refused) result.refusedCells.emplace_back(c, r);
            if (v.readAsTyped) noteReadAsTyped(result, cells[index(c, r)], v.form);
            if (v.isNumberCell)
                sheet.setParsedText(c, r, v.form, v.number);
            else
                sheet.SetText(c, r, v.form);
        }
    // Cells the file does not reach are emptied; every editor takes an empty cell.
    sheet.clearTextAfterRow(rowsRead);
    return result;
}

FileResult saveTallyFile(const Sheet& sheet, const std::string& path) {
    return writeFileAtomically(path, formatTallyText(sheet));
}

LoadResult loadTallyFile(Sheet& sheet, const std::string& path) {
    const FileBytes file = readRegularFile(path, MaxTallyFileBytes, true);
    if (!file.error.empty()) return loadFailure(path, file.error);
    return loadTallyText(sheet, file.bytes, path);
}

} // namespace timbra
