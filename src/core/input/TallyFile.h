#pragma once

#include "core/file/AtomicFile.h"
#include "core/grid/Sheet.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace timbra {

// Tally files: the sheet's cells as text, cells separated by ",", each sheet row ended by a CR.
// docs/tally-files.md describes the format for users and for people writing converters.

struct LoadResult : FileResult {
    // (col, row) of the cells whose text the cell's editor would refuse; loaded all the same.
    std::vector<std::pair<int, int>> refusedCells;
    // Bytes that were not UTF-8 and were read as Windows-1252 characters, as older programs wrote them.
    std::size_t windows1252Bytes = 0;
    int fileRows = 0; // rows the file holds, blank ones past the sheet's edge included
    // Cells whose text was stored as typing it stores it: a list cell holds its list's entry
    // ("dominant" as "Dominant"), an upper-case text cell its text in upper case. Not marked.
    std::size_t cellsReadAsTyped = 0;
    // The first few distinct changes among them, in the file's order: the text read, the text stored.
    std::vector<std::pair<std::string, std::string>> readAsTypedExamples;
    static constexpr std::size_t MostReadAsTypedExamples = 3;
    bool moreReadAsTypedExamples = false; // other changes than those examples
};

// How many cells were read as typed, with the first few changes ("2 cells of the file were stored as
// typing would store them: dominant -> Dominant, fifth acre -> Fifth acre"); `file` names the file
// ("the file", a path). Empty when there are none.
std::string readAsTypedNotice(const LoadResult& loaded, const std::string& file);
// How many bytes were read as Windows-1252 ("3 bytes of the file are not UTF-8 and were read as
// Windows-1252 characters"), `file` as above. Empty when there are none.
std::string windows1252Notice(const LoadResult& loaded, const std::string& file);

// Writes every row and column of the sheet. An existing file is replaced only once the new content
// is safely on disk; on failure it is left exactly as it was.
FileResult saveTallyFile(const Sheet& sheet, const std::string& path);

// Replaces every value of the sheet with the file's cells, laid in from (1, 1); editors, lists and
// formats stay. All or nothing: on failure the sheet is untouched.
LoadResult loadTallyFile(Sheet& sheet, const std::string& path);

// The in-memory halves of the two above.
std::string formatTallyText(const Sheet& sheet);
// Rows firstRow to lastRow as formatTallyText writes them.
std::string formatTallyRows(const Sheet& sheet, int firstRow, int lastRow);
LoadResult loadTallyText(Sheet& sheet, std::string_view bytes, const std::string& nameForMessages);

// Limits on what Open reads: a tally is about 100 KiB, so anything near these is not a tally.
inline constexpr std::size_t MaxTallyFileBytes = 16 * 1024 * 1024;
inline constexpr std::size_t MaxTallyRowBytes = 64 * 1024;

} // namespace timbra
