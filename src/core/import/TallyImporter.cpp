#include "core/import/TallyImporter.h"

#include "core/import/UnitConversion.h"
#include "core/input/TallyCommands.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>
#include <set>

namespace timbra {

namespace {

constexpr std::size_t LongestRefusedKept = 256; // bytes; a cell takes at most 60 characters
constexpr std::string_view LeftEmptyReason = "Left empty by the value map";
constexpr std::string_view PlotsFilledReason = "Filled with the number of distinct plots read";
constexpr std::string_view NoPlotReason = "It has no plot number, and a plot number of 0 would end the tally";
constexpr std::string_view NoStandReason = "It has no stand in the stand column";

// The reason a conversion gives when it had to round: the unit read and what the cell takes.
std::string roundingReason(Field f, const ImportMapping& m) {
    if (f == Field::Dbh)
        return m.dbhUnit == DbhUnit::Centimetres ? "Converted from centimetres and rounded to a whole inch"
                                                 : "Rounded to a whole inch";
    return m.heightUnit == HeightUnit::Feet ? "Converted from feet and rounded to the nearest half log"
                                            : "Converted from metres and rounded to the nearest half log";
}

// Where each field's values come from in this file: a column index, or a fixed text.
struct Resolved {
    std::array<int, FieldCount> column{};
    int standColumn = -1;
    std::string missing; // a column the mapping names that the file lacks
};

Resolved resolve(const SourceTable& table, const ImportMapping& m) {
    Resolved r;
    r.column.fill(-1);
    for (Field f : AllFields) {
        const FieldSource& s = m.source(f);
        if (s.kind != FieldSource::Kind::Column) continue;
        r.column[static_cast<std::size_t>(f)] = table.columnNamed(s.text);
        if (r.column[static_cast<std::size_t>(f)] < 0 && r.missing.empty()) r.missing = s.text;
    }
    if (!m.standColumn.empty()) {
        r.standColumn = table.columnNamed(m.standColumn);
        if (r.standColumn < 0 && r.missing.empty()) r.missing = m.standColumn;
    }
    return r;
}

// Builds one stand's tally and its part of the audit.
class StandBuilder {
public:
    StandBuilder(const TallyImporter& importer, const SourceTable& table, const ImportMapping& m,
                 const Resolved& where, ImportResult& result)
        : importer_(importer), table_(table), m_(m), where_(where), result_(result) {}

    // The value of field f in source row `row`: its column's cell or its fixed text.
    std::string valueOf(Field f, std::size_t row) const {
        const FieldSource& s = m_.source(f);
        if (s.kind == FieldSource::Kind::Fixed) return s.text;
        if (s.kind == FieldSource::Kind::Column)
            return table_.cell(row, where_.column[static_cast<std::size_t>(f)]);
        return {};
    }

    void build(ImportedStand& stand, const std::vector<std::size_t>& rows) {
        const std::size_t firstEntry = result_.audit.size();
        buildTally(stand, rows);
        // In the file's order, the stand's own entries after its rows.
        std::stable_sort(result_.audit.begin() + static_cast<std::ptrdiff_t>(firstEntry), result_.audit.end(),
                         [](const AuditEntry& a, const AuditEntry& b) {
                             return (a.line ? a.line : INT_MAX) < (b.line ? b.line : INT_MAX);
                         });
    }

private:
    void buildTally(ImportedStand& stand, const std::vector<std::size_t>& rows) {
        stand_ = &stand;
        std::vector<std::size_t> trees;
        for (std::size_t row : rows) {
            const auto plot = parseNumber(valueOf(Field::Plot, row));
            if (!plot || std::lround(*plot) == 0) {
                addEntry(AuditEntry::Kind::RowLeftOut, table_.lines[row], Field::Plot,
                         valueOf(Field::Plot, row), {}, std::string(NoPlotReason));
                continue;
            }
            trees.push_back(row);
        }
        stand.rowsRead = static_cast<int>(rows.size());
        stand.treesRead = static_cast<int>(trees.size());
        if (stand.treesRead > TallyImporter::TreeRows) {
            stand.leftOut = true;
            addEntry(AuditEntry::Kind::StandLeftOut, 0, std::nullopt, {}, {},
                     "It has " + std::to_string(stand.treesRead) + " trees, more than the grid's " +
                         std::to_string(TallyImporter::TreeRows) + " tree rows");
            return;
        }
        int sheetRow = FirstTreeRow;
        std::set<int> plots;
        for (std::size_t row : trees) {
            for (Field f : AllFields)
                if (isTreeField(f)) lay(f, {columnOf(f), sheetRow}, valueOf(f, row), table_.lines[row]);
            plots.insert(stand.tally.GetInteger(PlotColumn, sheetRow));
            ++sheetRow;
        }
        for (Field f : AllFields) {
            if (isTreeField(f) || !importer_.offers(f)) continue;
            std::string value;
            int line = 0;
            for (std::size_t row : rows)
                if (value = valueOf(f, row); !value.empty()) {
                    line = table_.lines[row];
                    break;
                }
            if (f == Field::NumberOfPlots && value.empty()) {
                const std::string count = std::to_string(plots.size());
                if (plots.empty()) continue; // no trees: the 0 New writes stays
                if (!stand.tally.accepts(NumberOfPlotsCell.col, NumberOfPlotsCell.row, count)) {
                    lay(f, NumberOfPlotsCell, count, 0);
                } else {
                    stand.tally.SetText(NumberOfPlotsCell.col, NumberOfPlotsCell.row, count);
                    addEntry(AuditEntry::Kind::Changed, 0, f, {}, count, std::string(PlotsFilledReason));
                }
                continue;
            }
            if (!value.empty()) lay(f, headerCellOf(f), value, line);
        }
    }

    // Lays one value into its cell: through the value map or the unit conversion, then the cell's
    // editor, which stores it in its form or refuses it (the text is kept and marked, as Open does).
    void lay(Field f, TallyCell cell, const std::string& read, int line) {
        if (read.empty()) return; // the cell keeps what New leaves in it
        std::string value = read;
        std::string changed;
        if (const auto map = m_.values.find(f); map != m_.values.end())
            if (const auto entry = map->second.find(read); entry != map->second.end()) {
                if (entry->second.empty()) {
                    // Tree rows keep their blank; the header keeps what New leaves there.
                    if (isTreeField(f)) stand_->tally.SetText(cell.col, cell.row, " ");
                    addEntry(AuditEntry::Kind::Changed, line, f, read, {}, std::string(LeftEmptyReason));
                    return;
                }
                value = entry->second;
            }
        const bool converts = f == Field::Dbh || (f == Field::Height && m_.heightUnit != HeightUnit::Logs);
        if (converts)
            if (const auto number = parseNumber(value)) {
                const CellEditor& editor = importer_.editorOf(f);
                const double step = editor.kind == CellEditor::Kind::Integer ? 1 : editor.step;
                const double exact =
                    f == Field::Dbh ? toInches(*number, m_.dbhUnit) : toLogs(*number, m_.heightUnit);
                const double rounded = roundToStep(exact, step);
                value = editor.formatNumber(rounded);
                if (roundingMoved(exact, rounded)) changed = roundingReason(f, m_);
            }
        Sheet& tally = stand_->tally;
        if (auto form = tally.accept(cell.col, cell.row, value)) {
            tally.SetText(cell.col, cell.row, *form);
            if (!changed.empty()) addEntry(AuditEntry::Kind::Changed, line, f, read, *form, changed);
            return;
        }
        // A refused text far longer than any cell takes is not kept, so that the tally always saves
        // and reopens within Open's limits; the audit says so by the empty cell.
        if (value.size() > LongestRefusedKept) value.clear();
        if (!value.empty()) tally.SetText(cell.col, cell.row, value);
        addEntry(AuditEntry::Kind::Refused, line, f, read, value,
                 tally.editorAt(cell.col, cell.row).refusal());
    }

    void addEntry(AuditEntry::Kind kind, int line, std::optional<Field> f, std::string read,
                  std::string becomes, std::string reason) {
        result_.audit.push_back(
            {kind, line, stand_->key, f, std::move(read), std::move(becomes), std::move(reason)});
    }

    const TallyImporter& importer_;
    const SourceTable& table_;
    const ImportMapping& m_;
    const Resolved& where_;
    ImportResult& result_;
    ImportedStand* stand_ = nullptr;
};

} // namespace

std::string_view kindText(AuditEntry::Kind kind) {
    switch (kind) {
    case AuditEntry::Kind::Refused:
        return "refused";
    case AuditEntry::Kind::Changed:
        return "changed";
    case AuditEntry::Kind::RowLeftOut:
        return "row left out";
    case AuditEntry::Kind::StandLeftOut:
        return "stand left out";
    }
    return {};
}

std::string describe(const AuditEntry& e) {
    std::string line = e.line ? "row " + std::to_string(e.line) : std::string("stand");
    if (!e.stand.empty()) line += ", " + e.stand;
    if (e.field) line += ", " + std::string(fieldLabel(*e.field));
    if (!e.read.empty() || !e.becomes.empty()) line += ": \"" + e.read + "\" -> \"" + e.becomes + "\"";
    return line + ": " + std::string(kindText(e.kind)) + ". " + e.reason;
}

std::string describe(const ReasonCount& c) {
    return std::to_string(c.count) + "  " + std::string(kindText(c.kind)) +
           (c.field ? ", " + std::string(fieldLabel(*c.field)) : std::string()) + ": " + c.reason;
}

std::vector<ReasonCount> ImportResult::counts() const {
    std::vector<ReasonCount> counts;
    for (const AuditEntry& e : audit) {
        const auto same = [&](const ReasonCount& c) {
            return c.kind == e.kind && c.field == e.field && c.reason == e.reason;
        };
        if (auto it = std::find_if(counts.begin(), counts.end(), same); it != counts.end())
            ++it->count;
        else
            counts.push_back({e.kind, e.field, e.reason, 1});
    }
    return counts;
}

bool ImportResult::everythingTaken() const {
    return ok && std::all_of(audit.begin(), audit.end(),
                             [](const AuditEntry& e) { return e.kind == AuditEntry::Kind::Changed; });
}

TallyImporter::TallyImporter(const ProgramProfile& profile)
    : profile_(&profile), opening_(profile.loadTallyGrid()) {
    prepareTallyForDialog(opening_);
}

bool TallyImporter::offers(Field f) const {
    return f != Field::Province || profile_->hasProvince;
}

const CellEditor& TallyImporter::editorOf(Field f) const {
    const TallyCell cell = judgingCellOf(f);
    return opening_.editorAt(cell.col, cell.row);
}

std::optional<std::string> TallyImporter::guessEntry(Field f, std::string_view value) const {
    const CellEditor& editor = editorOf(f);
    if (editor.kind != CellEditor::Kind::List) return std::nullopt;
    const std::string key = matchKey(value);
    if (key.empty()) return std::nullopt;
    const std::string* begun = nullptr;
    int begunCount = 0;
    for (const std::string& item : editor.items) {
        const std::string itemKey = matchKey(item);
        if (itemKey == key) return item;
        if (itemKey.starts_with(key)) {
            begun = &item;
            ++begunCount;
        }
    }
    if (begunCount == 1) return *begun;
    return std::nullopt;
}

std::vector<std::string> TallyImporter::distinctValues(const SourceTable& table, const ImportMapping& m,
                                                       Field f) const {
    const FieldSource& s = m.source(f);
    if (s.kind == FieldSource::Kind::Fixed) return {s.text};
    if (s.kind != FieldSource::Kind::Column) return {};
    const int col = table.columnNamed(s.text);
    std::vector<std::string> values;
    std::set<std::string> seen;
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const std::string& v = table.cell(r, col);
        if (!v.empty() && seen.insert(v).second) values.push_back(v);
    }
    return values;
}

void TallyImporter::guessValues(const SourceTable& table, ImportMapping& m) const {
    for (Field f : AllFields) {
        if (!offers(f) || !isListField(f)) continue;
        for (const std::string& v : distinctValues(table, m, f)) {
            auto& map = m.values[f];
            if (map.count(v)) continue;
            if (auto entry = guessEntry(f, v)) map[v] = *entry;
        }
        if (m.values[f].empty()) m.values.erase(f);
    }
}

ImportMapping TallyImporter::guessMapping(const SourceTable& table) const {
    ImportMapping m;
    m.header = table.header;
    for (const std::string& name : table.header) {
        if (m.standColumn.empty() && looksLikeStandHeader(name)) {
            m.standColumn = name;
            continue;
        }
        const auto f = guessFieldOfHeader(name);
        if (!f || !offers(*f) || m.source(*f).kind != FieldSource::Kind::Nothing) continue;
        m.source(*f) = FieldSource::column(name);
        const std::string key = matchKey(name);
        if (*f == Field::Dbh && key.ends_with("cm")) m.dbhUnit = DbhUnit::Centimetres;
        if (*f == Field::Height && (key.ends_with("ft") || key.ends_with("feet")))
            m.heightUnit = HeightUnit::Feet;
        if (*f == Field::Height && (key.ends_with("htm") || key.ends_with("heightm") ||
                                    key.ends_with("metres") || key.ends_with("meters")))
            m.heightUnit = HeightUnit::Metres;
    }
    // The stand column names the stands unless a column of their own does.
    if (!m.standColumn.empty() && m.source(Field::StandName).kind == FieldSource::Kind::Nothing)
        m.source(Field::StandName) = FieldSource::column(m.standColumn);
    guessValues(table, m);
    return m;
}

ImportResult TallyImporter::run(const SourceTable& table, const ImportMapping& m) const {
    ImportResult result;
    result.rows = static_cast<int>(table.rows.size());
    const Resolved where = resolve(table, m);
    if (!where.missing.empty()) {
        result.ok = false;
        result.error = "The file has no column \"" + where.missing + "\".";
        return result;
    }
    // The stands in the order they first occur, each with its rows.
    std::vector<std::vector<std::size_t>> rowsOf;
    std::map<std::string, std::size_t> indexOf;
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const std::string key = where.standColumn < 0 ? std::string() : table.cell(r, where.standColumn);
        if (where.standColumn >= 0 && key.empty()) {
            result.audit.push_back({AuditEntry::Kind::RowLeftOut,
                                    table.lines[r],
                                    {},
                                    std::nullopt,
                                    {},
                                    {},
                                    std::string(NoStandReason)});
            continue;
        }
        auto [it, added] = indexOf.emplace(key, rowsOf.size());
        if (added) {
            rowsOf.emplace_back();
            result.stands.push_back({key, opening_, 0, 0, false});
        }
        rowsOf[it->second].push_back(r);
    }
    if (result.stands.empty() && where.standColumn < 0) {
        result.stands.push_back({"", opening_, 0, 0, false});
        rowsOf.emplace_back();
    }
    StandBuilder builder(*this, table, m, where, result);
    for (std::size_t i = 0; i < result.stands.size(); ++i)
        builder.build(result.stands[i], rowsOf[i]);
    return result;
}

} // namespace timbra
