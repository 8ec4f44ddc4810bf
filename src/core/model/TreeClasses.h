#pragma once

#include "core/grid/SameText.h"

#include <array>
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

namespace detail {
// The texts of each list differ in length, so the length picks the one text to compare with, by a
// table rather than by branches (the texts of a tally's rows follow no order a branch could learn).
template <typename Class, std::size_t N> struct ClassNames {
    std::array<std::string_view, N> names;
    std::array<Class, 16> byLength;
    constexpr explicit ClassNames(const std::array<std::string_view, N>& texts) : names(texts), byLength() {
        byLength.fill(Class::None);
        for (std::size_t i = 0; i < N; ++i) {
            if (byLength.at(texts[i].size()) != Class::None) throw "two texts of one length";
            byLength[texts[i].size()] = static_cast<Class>(i);
        }
    }
    constexpr Class operator()(std::string_view text) const {
        const Class c = text.size() < byLength.size() ? byLength[text.size()] : Class::None;
        return c != Class::None && sameText(text, names[static_cast<std::size_t>(c)]) ? c : Class::None;
    }
};
} // namespace detail

inline constexpr detail::ClassNames<TreeClass, 4> treeClassOf{
    std::array<std::string_view, 4>{"Preferred", "Reserve", "Cutting Stock", "Cull"}};
inline constexpr detail::ClassNames<SpeciesClass, 3> speciesClassOf{
    std::array<std::string_view, 3>{"Desirable", "Acceptable", "Unacceptable"}};
inline constexpr detail::ClassNames<Vigor, 3> vigorOf{
    std::array<std::string_view, 3>{"High", "Medium", "Low"}};
inline constexpr detail::ClassNames<CrownClass, 4> crownClassOf{
    std::array<std::string_view, 4>{"Dominant", "Co-dominant", "Intermediate", "Suppressed"}};

// The list text of a class, from the same tables that read it.
constexpr std::string_view textOf(TreeClass c) {
    return treeClassOf.names.at(static_cast<std::size_t>(c));
}
constexpr std::string_view textOf(SpeciesClass c) {
    return speciesClassOf.names.at(static_cast<std::size_t>(c));
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
