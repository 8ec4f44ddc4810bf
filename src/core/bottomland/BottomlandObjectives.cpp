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

void objective1(Sheet& tally, const ClassCells& c) {
    if (isSmallSweetgum(c)) setClasses(tally, c.row, "Acceptable", "Preferred");
    if (isLargeNonCull(c)) setTreeClass(tally, c.row, "Cutting Stock");
}

void objective2(Sheet& tally, const ClassCells& c) {
    if (isSmallSweetgum(c)) setClasses(tally, c.row, "Unacceptable", "Cutting Stock");
    if (isLargeNonCull(c)) setTreeClass(tally, c.row, "Cutting Stock");
}

void objective3(Sheet& tally, const ClassCells& c) {
    if (isSmallSweetgum(c)) setClasses(tally, c.row, "Unacceptable", "Cutting Stock");
    if (isLargeNonCull(c) && isCommercial(c.speciesClass)) setTreeClass(tally, c.row, "Preferred");
}

} // namespace

// Every objective passes over rows 6 to 1500; another number rewrites nothing.
void Model::rewriteForObjective(Sheet& tally, int objective) const {
    static constexpr RewriteRule rules[] = {objective1, objective2, objective3};
    if (objective >= 1 && objective <= 3) forEachRewriteRow(tally, LastTreeRow, rules[objective - 1]);
}

} // namespace timbra::bottomland
