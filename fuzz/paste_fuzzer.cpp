// Clipboard text pasted into a tally at any position: each cell is taken only in a form its editor
// accepts, nothing outside the pasted block changes, and the tally still saves and reopens whole.
#include "FuzzSupport.h"

#include "core/grid/SheetClipboard.h"
#include "core/input/TallyFile.h"

using namespace timbra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    // The first two bytes place the paste, a little past the sheet's edges included.
    const int col = data[0] % 12;
    const int row = data[1] % 16 == 15 ? 1490 + data[1] / 16 : data[1] % 16;
    const TextTable table = parseClipboardText(fuzz::asText(data + 2, size - 2));

    std::size_t cellsInTable = 0;
    int lastCol = col, lastRow = row + static_cast<int>(table.size()) - 1;
    for (const auto& cells : table) {
        cellsInTable += cells.size();
        lastCol = std::max(lastCol, col + static_cast<int>(cells.size()) - 1);
    }

    for (fuzz::TallyBench& bench : fuzz::benches()) {
        const Sheet& opening = bench.start();
        Sheet& tally = bench.sheet();
        const PasteResult pasted = pasteIntoSheet(tally, col, row, table);
        FUZZ_CHECK(static_cast<std::size_t>(pasted.written + pasted.unchanged + pasted.refused +
                                            pasted.refusedControl + pasted.outside +
                                            pasted.valuesPastLastRow) == cellsInTable);

        // The block's rows and one on each side: cells outside the block keep their text.
        const int first = std::max(row - 1, 1), last = std::min(lastRow + 1, bench.rows());
        for (int r = first; r <= last; ++r)
            for (int c = 1; c <= bench.cols(); ++c) {
                const std::string& text = tally.GetText(c, r);
                const bool inBlock = c >= col && c <= lastCol && r >= row && r <= lastRow;
                if (!inBlock) {
                    FUZZ_CHECK(text == opening.GetText(c, r));
                } else if (text != opening.GetText(c, r)) {
                    const auto again = tally.accept(c, r, text);
                    FUZZ_CHECK(again && *again == text);
                }
            }

        // The rows as Save as writes them come back from Open cell for cell (the rest of the tally
        // is as the bench started, which the tally_file target covers). Open gives a number its
        // cell's form, so the rows are reopened where the cells have the same editors: header rows
        // in place, tree rows from the first tree row on (every tree row has the same editors).
        const int at = std::min(first, 6);
        Sheet& reopened = bench.cut(at + last - first);
        const std::string saved =
            std::string(static_cast<std::size_t>(at - 1), '\r') + formatTallyRows(tally, first, last);
        const LoadResult back = loadTallyText(reopened, saved, "pasted.txt");
        FUZZ_CHECK(back.ok);
        FUZZ_CHECK(fuzz::sameRows(tally, first, last, reopened, at));
    }
    return 0;
}
