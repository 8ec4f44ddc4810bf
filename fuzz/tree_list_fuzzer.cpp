// A headed tree list imported by the mapping guessed from its header, under both programs: every
// stand fits the grid or is left out whole, every cell an import fills is held by its editor or is
// in the audit as refused, the mapping survives its JSON file, and each tally saves and reopens whole.
#include "FuzzSupport.h"

#include "core/import/TallyImporter.h"
#include "core/input/TallyFile.h"

#include <algorithm>

using namespace timbra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const SourceRead read = readSourceText(fuzz::asText(data, size), "list.csv");
    if (!read.ok) return 0;
    static const TallyImporter importers[] = {TallyImporter(timbraProfile()),
                                              TallyImporter(lowtimbraProfile())};
    for (const TallyImporter& importer : importers) {
        const ImportMapping mapping = importer.guessMapping(read.table);
        std::string why;
        FUZZ_CHECK(mappingFromJson(mappingToJson(mapping), why) == mapping);
        const ImportResult result = importer.run(read.table, mapping);
        FUZZ_CHECK(result.ok);
        std::size_t counted = 0;
        for (const ReasonCount& c : result.counts())
            counted += static_cast<std::size_t>(c.count);
        FUZZ_CHECK(counted == result.audit.size());
        for (const ImportedStand& stand : result.stands) {
            FUZZ_CHECK(stand.leftOut == (stand.treesRead > TallyImporter::TreeRows));
            if (stand.leftOut) continue;
            const auto refusedHere =
                std::count_if(result.audit.begin(), result.audit.end(), [&](const AuditEntry& e) {
                    return e.stand == stand.key && e.kind == AuditEntry::Kind::Refused;
                });
            Sheet reopened = importer.profile().loadTallyGrid();
            const LoadResult back = loadTallyText(reopened, formatTallyText(stand.tally), "stand.txt");
            FUZZ_CHECK(back.ok);
            FUZZ_CHECK(static_cast<long>(back.refusedCells.size()) <= refusedHere);
            FUZZ_CHECK(formatTallyText(reopened) == formatTallyText(stand.tally));
        }
    }
    return 0;
}
