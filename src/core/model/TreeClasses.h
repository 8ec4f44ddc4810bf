#pragma once

#include <cstdint>
#include <string_view>

namespace timbra {

// The class texts of a tree row as the models read them: one of the tally grid's drop-down texts,
// compared whole and case-sensitively, or None for any other text (a blank, a typing error, another
// case). A Run reads each row's texts once into these, and every count, check and factor after it
// compares small numbers. The orders are those of the report's counts.
enum class TreeClass : std::uint8_t { Preferred, Reserve, CuttingStock, Cull, None };
enum class SpeciesClass : std::uint8_t { Desirable, Acceptable, Unacceptable, None };
enum class Vigor : std::uint8_t { High, Medium, Low, None };
enum class CrownClass : std::uint8_t { Dominant, Codominant, Intermediate, Suppressed, None };

// The texts of each list differ in length, so the length picks the one text to compare with.
constexpr TreeClass treeClassOf(std::string_view text) {
    using namespace std::string_view_literals;
    switch (text.size()) {
    case 9:
        return text == "Preferred"sv ? TreeClass::Preferred : TreeClass::None;
    case 7:
        return text == "Reserve"sv ? TreeClass::Reserve : TreeClass::None;
    case 13:
        return text == "Cutting Stock"sv ? TreeClass::CuttingStock : TreeClass::None;
    case 4:
        return text == "Cull"sv ? TreeClass::Cull : TreeClass::None;
    default:
        return TreeClass::None;
    }
}

constexpr SpeciesClass speciesClassOf(std::string_view text) {
    using namespace std::string_view_literals;
    switch (text.size()) {
    case 9:
        return text == "Desirable"sv ? SpeciesClass::Desirable : SpeciesClass::None;
    case 10:
        return text == "Acceptable"sv ? SpeciesClass::Acceptable : SpeciesClass::None;
    case 12:
        return text == "Unacceptable"sv ? SpeciesClass::Unacceptable : SpeciesClass::None;
    default:
        return SpeciesClass::None;
    }
}

constexpr Vigor vigorOf(std::string_view text) {
    using namespace std::string_view_literals;
    switch (text.size()) {
    case 4:
        return text == "High"sv ? Vigor::High : Vigor::None;
    case 6:
        return text == "Medium"sv ? Vigor::Medium : Vigor::None;
    case 3:
        return text == "Low"sv ? Vigor::Low : Vigor::None;
    default:
        return Vigor::None;
    }
}

constexpr CrownClass crownClassOf(std::string_view text) {
    using namespace std::string_view_literals;
    switch (text.size()) {
    case 8:
        return text == "Dominant"sv ? CrownClass::Dominant : CrownClass::None;
    case 11:
        return text == "Co-dominant"sv ? CrownClass::Codominant : CrownClass::None;
    case 12:
        return text == "Intermediate"sv ? CrownClass::Intermediate : CrownClass::None;
    case 10:
        return text == "Suppressed"sv ? CrownClass::Suppressed : CrownClass::None;
    default:
        return CrownClass::None;
    }
}

// The four class texts of one tree row, read.
struct RowClasses {
    SpeciesClass species = SpeciesClass::None;
    Vigor vigor = Vigor::None;
    CrownClass crown = CrownClass::None;
    TreeClass tree = TreeClass::None;
};

constexpr RowClasses classify(std::string_view speciesClass, std::string_view vigor,
                              std::string_view crownClass, std::string_view treeClass) {
    return {speciesClassOf(speciesClass), vigorOf(vigor), crownClassOf(crownClass), treeClassOf(treeClass)};
}

} // namespace timbra
