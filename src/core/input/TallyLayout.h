#pragma once

namespace timbra {

// Where a tally keeps what: the stand header in rows 2 and 3, then one tree per row from row 6.
// Both programs share it; Lowtimbra's grid is one row longer, its last row read only as the plot
// number after the last tree row.
inline constexpr int FirstTreeRow = 6;
inline constexpr int LastTreeRow = 1500;

// The columns of a tree row.
inline constexpr int PlotColumn = 1, SpeciesColumn = 3, SpeciesClassColumn = 4, DbhColumn = 5,
                     HeightColumn = 6, GradeColumn = 7, VigorColumn = 8, CrownClassColumn = 9,
                     TreeClassColumn = 10, LastTallyColumn = 10;

// The stand header's cells.
struct TallyCell {
    int col, row;
};
inline constexpr TallyCell StandNameCell{3, 2}, StandLocationCell{3, 3}, PlotSizeCell{8, 2},
    NumberOfPlotsCell{10, 2}, ProvinceLabelCell{9, 3}, ProvinceCell{10, 3};

} // namespace timbra
