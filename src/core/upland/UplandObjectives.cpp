#include "core/model/RewritePass.h"
#include "core/model/TallyRun.h"
#include "core/model/TreeFactors.h"
#include "core/upland/TreeRecord.h"
#include "core/upland/UplandModel.h"

namespace timbra::upland {

using namespace std::string_view_literals;

namespace {

bool isPoplarOrMaple(std::string_view code) {
    return code == "YLP"sv || code == "SUM"sv;
}

// Culls and reserve trees keep their tree class when a rule makes trees "Preferred".
bool keepsTreeClass(TreeClass treeClass) {
    return treeClass == TreeClass::Cull || treeClass == TreeClass::Reserve;
}

// Objectives 1 and 4 have no largest diameter, so big commercial trees are growing stock;
// yellow poplar and sugar maple are "Acceptable" under objective 1.
void objective1(ClassWriter& row, const ClassCells& c) {
    const bool keepsClass = keepsTreeClass(c.treeClass);
    if (c.dbh > LargestGrowingDbh && isCommercial(c.speciesClass) && !keepsClass)
        row.setTreeClass(TreeClass::Preferred);
    if (isPoplarOrMaple(c.speciesCode) && !keepsClass)
        row.setClasses(SpeciesClass::Acceptable, TreeClass::Preferred);
}

// Objectives 2 and 3 remove every tree over the largest growing diameter.
void objective2(ClassWriter& row, const ClassCells& c) {
    const bool keepsClass = keepsTreeClass(c.treeClass);
    if (isPoplarOrMaple(c.speciesCode) && c.dbh <= LargestGrowingDbh && !keepsClass)
        row.setClasses(SpeciesClass::Acceptable, TreeClass::Preferred);
    if (c.dbh > LargestGrowingDbh && c.treeClass != TreeClass::Cull)
        row.setTreeClass(TreeClass::CuttingStock);
}

// Objective 3 also treats sugar maple as "Unacceptable".
void objective3(ClassWriter& row, const ClassCells& c) {
    const bool keepsClass = keepsTreeClass(c.treeClass);
    if (c.speciesCode == "YLP"sv && c.dbh <= LargestGrowingDbh && !keepsClass)
        row.setClasses(SpeciesClass::Acceptable, TreeClass::Preferred);
    if (c.dbh > LargestGrowingDbh && c.treeClass != TreeClass::Cull)
        row.setTreeClass(TreeClass::CuttingStock);
    if (c.speciesCode == "SUM"sv && c.treeClass != TreeClass::Cull)
        row.setClasses(SpeciesClass::Unacceptable, TreeClass::CuttingStock);
}

// Objective 4 treats both yellow poplar and sugar maple as "Unacceptable".
void objective4(ClassWriter& row, const ClassCells& c) {
    const bool keepsClass = keepsTreeClass(c.treeClass);
    if (c.dbh > LargestGrowingDbh && isCommercial(c.speciesClass) && !keepsClass &&
        !isPoplarOrMaple(c.speciesCode))
        row.setTreeClass(TreeClass::Preferred);
    if (isPoplarOrMaple(c.speciesCode) && c.treeClass != TreeClass::Cull)
        row.setClasses(SpeciesClass::Unacceptable, TreeClass::CuttingStock);
}

} // namespace

// Objectives 1 and 4 pass over rows 6 to 1499, objectives 2 and 3 over rows 6 to 1500; another
// number rewrites nothing.
std::optional<RewritePass> Model::rewritePass(int objective) const {
    static constexpr RewritePass passes[] = {{objective1, LastTreeRow - 1},
                                             {objective2, LastTreeRow},
                                             {objective3, LastTreeRow},
                                             {objective4, LastTreeRow - 1}};
    if (objective < 1 || objective > 4) return std::nullopt;
    return passes[objective - 1];
}

} // namespace timbra::upland
