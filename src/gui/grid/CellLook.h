#pragma once

#include "core/grid/Sheet.h"

#include <QColor>
#include <QFont>
#include <QString>

class QFontMetricsF;
class QPaintDevice;
class QPainter;
class QRectF;

// How cells look, shared by the grid on screen and its printout, so both show the same sheet.

// Room left of and right of a cell's text, in pixels of a 96-dpi screen.
constexpr double CellTextPadding = 3;

// Column widths are kept in characters of the grid's font, row heights in points.
double columnPixels(double characters, double averageCharWidth, double dpi);
// The width of one character of a column width: the digit zero, as spreadsheets measure columns.
double characterWidth(const QFontMetricsF& metrics);
// The pixel width of one unit of the sheet's column widths in `font` on `device` (nullptr: the
// screen): the digit zero, or wider where a heading of the strip, an item of a cell's list or a
// caption (over the blank cells it runs on into) would not show whole at the stored widths.
double widthUnit(const timbra::Sheet& sheet, const QFont& font, const QPaintDevice* device = nullptr);
double rowPixels(double points, double dpi);

// The base font with the cell's bold and point size applied.
QFont cellFont(const QFont& base, const timbra::CellFormat& format);
// Background of a cell whose text its editor would refuse, until it is edited.
QColor markedBackground();
// Background of read-only label cells.
QColor labelBackground();
// Numbers sit at the right of their cells, texts and list items at the left.
Qt::Alignment cellAlignment(const timbra::CellEditor& editor);

// "A whole number from 6 to 40": what a cell accepts, for its tooltip.
QString limitsText(const timbra::CellEditor& editor);
// What the user is told when a cell refuses a value.
QString refusalText(const timbra::CellEditor& editor);

// Draws the cell's outline sides in the format's border colour, just inside the cell. `width` 0 is
// one device pixel (the screen); on paper a wider line keeps the outlines apart from the grid lines.
void drawCellBorders(QPainter& painter, const QRectF& rect, const timbra::CellFormat& format,
                     double width = 0);

// A cell that shows nothing: empty, or the single blank that marks an empty tally cell.
bool isBlankText(const std::string& text);

// Whether a text may run on from column `col` into the next: the next cell is blank and no outline
// stands between them, so a text is never crossed by a line.
bool textRunsOn(const timbra::Sheet& sheet, int col, int row);

// The last column a cell's text covers: a left-aligned text wider than its cell runs on into the
// blank cells to its right, as in a spreadsheet; any other text stays in its cell. `width(c)`
// gives the width of column c in the same unit as `textWidth`.
template <typename Width>
int textRunEnd(const timbra::Sheet& sheet, int col, int row, int lastCol, double textWidth, Width width) {
    if (!(cellAlignment(sheet.editorAt(col, row)) & Qt::AlignLeft)) return col;
    double room = width(col);
    int end = col;
    while (room < textWidth && end < lastCol && textRunsOn(sheet, end, row))
        room += width(++end);
    return end;
}
