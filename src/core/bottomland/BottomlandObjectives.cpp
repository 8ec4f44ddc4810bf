#include "bottomland/BottomlandModel.h"
#include "model/RewritePass.h"
#include "model/TallyRun.h"
#include "model/TreeFactors.h"

namespace timbra::bottomland {

using namespace std::string_view_literals;

namespace {

// Sweetgum under 12 inches is reclassed by every objective.
bool isSmallSweetgum(const ClassCells& c) {
    return c.speciesCode == "SWG"sv && c.dbh < 12;
}
// Trees over 26 inches: removed under objectives 1 and 2, growing stock under objective 3.
bool isLargeNonCull(const ClassCells& c) {
    return c.dbh > 26 && c.treeClass != TreeClass::Cull;
}

void objective1(ClassWriter& row, const ClassCells& c) {
    if (isSmallSweetgum(c)) row.setClasses("Acceptable", "Preferred");
    if (isLargeNonCull(c)) row.setTreeClass("Cutting Stock");
}

void objective2(ClassWriter& row, const ClassCells& c) {
    if (isSmallSweetgum(c)) row.setClasses("Unacceptable", "Cutting Stock");
    if (isLargeNonCull(c)) row.setTreeClass("Cutting Stock");
}

void objective3(ClassWriter& row, const ClassCells& c) {
    if (isSmallSweetgum(c)) row.setClasses("Unacceptable", "Cutting Stock");
    if (isLargeNonCull(c) && isCommercial(c.speciesClass)) row.setTreeClass("Preferred");
}

} // namespace

// Every objective passes over rows 6 to 1500; another number rewrites nothing.
std::vector<int> Model::rewriteForObjective(Sheet& tally, int objective) const {
    static constexpr RewriteRule rules[] = {objective1, objective2, objective3};
    if (objective < 1 || objective > 3) return {};
    return forEachRewriteRow(tally, LastTreeRow, rules[objective - 1]);
}

} // namespace timbra::bottomland
