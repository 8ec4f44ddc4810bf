// Tally files from anywhere: whatever the bytes, Open either refuses them and leaves the grid as it
// was, or takes them; and a tally it took, saved and opened again, gives back every cell.
#include "FuzzSupport.h"

#include "core/grid/TextEncoding.h"
#include "core/input/TallyFile.h"
#include "core/input/TallyLayout.h"

#include <vector>

using namespace timbra;

// Hashes of the rows saved and opened again, in a table made once (an input that allocates more than
// it frees is run twice by libFuzzer's leak check). A row's hash stays in its slot until another
// row takes the slot; that row is then checked again.
static std::vector<std::uint64_t> checkedRows(std::size_t{1} << 21);

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::asText(data, size);
    for (std::size_t b = 0; b < fuzz::benches().size(); ++b) {
        fuzz::TallyBench& bench = fuzz::benches()[b];
        Sheet& sheet = bench.sheet();
        const int reach = bench.reach(bytes); // rows after it are empty before and after Open
        const LoadResult first = loadTallyText(sheet, bytes, "fuzz.txt");
        // A refused file gives a reason and leaves the grid as it was: empty.
        FUZZ_CHECK(first.ok || (!first.error.empty() && fuzz::sameRows(sheet, 1, reach, bench.start(), 1)));
        if (!first.ok) continue;

        // Save as closes every quoted cell within its row, so Open reads each row of a saved tally
        // on its own; every tree row has the same editors; an empty row is saved as bare commas,
        // which read back as empty cells. So the round trip takes the header rows in place and, one
        // after another, the tree rows holding text that no input brought before (most inputs are a
        // few bytes away from an earlier one), then empty rows to the end of a grid cut to that
        // length: a file of the whole grid's shape, as Open reads a line break inside a cell only
        // from such a file.
        std::vector<int> kept;
        bool anyNew = false;
        for (int r = 1; r <= reach; ++r) {
            const bool header = r < FirstTreeRow;
            std::uint64_t hash = 8 * b + (header ? static_cast<std::uint64_t>(r) : 0); // program, place
            bool holdsText = false;
            for (int c = 1; c <= bench.cols(); ++c) {
                const std::string& text = sheet.GetText(c, r);
                hash = (hash ^ std::hash<std::string>{}(text)) * 0x100000001b3;
                holdsText = holdsText || !text.empty();
            }
            const bool isNew = (header || holdsText) &&
                               std::exchange(checkedRows[hash & (checkedRows.size() - 1)], hash) != hash;
            for (int c = 1; c <= bench.cols() && isNew; ++c)
                FUZZ_CHECK(isValidUtf8(sheet.GetText(c, r))); // a row seen before was checked then
            anyNew = anyNew || isNew;
            if (header || isNew) kept.push_back(r);
        }
        if (!anyNew) continue;
        const int keptRows = static_cast<int>(kept.size());
        Sheet& reopened = bench.cut(keptRows);
        std::string saved;
        for (int r : kept)
            saved += formatTallyRows(sheet, r, r);
        saved += formatTallyRows(bench.start(), keptRows + 1, reopened.GetMaxRows());

        const LoadResult second = loadTallyText(reopened, saved, "fuzz.txt");
        FUZZ_CHECK(second.ok);
        FUZZ_CHECK(second.cellsReadAsTyped == 0); // what Open stored is already as typing stores it
        for (int i = 1; i <= keptRows; ++i)
            FUZZ_CHECK(fuzz::sameRows(reopened, i, i, sheet, kept[static_cast<std::size_t>(i - 1)]));
        FUZZ_CHECK(fuzz::sameRows(reopened, keptRows + 1, reopened.GetMaxRows(), bench.start(), 1));
        // The same cells of these rows are refused, in the rows they were saved to.
        std::vector<std::pair<int, int>> refused;
        for (const auto& [c, r] : first.refusedCells)
            if (const auto at = std::lower_bound(kept.begin(), kept.end(), r); at != kept.end() && *at == r)
                refused.emplace_back(c, at - kept.begin() + 1);
        FUZZ_CHECK(second.refusedCells == refused);
    }
    return 0;
}
