#pragma once

#include "core/import/ImportFields.h"

#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace timbra {

// Where one field's value comes from: a source column (by its header name), one value for every tree
// or stand, or nothing (the cell keeps what New leaves in it).
struct FieldSource {
    enum class Kind { Nothing, Column, Fixed };
    Kind kind = Kind::Nothing;
    std::string text; // the column's header name, or the fixed value

    static FieldSource column(std::string name) { return {Kind::Column, std::move(name)}; }
    static FieldSource fixed(std::string value) { return {Kind::Fixed, std::move(value)}; }
    bool operator==(const FieldSource&) const = default;
};

enum class DbhUnit { Inches, Centimetres };
enum class HeightUnit { Logs, Feet, Metres };

// How a headed tree list becomes tallies: the choices of the import dialog, saved as JSON under a
// name and offered again for a file with the same header.
struct ImportMapping {
    std::string name;
    std::vector<std::string> header; // the header row of the file it was made for
    char delimiter = 0;              // 0: guessed from the file
    std::string standColumn;         // the column that tells the stands apart; empty: one stand
    std::array<FieldSource, FieldCount> sources;
    DbhUnit dbhUnit = DbhUnit::Inches;
    HeightUnit heightUnit = HeightUnit::Logs;
    // For the list fields: a source value and the list entry it becomes, "" to leave the cell empty.
    // A value without an entry goes into the cell as read, for the cell's editor to judge.
    std::map<Field, std::map<std::string, std::string>> values;

    FieldSource& source(Field f) { return sources[static_cast<std::size_t>(f)]; }
    const FieldSource& source(Field f) const { return sources[static_cast<std::size_t>(f)]; }
    bool operator==(const ImportMapping&) const = default;
};

// The mapping as its JSON file holds it, and back; a file that is not such a mapping gives nothing
// and the reason in `error`.
std::string mappingToJson(const ImportMapping& mapping);
std::optional<ImportMapping> mappingFromJson(std::string_view json, std::string& error);

std::string_view unitKey(DbhUnit unit);
std::string_view unitKey(HeightUnit unit);

} // namespace timbra
