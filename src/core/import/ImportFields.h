#pragma once

#include "core/input/TallyLayout.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace timbra {

// What an import fills: the ten columns of a tree row, then the stand header's values.
enum class Field {
    Plot,
    Tree,
    Species,
    SpeciesClass,
    Dbh,
    Height,
    Grade,
    Vigor,
    CrownClass,
    TreeClass,
    StandName,
    Location,
    PlotSize,
    NumberOfPlots,
    Province,
};
inline constexpr int FieldCount = 15;
inline constexpr std::array<Field, FieldCount> AllFields{
    Field::Plot,      Field::Tree,     Field::Species,  Field::SpeciesClass,  Field::Dbh,
    Field::Height,    Field::Grade,    Field::Vigor,    Field::CrownClass,    Field::TreeClass,
    Field::StandName, Field::Location, Field::PlotSize, Field::NumberOfPlots, Field::Province};

inline bool isTreeField(Field f) {
    return static_cast<int>(f) < LastTallyColumn;
}
// The tally column of a tree-row field (1 to 10).
inline int columnOf(Field f) {
    return static_cast<int>(f) + 1;
}
// The stand header's cell of a header field.
TallyCell headerCellOf(Field f);
// The cell whose editor judges the field's values: the first tree row's for a tree-row field.
TallyCell judgingCellOf(Field f);

// The name mappings are saved under ("crownClass") and the label shown to the user ("Crown Class"),
// the grid's own heading for a tree-row field and its label for a header field.
std::string_view fieldKey(Field f);
std::string_view fieldLabel(Field f);
std::optional<Field> fieldForKey(std::string_view key);

// The field a source column's header name suggests ("DBH_CM" is the DBH, "SPCD" the species), or
// nothing. Names compare without case, spaces and punctuation.
std::optional<Field> guessFieldOfHeader(std::string_view header);
// Whether a header name suggests the column that tells the stands apart ("Stand", "STAND_ID").
bool looksLikeStandHeader(std::string_view header);

// A header name lower-cased with only its letters and digits kept: how names and codes are matched.
std::string matchKey(std::string_view text);

} // namespace timbra
