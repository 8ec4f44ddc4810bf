#pragma once

#include "core/app/ProgramProfile.h"
#include "core/tract/StandVerdict.h"

#include <optional>
#include <string>
#include <vector>

namespace timbra {

// The columns in which the Stands window, its PDF report and the workbook show a tract under one
// objective: the stand's header and trees, the objective's decision and how sure it is, the stand
// table, and the problem that keeps a stand from being judged.
enum class TractColumn {
    File,
    StandName,
    Location,
    Province, // upland only
    PlotSize,
    Plots,
    PlotGroups,
    Trees,
    TreesWithMessages,
    Decision,
    StandValue,
    Cutoff,
    Low,
    High,
    Confidence,
    Settled,
    PlotsToSettle,
    TreesPerAcre,
    BasalAreaPerAcre,
    QuadraticMeanDiameter,
    Problem,
};

// A cell: its text, and its number where it shows one ("n/a" and texts have none), for sorting and
// for spreadsheets.
struct TractCell {
    std::string text;
    std::optional<double> number;
};

std::vector<TractColumn> tractColumns(const ProgramProfile& profile);
std::string tractHeading(TractColumn column);
// Numbers are shown to one decimal, as the summary shows them; `objective` counts from 1.
TractCell tractCell(const StandVerdict& verdict, int objective, TractColumn column);

} // namespace timbra
