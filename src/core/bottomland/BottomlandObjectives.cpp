#include "core/bottomland/BottomlandModel.h"
#include "core/bottomland/TreeRecord.h"
#include "core/model/RewritePass.h"
#include "core/model/TallyRun.h"
#include "core/model/TreeFactors.h"

namespace timbra::bottomland {

using namespace std::string_view_literals;

namespace {

// Sweetgum under sawtimber size is reclassed by every objective.
bool isSmallSweetgum(const ClassCells& c) {
    return c.speciesCode == "SWG"sv && c.dbh < SmallestSawtimberDbh;
}
// Trees over the largest growing diameter: removed under objectives 1 and 2, growing stock under objective 3.
bool isLargeNonCull(const ClassCells& c) {
    return c.dbh > LargestGrowingDbh && c.treeClass != TreeClass::Cull;
}

void objective1(ClassWriter& row, const ClassCells& c) {
    if (isSmallSweetgum(c)) row.setClasses(SpeciesClass::Acceptable, TreeClass::Preferred);
    if (isLargeNonCull(c)) row.setTreeClass(TreeClass::CuttingStock);
}

void objective2(ClassWriter& row, const ClassCells& c) {
    if (isSmallSweetgum(c)) row.setClasses(SpeciesClass::Unacceptable, TreeClass::CuttingStock);
    if (isLargeNonCull(c)) row.setTreeClass(TreeClass::CuttingStock);
}

void objective3(ClassWriter& row, const ClassCells& c) {
    if (isSmallSweetgum(c)) row.setClasses(SpeciesClass::Unacceptable, TreeClass::CuttingStock);
    if (isLargeNonCull(c) && isCommercial(c.speciesClass)) row.setTreeClass(TreeClass::Preferred);
}

} // namespace

// Every objective passes over rows 6 to 1500; another number rewrites nothing.
std::optional<RewritePass> Model::rewritePass(int objective) const {
    static constexpr RewritePass passes[] = {
        {objective1, LastTreeRow}, {objective2, LastTreeRow}, {objective3, LastTreeRow}};
    if (objective < 1 || objective > 3) return std::nullopt;
    return passes[objective - 1];
}

} // namespace timbra::bottomland
