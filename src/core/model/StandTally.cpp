#include "core/model/StandTally.h"

#include "core/grid/TrimSpaces.h"

#include <algorithm>
#include <climits>

namespace timbra {

namespace {

// Two-inch classes: an odd DBH belongs to the next even class. A DBH read from a file can be any
// 32-bit number; the largest one keeps its own class rather than overflow.
int diameterClassOf(int dbh) {
    return dbh % 2 == 0 || dbh == INT_MAX ? dbh : dbh + 1;
}

// A code up to seven bytes long and its length as one number, so that two such codes are equal
// exactly when their keys are; a longer code gets a key of its own, and its text decides.
constexpr std::uint64_t LongCodeKey = ~std::uint64_t{0};
std::uint64_t keyOf(std::string_view code) {
    if (code.size() > 7) return LongCodeKey;
    std::uint64_t key = code.size();
    for (std::size_t i = 0; i < code.size(); ++i)
        key |= std::uint64_t{static_cast<unsigned char>(code[i])} << (8 * (i + 1));
    return key;
}

} // namespace

void StandTally::add(int dbh, TreeClass treeClass, std::string_view speciesCode) {
    if (dbh <= 0) return;
    const double d = dbh;
    classOf(diameterClassOf(dbh)).byTreeClass[static_cast<std::size_t>(treeClass)].add(d);
    speciesOf(trimSpaces(speciesCode)).add(d);
    stand_.add(d);
}

StandTally::DiameterClass& StandTally::classOf(int dbhClass) {
    const std::size_t slot = static_cast<std::size_t>(dbhClass / 2);
    if (slot < smallClasses_.size() && smallClasses_[slot] != 0) return classes_[smallClasses_[slot] - 1u];
    if (slot >= smallClasses_.size())
        for (DiameterClass& c : classes_)
            if (c.dbhClass == dbhClass) return c;
    classes_.push_back({dbhClass, {}});
    if (slot < smallClasses_.size()) smallClasses_[slot] = static_cast<std::uint16_t>(classes_.size());
    return classes_.back();
}

TreeCount& StandTally::speciesOf(std::string_view code) {
    const std::uint64_t key = keyOf(code);
    for (std::size_t i = 0; i < speciesKeys_.size(); ++i)
        if (speciesKeys_[i] == key && (key != LongCodeKey || species_[i].code == code))
            return species_[i].count;
    speciesKeys_.push_back(key);
    species_.push_back({std::string(code), {}});
    return species_.back().count;
}

std::vector<StandTally::DiameterClass> StandTally::classes() const {
    std::vector<DiameterClass> sorted = classes_;
    std::sort(sorted.begin(), sorted.end(),
              [](const DiameterClass& a, const DiameterClass& b) { return a.dbhClass < b.dbhClass; });
    return sorted;
}

std::vector<StandTally::Species> StandTally::species() const {
    std::vector<Species> sorted = species_;
    std::sort(sorted.begin(), sorted.end(),
              [](const Species& a, const Species& b) { return a.code < b.code; });
    return sorted;
}

} // namespace timbra
