#pragma once

#include "core/app/ProgramProfile.h"
#include "core/grid/Sheet.h"
#include "core/import/ImportMapping.h"
#include "core/import/SourceTable.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace timbra {

// One row or value that an import refuses, changes or leaves out, with the reason the user is given:
// for a refused value the cell editor's own words, the same as typing it.
struct AuditEntry {
    enum class Kind { Refused, Changed, RowLeftOut, StandLeftOut };
    Kind kind = Kind::Refused;
    int line = 0;      // the file's row (the header is row 1); 0 for a whole stand
    std::string stand; // the stand column's value; empty for a file of one stand
    std::optional<Field> field;
    std::string read;    // the value as the file gives it
    std::string becomes; // what the cell holds: refused values too, marked as Open marks them
    std::string reason;
};

// How many entries share a field and a reason, in the order they first occur.
struct ReasonCount {
    AuditEntry::Kind kind;
    std::optional<Field> field;
    std::string reason;
    int count = 0;
};

// One stand of the file as a tally sheet: the program's opening grid with the header and the trees
// laid in, refused values included (marked once the tally is opened).
struct ImportedStand {
    std::string key; // the stand column's value; empty for a file of one stand
    Sheet tally;
    int rowsRead = 0;     // the file's rows of this stand
    int treesRead = 0;    // the trees among them, laid into the tally unless the stand is left out
    bool leftOut = false; // more trees than the grid has tree rows: no tally is made
};

struct ImportResult {
    bool ok = true;
    std::string error; // a column the mapping names is not in the file
    std::vector<ImportedStand> stands;
    std::vector<AuditEntry> audit;
    int rows = 0; // the file's rows below the header that hold anything

    std::vector<ReasonCount> counts() const;
    // Every row became a tree of a written tally and no value was refused.
    bool everythingTaken() const;
};

// Turns headed tree lists into tallies of one program: guesses a mapping for a file and imports the
// file by it. Every value goes through the tally grid's own cell editors, so an import takes exactly
// what typing takes. Holds the program's opening grid, so one importer serves many files.
class TallyImporter {
public:
    explicit TallyImporter(const ProgramProfile& profile);

    const ProgramProfile& profile() const { return *profile_; }
    // The fields this program's tally has (the province only where it has one).
    bool offers(Field f) const;
    // The editor that judges a field's values; a list editor's items are what values map to.
    const CellEditor& editorOf(Field f) const;
    bool isListField(Field f) const { return editorOf(f).kind == CellEditor::Kind::List; }
    // The grid's tree rows: a stand with more trees is left out.
    static constexpr int TreeRows = LastTreeRow - FirstTreeRow + 1;

    // A mapping guessed from the file's header names, with the units the names suggest and the
    // list entries guessed for every value of a list field.
    ImportMapping guessMapping(const SourceTable& table) const;
    // Adds a guessed list entry for every value of a list field that has none yet.
    void guessValues(const SourceTable& table, ImportMapping& mapping) const;
    // The list entry a source value is guessed to mean: the entry it equals, or the one entry it
    // begins, letters and digits compared without case ("dom", "D" and "codominant" are guessed,
    // "1" and "C" of "Cutting Stock" or "Cull" are left for the user).
    std::optional<std::string> guessEntry(Field f, std::string_view value) const;
    // A field's distinct source values, in the order they first occur.
    std::vector<std::string> distinctValues(const SourceTable& table, const ImportMapping& mapping,
                                            Field f) const;

    ImportResult run(const SourceTable& table, const ImportMapping& mapping) const;

private:
    const ProgramProfile* profile_;
    Sheet opening_;
};

std::string_view kindText(AuditEntry::Kind kind);
// One audit entry or count as a line for people: `row 9, Pine Knob North, DBH: "12.7" -> "5": refused.
// Not accepted here: ...`, and `3  refused, DBH: Not accepted here: ...`.
std::string describe(const AuditEntry& entry);
std::string describe(const ReasonCount& count);

} // namespace timbra
