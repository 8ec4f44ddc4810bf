#include "core/tract/TractWorkbook.h"

#include "core/grid/TextEncoding.h"
#include "core/tract/TractColumns.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace timbra {

namespace {

// Columns wide enough for their texts, within reason (a long path is cut off in view, not lost).
constexpr double MinColumnWidth = 6, MaxColumnWidth = 60;

// A temporary file for the library to build the workbook in, removed when done.
struct TemporaryFile {
    std::string path;
    TemporaryFile() {
        std::string name = (std::filesystem::temp_directory_path() / "timbra-workbook-XXXXXX").string();
        const int fd = ::mkstemp(name.data());
        if (fd >= 0) {
            ::close(fd);
            path = name;
        }
    }
    ~TemporaryFile() {
        if (!path.empty()) ::unlink(path.c_str());
    }
};

void writeSheet(lxw_workbook* book, const ProgramProfile& profile, const std::vector<StandVerdict>& verdicts,
                int objective, lxw_format* heading, lxw_format* whole, lxw_format* decimal) {
    lxw_worksheet* sheet = workbook_add_worksheet(book, ("Objective " + std::to_string(objective)).c_str());
    const std::vector<TractColumn> columns = tractColumns(profile);
    std::vector<double> widths(columns.size(), MinColumnWidth);
    auto widen = [&](std::size_t c, const std::string& text) {
        widths[c] = std::clamp(static_cast<double>(text.size()) + 2, widths[c], MaxColumnWidth);
    };
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const std::string text = tractHeading(columns[c]);
        worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(c), text.c_str(), heading);
        widen(c, text);
    }
    for (std::size_t r = 0; r < verdicts.size(); ++r)
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const TractCell cell = tractCell(verdicts[r], objective, columns[c]);
            const auto row = static_cast<lxw_row_t>(r + 1);
            const auto col = static_cast<lxw_col_t>(c);
            if (cell.number)
                worksheet_write_number(sheet, row, col, *cell.number,
                                       cell.text.find('.') == std::string::npos ? whole : decimal);
            else if (!cell.text.empty())
                worksheet_write_string(sheet, row, col, toValidUtf8(cell.text).c_str(), nullptr);
            widen(c, cell.text);
        }
    for (std::size_t c = 0; c < columns.size(); ++c)
        worksheet_set_column(sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c), widths[c], nullptr);
    worksheet_freeze_panes(sheet, 1, 1);
    worksheet_autofilter(sheet, 0, 0, static_cast<lxw_row_t>(verdicts.size()),
                         static_cast<lxw_col_t>(columns.size() - 1));
}

} // namespace

FileResult saveTractWorkbook(const ProgramProfile& profile, const std::vector<StandVerdict>& verdicts,
                             const std::string& path) {
    auto failure = [&](const std::string& why) {
        return FileResult{false, "Cannot save \"" + path + "\": " + why + "."};
    };
    const TemporaryFile scratch;
    if (scratch.path.empty()) return failure(std::string("no temporary file: ") + std::strerror(errno));
    lxw_workbook* book = workbook_new(scratch.path.c_str());
    if (!book) return failure("the workbook could not be started");
    lxw_format* heading = workbook_add_format(book);
    format_set_bold(heading);
    lxw_format* whole = workbook_add_format(book);
    format_set_num_format(whole, "0");
    lxw_format* decimal = workbook_add_format(book);
    format_set_num_format(decimal, "0.0");
    for (int k = 1; k <= profile.objectiveCount; ++k)
        writeSheet(book, profile, verdicts, k, heading, whole, decimal);
    if (const lxw_error built = workbook_close(book); built != LXW_NO_ERROR)
        return failure(std::string("the workbook could not be built (") + lxw_strerror(built) + ")");

    std::ifstream in(scratch.path, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.good() && !in.eof()) return failure("the built workbook could not be read back");
    return writeFileAtomically(path, bytes);
}

} // namespace timbra
