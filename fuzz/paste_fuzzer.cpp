// Clipboard text pasted into a tally at any position: each cell is taken only in a form its editor
// accepts, nothing outside the pasted block changes, and the tally still saves and reopens whole.
#include "FuzzSupport.h"

#include "grid/SheetClipboard.h"
#include "input/TallyFile.h"

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

    for (const ProgramProfile* profile : fuzz::bothPrograms()) {
        const Sheet& opening = fuzz::openingTally(*profile);
        Sheet tally = opening;
        const PasteResult pasted = pasteIntoSheet(tally, col, row, table);
        FUZZ_CHECK(static_cast<std::size_t>(pasted.written + pasted.unchanged + pasted.refused +
                                            pasted.refusedControl + pasted.outside +
                                            pasted.valuesPastLastRow) == cellsInTable);

        for (int r = 1; r <= tally.GetMaxRows(); ++r)
            for (int c = 1; c <= tally.GetMaxCols(); ++c) {
                const std::string& text = tally.GetText(c, r);
                const bool inBlock = c >= col && c <= lastCol && r >= row && r <= lastRow;
                if (!inBlock) {
                    FUZZ_CHECK(text == opening.GetText(c, r));
                } else if (text != opening.GetText(c, r)) {
                    const auto again = tally.accept(c, r, text);
                    FUZZ_CHECK(again && *again == text);
                }
            }

        Sheet reopened = opening;
        const LoadResult back = loadTallyText(reopened, formatTallyText(tally), "pasted.txt");
        FUZZ_CHECK(back.ok);
        FUZZ_CHECK(fuzz::sameCells(reopened, tally));
    }
    return 0;
}
