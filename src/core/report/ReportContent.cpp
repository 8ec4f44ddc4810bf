#include "core/report/ReportContent.h"

#include "core/model/ValueFormat.h"

#include <array>
#include <string>
#include <vector>

namespace timbra {

namespace {

constexpr double TitleSize = 12;
constexpr double CaptionSize = 10;
constexpr double LabelSize = 10;
constexpr int SolidBorder = 1;
constexpr std::uint32_t LightGrey = 0xC0C0C0;

constexpr int PlotTableRow = 15;  // first row of the plot table, under its captions
constexpr int PlotsPerGroup = 10; // rows of one column pair
constexpr int ShownPlots = 40;    // four column pairs

// One sawtimber analysis: a heading row with the section title in column 1 and captions from
// column 3 on, and the percentages under the captions.
struct Analysis {
    int row;
    const char* title;
    std::vector<const char*> captions;
    std::vector<double StandResults::*> percentages;
    int lastColumn() const { return 2 + static_cast<int>(captions.size()); }
};

const std::array<Analysis, 6>& analyses() {
    using R = StandResults;
    static const std::array<Analysis, 6> table{{
        {27,
         "Tree Class Analysis",
         {"Pref", "Res", "Cut", "Cull"},
         {&R::pctPreferred, &R::pctReserve, &R::pctCuttingStock, &R::pctCull}},
        {30,
         "Species Class Analysis",
         {"Des", "Acc", "Unacc"},
         {&R::pctDesirable, &R::pctAcceptable, &R::pctUnacceptable}},
        // Grade 4 is held in the results but has no column on the sheet.
        {33,
         "Log Grade Analysis",
         {"Grade 1", "Grade 2", "Grade 3"},
         {&R::pctGrade1, &R::pctGrade2, &R::pctGrade3}},
        {36,
         "Vigor Class Analysis",
         {"High", "Med", "Low"},
         {&R::pctVigorHigh, &R::pctVigorMedium, &R::pctVigorLow}},
        {39,
         "Crown Class Analysis",
         {"Dom", "Codom", "Inter", "Sup"},
         {&R::pctDominant, &R::pctCodominant, &R::pctIntermediate, &R::pctSuppressed}},
        {42,
         "Height Class Analysis",
         {"1 log", "1.5 log", "2 log", "2.5 log", "3 log", "3.5 log"},
         {&R::pctHeight1, &R::pctHeight15, &R::pctHeight2, &R::pctHeight25, &R::pctHeight3, &R::pctHeight35}},
    }};
    return table;
}

// The heading rows are styled in this order (crown class before vigor class), the values in
// sheet order; the result is the same either way, but the sequence of grid calls is kept.
constexpr std::array<int, 6> HeadingOrder{0, 1, 2, 4, 3, 5};

struct Box {
    int col1, row1, col2, row2;
};

void select(Sheet& s, const Box& b) {
    s.SetCol(b.col1);
    s.SetRow(b.row1);
    s.SetCol2(b.col2);
    s.SetRow2(b.row2);
}

void moveTo(Sheet& s, int col, int row) {
    s.SetCol(col);
    s.SetRow(row);
}

void put(Sheet& s, int col, int row, const std::string& text) {
    moveTo(s, col, row);
    s.SetText(text);
}

// Heading style on the current cell or block: read-only bold text of the given size.
void headingStyle(Sheet& s, double points) {
    s.SetCellType(Sheet::StaticTextType);
    s.SetFontSize(points);
    s.setFontBold(true);
}

void headingCell(Sheet& s, int col, int row, double points, const std::string& text) {
    moveTo(s, col, row);
    headingStyle(s, points);
    s.SetText(text);
}

void headingBlock(Sheet& s, const Box& b, double points) {
    select(s, b);
    s.SetBlockMode(true);
    headingStyle(s, points);
    s.SetBlockMode(false);
}

void labelCell(Sheet& s, int col, int row, const std::string& text) {
    moveTo(s, col, row);
    s.SetFontSize(LabelSize);
    s.SetText(text);
}

// Draws a light grey box around the block (block mode on) or the current cell (block mode off).
void drawOutline(Sheet& s) {
    s.SetBorderType(Sheet::OutlineBorder);
    s.SetBorderStyle(SolidBorder);
    s.SetBorderColor(LightGrey);
    s.DoAction(Sheet::DrawBorders);
}

void outlineEachCell(Sheet& s, const Box& b) {
    for (int row = b.row1; row <= b.row2; ++row)
        for (int col = b.col1; col <= b.col2; ++col) {
            moveTo(s, col, row);
            drawOutline(s);
        }
}

void fillHeadings(Sheet& s, bool withProvince) {
    headingCell(s, 1, 2, TitleSize, "TIMBRA DECISION-MAKER STAND ANALYSIS");

    labelCell(s, 1, 3, "Stand Name");
    labelCell(s, 1, 5, "Stand Location");
    labelCell(s, 5, 3, "Number of Plots");
    labelCell(s, 5, 5, "Plot Size");
    labelCell(s, 7, 3, "Objective");
    if (withProvince) labelCell(s, 7, 5, "Province");

    headingCell(s, 1, 10, CaptionSize, "Decision");
    headingCell(s, 2, 10, CaptionSize, "Stand Value");
    headingCell(s, 4, 10, CaptionSize, "Cut-off index");

    headingBlock(s, {3, 14, 10, 14}, CaptionSize);
    headingCell(s, 1, 13, TitleSize, "Individual Plot Analysis");
    for (int col = 3; col <= 10; col += 2) {
        put(s, col, 14, "Plot #");
        put(s, col + 1, 14, "Value");
    }

    headingBlock(s, {1, 26, 1, 26}, TitleSize);
    put(s, 1, 26, "Sawtimber Analysis");

    for (const int i : HeadingOrder) {
        const Analysis& a = analyses()[static_cast<std::size_t>(i)];
        headingBlock(s, {1, a.row, a.lastColumn(), a.row}, CaptionSize);
        put(s, 1, a.row, a.title);
        for (std::size_t k = 0; k < a.captions.size(); ++k)
            put(s, 3 + static_cast<int>(k), a.row, a.captions[k]);
    }
}

void fillOutlines(Sheet& s, bool withProvince) {
    std::vector<Box> boxes{{1, 3, 3, 4}, {1, 5, 3, 6}, {5, 3, 6, 4}, {5, 5, 6, 6}, {7, 3, 8, 4}};
    if (withProvince) boxes.push_back({7, 5, 8, 6});
    for (const int row : {10, 11}) {
        boxes.push_back({1, row, 1, row});
        boxes.push_back({2, row, 3, row});
        boxes.push_back({4, row, 5, row});
    }
    s.SetBlockMode(true);
    for (const Box& b : boxes) {
        select(s, b);
        drawOutline(s);
    }
    s.SetBlockMode(false);

    outlineEachCell(s, {3, 14, 10, 24});
    for (const Analysis& a : analyses())
        outlineEachCell(s, {3, a.row, a.lastColumn(), a.row + 1});
}

void fillValues(Sheet& s, const StandResults& r, bool withProvince) {
    put(s, 1, 4, formatText("%s", r.standName));
    put(s, 5, 4, formatInt("%d", r.numberOfPlots));
    put(s, 7, 4, formatValue("%g", r.objectiveNumber));
    put(s, 1, 6, formatText("%s", r.standLocation));
    put(s, 5, 6, formatText("%s", r.plotSize));
    if (withProvince) put(s, 7, 6, formatText("%s", r.province));

    moveTo(s, 1, 11);
    s.SetFontSize(TitleSize);
    s.SetText(formatText("%s", std::string(decisionText(r.decision))));
    moveTo(s, 3, 11);
    s.SetFontSize(CaptionSize);
    s.SetText(formatValue("%4.1f", r.standValue));
    moveTo(s, 5, 11);
    s.SetFontSize(CaptionSize);
    s.SetText(formatValue("%4.1f", r.cutoffIndex));

    for (const Analysis& a : analyses())
        for (std::size_t k = 0; k < a.percentages.size(); ++k)
            put(s, 3 + static_cast<int>(k), a.row + 1, formatValue("%4.1f%%", r.*a.percentages[k]));
}

// Plots 1 to 40 in four column pairs of ten rows; k is the plot's place in the tally, not the
// plot number typed there. A plot worth exactly 0 leaves its place blank.
void fillPlotTable(Sheet& s, const StandResults& r) {
    for (int k = 1; k <= ShownPlots; ++k) {
        const double value = r.plotValueAt(k);
        if (value == 0) continue;
        const int group = (k - 1) / PlotsPerGroup;
        const int row = PlotTableRow + (k - 1) % PlotsPerGroup;
        put(s, 3 + 2 * group, row, formatInt("%d", k));
        put(s, 4 + 2 * group, row, formatValue("%4.1f", value));
    }
}

} // namespace

void setUpReportSheet(Sheet& sheet) {
    sheet.SetMaxCols(ReportColumns);
    sheet.SetMaxRows(ReportRows);
    sheet.SetColWidth(1, 13.0);
    sheet.SetColWidth(ReportColumns, 35.0);
}

bool reportGatePasses(const StandResults* results, bool showResults) {
    return results != nullptr && results->cutoffIndex > 0 && showResults;
}

void clearReport(Sheet& sheet) {
    sheet.SetBlockMode(true);
    select(sheet, {1, 1, ReportColumns, ReportRows});
    sheet.DoAction(Sheet::ClearWithFormatting);
    sheet.SetBlockMode(false);
}

void fillReport(Sheet& sheet, const StandResults& results, bool withProvince) {
    sheet.SetRowHeight(1, 0.0);
    sheet.SetRowHeight(2, 18.0);
    fillHeadings(sheet, withProvince);
    fillOutlines(sheet, withProvince);
    fillValues(sheet, results, withProvince);
    fillPlotTable(sheet, results);
}

} // namespace timbra
