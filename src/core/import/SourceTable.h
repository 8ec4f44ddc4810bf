#pragma once

#include "core/file/AtomicFile.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace timbra {

// A headed tree list as read from a comma, semicolon or tab separated file: the header row's names
// and every row below it that holds anything, cells without their surrounding spaces.
struct SourceTable {
    char delimiter = ',';
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows; // as long as the file made them
    std::vector<int> lines;                     // each row's row number in the file (the header is 1)
    std::size_t windows1252Bytes = 0;           // bytes that were not UTF-8, read as Windows-1252

    // The cell of `row` under header column `col` (from 0); empty past the row's end.
    const std::string& cell(std::size_t row, int col) const;
    // The header column with this name (the first of equal names), or -1.
    int columnNamed(std::string_view name) const;
};

struct SourceRead : FileResult {
    SourceTable table;
};

// The delimiter a file's first lines suggest: of comma, semicolon and tab, the one found in the header
// line that splits the lines after it into as many cells; a comma when none does.
char guessDelimiter(std::string_view text);

// Reads the text as Open reads a tally: at most 16 MiB and rows of at most 64 KiB, UTF-8 or else
// Windows-1252, quoted cells with doubled quotes. Without a delimiter the text's own is guessed.
SourceRead readSourceText(std::string_view bytes, const std::string& nameForMessages,
                          std::optional<char> delimiter = std::nullopt);
SourceRead readSourceFile(const std::string& path, std::optional<char> delimiter = std::nullopt);

// The name of a delimiter for people ("comma", "semicolon", "tab").
std::string delimiterName(char delimiter);

} // namespace timbra
