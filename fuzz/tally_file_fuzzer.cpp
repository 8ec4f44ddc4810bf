// Tally files from anywhere: whatever the bytes, Open either refuses them and leaves the grid as it
// was, or takes them; and a tally it took, saved and opened again, gives back every cell.
#include "FuzzSupport.h"

#include "grid/TextEncoding.h"
#include "input/TallyFile.h"

using namespace timbra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::asText(data, size);
    for (fuzz::TallyBench& bench : fuzz::benches()) {
        Sheet& sheet = bench.sheet();
        int reach = bench.reach(bytes); // rows after it are empty before and after Open
        const LoadResult first = loadTallyText(sheet, bytes, "fuzz.txt");
        if (!first.ok) {
            FUZZ_CHECK(!first.error.empty());
            FUZZ_CHECK(bench.unchanged(1, reach));
            continue;
        }
        bool lineBreakInCell = false;
        for (int r = 1; r <= reach; ++r)
            for (int c = 1; c <= bench.cols(); ++c) {
                const std::string& text = sheet.GetText(c, r);
                FUZZ_CHECK(isValidUtf8(text));
                lineBreakInCell = lineBreakInCell || text.find_first_of("\r\n") != std::string::npos;
            }

        // The empty rows after the reach are saved as bare commas, which read back as empty cells, so
        // the file as saved up to the reach stands for the whole. Not so for a cell holding a line
        // break: Open reads it in a quoted cell only from a file of the whole grid's shape.
        if (lineBreakInCell) reach = bench.rows();
        const std::string saved = formatTallyRows(sheet, 1, reach);
        Sheet& reopened = bench.sheet(1);
        const LoadResult second = loadTallyText(reopened, saved, "fuzz.txt");
        FUZZ_CHECK(second.ok);
        FUZZ_CHECK(fuzz::sameRows(reopened, 1, reach, sheet, 1));
        FUZZ_CHECK(second.refusedCells == first.refusedCells); // and the same cells save the same text
        bench.reset();
        bench.reset(1);
    }
    return 0;
}
