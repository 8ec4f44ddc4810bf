#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace timbra::cli {

// One line of comma-separated cells, quoted as tally files quote them, ended by LF.
std::string csvLine(const std::vector<std::string>& cells);

// The text with its control characters shown as escapes ("\x1B", "\u009B"), for readable output on
// a terminal: a tally's cells can then neither send terminal commands nor break a line or a row.
std::string visible(std::string_view text);

// An error line on standard error, "timbra-cli: " and the text as visible() shows it: a file name
// with a line break stays on its one line, and no escape sequence in it reaches the terminal.
void printError(std::string_view text, std::ostream& err);

// Rows laid out in columns two spaces apart, every cell shown as visible() shows it;
// `rightAligned[c]` right-aligns column c. A row shorter than the others leaves its missing cells
// out; its last cell may run on.
void printAligned(const std::vector<std::vector<std::string>>& rows, const std::vector<bool>& rightAligned,
                  std::ostream& out);

} // namespace timbra::cli
