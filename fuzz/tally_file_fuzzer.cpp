// Tally files from anywhere: whatever the bytes, Open either refuses them and leaves the grid as it
// was, or takes them; and a tally it took, saved and opened again, gives back every cell.
#include "FuzzSupport.h"

#include "grid/TextEncoding.h"
#include "input/TallyFile.h"

using namespace timbra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::asText(data, size);
    for (const ProgramProfile* profile : fuzz::bothPrograms()) {
        const Sheet& opening = fuzz::openingTally(*profile);
        Sheet sheet = opening;
        const LoadResult first = loadTallyText(sheet, bytes, "fuzz.txt");
        if (!first.ok) {
            FUZZ_CHECK(!first.error.empty());
            FUZZ_CHECK(fuzz::sameCells(sheet, opening));
            continue;
        }
        for (int r = 1; r <= sheet.GetMaxRows(); ++r)
            for (int c = 1; c <= sheet.GetMaxCols(); ++c)
                FUZZ_CHECK(isValidUtf8(sheet.GetText(c, r)));

        const std::string saved = formatTallyText(sheet);
        Sheet reopened = opening;
        const LoadResult second = loadTallyText(reopened, saved, "fuzz.txt");
        FUZZ_CHECK(second.ok);
        FUZZ_CHECK(fuzz::sameCells(reopened, sheet));
        FUZZ_CHECK(second.refusedCells == first.refusedCells);
        FUZZ_CHECK(formatTallyText(reopened) == saved);
    }
    return 0;
}
