#include "core/input/TallyCommands.h"

#include "core/input/TallyLayout.h"

namespace timbra {

namespace {

constexpr int BlankingProperty = 168; // set before each blanking write; a look-only property here

void selectBlock(Sheet& sheet, int col1, int row1, int col2, int row2) {
    sheet.SetCol(col1);
    sheet.SetRow(row1);
    sheet.SetCol2(col2);
    sheet.SetRow2(row2);
}

void blankTextColumns(Sheet& sheet) {
    for (int col : {SpeciesColumn, SpeciesClassColumn, VigorColumn, CrownClassColumn, TreeClassColumn}) {
        selectBlock(sheet, col, FirstTreeRow, col, LastTreeRow);
        sheet.SetBlockMode(true);
        sheet.SetProperty(BlankingProperty, 2);
        sheet.SetText(" ");
        sheet.SetBlockMode(false);
    }
}

void clearTreeRows(Sheet& sheet) {
    sheet.SetBlockMode(true);
    selectBlock(sheet, PlotColumn, FirstTreeRow, LastTallyColumn, LastTreeRow);
    sheet.DoAction(Sheet::ClearValues);
    sheet.SetBlockMode(false);
}

void markEveryTreeRowEnd(Sheet& sheet) {
    for (int r = FirstTreeRow; r <= LastTreeRow; ++r) {
        sheet.SetProperty(BlankingProperty, 2);
        sheet.SetInteger(PlotColumn, r, 0);
    }
}

void clearCell(Sheet& sheet, TallyCell cell) {
    sheet.SetCol(cell.col);
    sheet.SetRow(cell.row);
    sheet.DoAction(Sheet::ClearValues);
}

} // namespace

void prepareTallyForDialog(Sheet& sheet) {
    sheet.SetActiveCell(PlotColumn, FirstTreeRow);
    blankTextColumns(sheet);
    for (int r = FirstTreeRow; r <= sheet.GetMaxRows(); ++r) {
        sheet.SetInteger(PlotColumn, r, 0);
        sheet.SetInteger(DbhColumn, r, 0);
        sheet.SetInteger(GradeColumn, r, 0);
        sheet.SetFloat(HeightColumn, r, 0.0);
    }
}

void newTally(Sheet& sheet) {
    sheet.SetBlockMode(false);
    clearCell(sheet, StandNameCell);
    clearCell(sheet, StandLocationCell);
    sheet.SetProperty(BlankingProperty, 2);
    sheet.SetInteger(NumberOfPlotsCell.col, NumberOfPlotsCell.row, 0);
    clearTreeRows(sheet);
    markEveryTreeRowEnd(sheet);
    blankTextColumns(sheet);
}

void clearTally(Sheet& sheet) {
    clearTreeRows(sheet);
    markEveryTreeRowEnd(sheet);
    blankTextColumns(sheet);
}

int lastPrintRow(const Sheet& sheet, const TallyLimits& limits) {
    // The search ends where the fallback would put the marker row, so that a tally with no 0 prints
    // as if that row held one.
    const int lastSearched = limits.printMarkerRow ? limits.printFallbackRow : limits.printFallbackRow + 1;
    for (int r = FirstTreeRow; r <= lastSearched; ++r)
        if (sheet.GetInteger(PlotColumn, r) == 0) return limits.printMarkerRow ? r : r - 1;
    return limits.printFallbackRow;
}

} // namespace timbra
