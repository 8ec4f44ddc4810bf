#include "input/TallyCommands.h"

#include <algorithm>

namespace timbra {

namespace {

constexpr int FirstTreeRow = 6;
constexpr int PlotCol = 1, SpeciesCol = 3, SpeciesClassCol = 4, DbhCol = 5, HeightCol = 6, GradeCol = 7;
constexpr int VigorCol = 8, CrownCol = 9, TreeClassCol = 10, LastCol = 10;
constexpr int NumberOfPlotsCol = 10, NumberOfPlotsRow = 2;
constexpr int BlankingProperty = 168; // set before each blanking write; a look-only property here

void selectBlock(Sheet& sheet, int col1, int row1, int col2, int row2) {
    sheet.SetCol(col1);
    sheet.SetRow(row1);
    sheet.SetCol2(col2);
    sheet.SetRow2(row2);
}

void blankTextColumns(Sheet& sheet, const TallyLimits& limits) {
    for (int col : {SpeciesCol, SpeciesClassCol, VigorCol, CrownCol, TreeClassCol}) {
        selectBlock(sheet, col, FirstTreeRow, col, limits.lastClearedRow);
        sheet.SetBlockMode(true);
        sheet.SetProperty(BlankingProperty, 2);
        sheet.SetText(" ");
        sheet.SetBlockMode(false);
    }
}

void clearTreeRows(Sheet& sheet, const TallyLimits& limits) {
    sheet.SetBlockMode(true);
    selectBlock(sheet, 1, FirstTreeRow, LastCol, limits.lastClearedRow);
    sheet.DoAction(Sheet::ClearValues);
    sheet.SetBlockMode(false);
}

void markEveryTreeRowEnd(Sheet& sheet, const TallyLimits& limits) {
    for (int r = FirstTreeRow; r <= limits.lastClearedRow; ++r) {
        sheet.SetProperty(BlankingProperty, 2);
        sheet.SetInteger(PlotCol, r, 0);
    }
}

void clearCell(Sheet& sheet, int col, int row) {
    sheet.SetCol(col);
    sheet.SetRow(row);
    sheet.DoAction(Sheet::ClearValues);
}

} // namespace

void prepareTallyForDialog(Sheet& sheet, const TallyLimits& limits) {
    sheet.SetActiveCell(PlotCol, FirstTreeRow);
    blankTextColumns(sheet, limits);
    const int last = std::min(limits.lastBlankedRow, sheet.GetMaxRows());
    for (int r = FirstTreeRow; r <= last; ++r) {
        sheet.SetInteger(PlotCol, r, 0);
        sheet.SetInteger(DbhCol, r, 0);
        sheet.SetInteger(GradeCol, r, 0);
        sheet.SetFloat(HeightCol, r, 0.0);
    }
}

void newTally(Sheet& sheet, const TallyLimits& limits) {
    sheet.SetBlockMode(false);
    clearCell(sheet, 3, 2); // stand name
    clearCell(sheet, 3, 3); // stand location
    sheet.SetProperty(BlankingProperty, 2);
    sheet.SetInteger(NumberOfPlotsCol, NumberOfPlotsRow, 0);
    clearTreeRows(sheet, limits);
    markEveryTreeRowEnd(sheet, limits);
    blankTextColumns(sheet, limits);
}

void clearTally(Sheet& sheet, const TallyLimits& limits) {
    clearTreeRows(sheet, limits);
    markEveryTreeRowEnd(sheet, limits);
    blankTextColumns(sheet, limits);
}

int lastPrintRow(const Sheet& sheet, const TallyLimits& limits) {
    // The search ends where the fallback would put the marker row, so that a tally with no 0 prints
    // as if that row held one.
    const int lastSearched = limits.printMarkerRow ? limits.printFallbackRow : limits.printFallbackRow + 1;
    for (int r = FirstTreeRow; r <= lastSearched; ++r)
        if (sheet.GetInteger(PlotCol, r) == 0) return limits.printMarkerRow ? r : r - 1;
    return limits.printFallbackRow;
}

} // namespace timbra
