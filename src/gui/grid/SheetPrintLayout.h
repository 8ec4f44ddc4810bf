#pragma once

#include "core/grid/Sheet.h"

#include <QFont>
#include <QSizeF>

#include <vector>

class QPainter;
class QPaintDevice;

// Lays a block of a sheet out on pages and paints them one at a time, with the column headings
// repeated on every page, row numbers, grid lines, the cells' fonts and outlines, and texts that run
// on into blank cells. A block wider than the page is scaled down to the page width, so a row never
// splits across pages; rows are paged by the page height. A sheet printed as a form shows only its
// texts and outlines, up to its last row and column that show something, and may be scaled to the
// page's width or fill the page (Sheet::printFit). The printer, PDF files and tests all go through
// paintPage.
class SheetPrintLayout {
public:
    // `page` is the paintable area in the device's pixels; `font` is the grid's font.
    SheetPrintLayout(const timbra::Sheet& sheet, const timbra::Sheet::Block& block, const QFont& font,
                     const QPaintDevice& device, QSizeF page);

    int pageCount() const { return static_cast<int>(pages_.size()); }
    // The factor the sheet is drawn at: 1, or less when the block is wider than the page.
    double scale() const { return scale_; }
    // Paints page `index` (from 0) at the painter's origin.
    void paintPage(QPainter& painter, int index) const;

private:
    struct Page {
        int firstRow, lastRow;
    };
    double columnLeft(int col) const;
    double columnWidth(int col) const;
    double rowHeight(int row) const;
    void paintHeadings(QPainter& painter) const;
    void paintRow(QPainter& painter, int row, double top) const;

    const timbra::Sheet& sheet_;
    timbra::Sheet::Block block_;
    QFont font_;
    double dpi_;
    bool form_; // a paper form: no headings, row numbers, grid lines or shading
    double scale_ = 1;
    double rowStretch_ = 1; // a form that fills its page takes taller rows, in the same font
    double rowNumberWidth_ = 0, headingHeight_ = 0;
    std::vector<double> columnLefts_; // block columns, then the right edge of the last
    std::vector<Page> pages_;
};
