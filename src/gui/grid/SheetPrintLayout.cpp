#include "gui/grid/SheetPrintLayout.h"

#include "gui/grid/CellLook.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>

using timbra::Sheet;

namespace {

// Grid lines are hairlines, lighter than the cells' outlines.
const QColor gridColour(0xD4, 0xD4, 0xD4);
const QColor headingColour(0xE4, 0xE4, 0xE4);

// The last row of the block with a text or an outline: a paper form ends there.
int lastRowShown(const Sheet& sheet, const Sheet::Block& block) {
    for (int r = block.row2; r > block.row1; --r)
        for (int c = block.col1; c <= block.col2; ++c)
            if (!isBlankText(sheet.GetText(c, r)) || sheet.formatAt(c, r).borders) return r;
    return block.row1;
}

} // namespace

SheetPrintLayout::SheetPrintLayout(const Sheet& sheet, const Sheet::Block& block, const QFont& font,
                                   const QPaintDevice& device, QSizeF page)
    : sheet_(sheet), block_(block), font_(font), dpi_(device.logicalDpiY()), form_(sheet.printAsForm()) {
    if (block_.empty()) return;
    const QFontMetricsF metrics(font_, &device);
    if (form_) {
        block_.row2 = lastRowShown(sheet_, block_);
    } else {
        const double padding = 2 * CellTextPadding * dpi_ / 96.0;
        rowNumberWidth_ = metrics.horizontalAdvance(QString::number(block_.row2)) + padding;
        headingHeight_ = rowPixels(Sheet::DefaultRowHeight, dpi_);
    }

    const double unit = widthUnit(sheet_, font_, &device);
    double x = rowNumberWidth_;
    for (int c = block_.col1; c <= block_.col2; ++c) {
        columnLefts_.push_back(x);
        x += columnPixels(sheet_.GetColWidth(c), unit, device.logicalDpiX());
    }
    columnLefts_.push_back(x);
    if (form_) {
        // A form ends at its last column that shows a text, a text running on, or an outline.
        int lastCol = block_.col1;
        for (int r = block_.row1; r <= block_.row2; ++r)
            for (int c = block_.col1; c <= block_.col2; ++c) {
                const std::string& text = sheet_.GetText(c, r);
                if (sheet_.formatAt(c, r).borders) lastCol = std::max(lastCol, c);
                if (isBlankText(text)) continue;
                const double width = QFontMetricsF(cellFont(font_, sheet_.formatAt(c, r)), &device)
                                         .horizontalAdvance(QString::fromStdString(text)) +
                                     2 * CellTextPadding * dpi_ / 96.0;
                lastCol = std::max(lastCol, textRunEnd(sheet_, c, r, block_.col2, width,
                                                       [this](int col) { return columnWidth(col); }));
            }
        columnLefts_.resize(static_cast<std::size_t>(lastCol - block_.col1 + 2));
        block_.col2 = lastCol;
        x = columnLefts_.back();
    }
    const Sheet::PrintFit fit = form_ ? sheet_.printFit() : Sheet::PrintFit::Shrink;
    if (x > 0 && (x > page.width() || fit != Sheet::PrintFit::Shrink)) scale_ = page.width() / x;
    if (fit == Sheet::PrintFit::Page) {
        // One page: a taller form is narrowed to the page's height, a shorter one takes taller rows.
        double height = 0;
        for (int r = block_.row1; r <= block_.row2; ++r)
            height += rowHeight(r);
        if (height * scale_ > page.height())
            scale_ = page.height() / height;
        else if (height > 0)
            rowStretch_ = page.height() / (height * scale_);
    }

    // Rows fill each page down to its foot; a hidden row (height 0) takes no room.
    const double room = page.height() / scale_;
    double y = headingHeight_;
    Page current{block_.row1, block_.row1};
    bool shown = false; // the page holds a row that takes room
    for (int r = block_.row1; r <= block_.row2; ++r) {
        const double h = rowHeight(r);
        if (shown && h > 0 && y + h > room * (1 + 1e-9)) {
            pages_.push_back(current);
            current.firstRow = r;
            y = headingHeight_;
            shown = false;
        }
        current.lastRow = r;
        y += std::max(h, 0.0);
        shown = shown || h > 0;
    }
    pages_.push_back(current);
}

double SheetPrintLayout::rowHeight(int row) const {
    return rowPixels(sheet_.GetRowHeight(row), dpi_) * rowStretch_;
}

double SheetPrintLayout::columnLeft(int col) const {
    return columnLefts_[static_cast<std::size_t>(col - block_.col1)];
}

double SheetPrintLayout::columnWidth(int col) const {
    return columnLeft(col + 1) - columnLeft(col);
}

void SheetPrintLayout::paintPage(QPainter& painter, int index) const {
    if (index < 0 || index >= pageCount()) return;
    painter.save();
    painter.scale(scale_, scale_);
    if (!form_) paintHeadings(painter);
    const Page& page = pages_[static_cast<std::size_t>(index)];
    double y = headingHeight_;
    for (int r = page.firstRow; r <= page.lastRow; ++r) {
        const double h = rowHeight(r);
        if (h <= 0) continue;
        painter.save();
        painter.translate(0, y);
        paintRow(painter, r, h);
        painter.restore();
        y += h;
    }
    painter.restore();
}

void SheetPrintLayout::paintHeadings(QPainter& painter) const {
    painter.setFont(font_);
    painter.setPen(QPen(gridColour, 0));
    const QRectF corner(0, 0, rowNumberWidth_, headingHeight_);
    painter.setBrush(headingColour);
    painter.drawRect(corner);
    for (int c = block_.col1; c <= block_.col2; ++c) {
        const QRectF cell(columnLeft(c), 0, columnWidth(c), headingHeight_);
        painter.setPen(QPen(gridColour, 0));
        painter.drawRect(cell);
        painter.setPen(Qt::black);
        painter.drawText(cell, Qt::AlignCenter | Qt::TextSingleLine,
                         QString::fromStdString(sheet_.colHeading(c)));
    }
    painter.setBrush(Qt::NoBrush);
}

void SheetPrintLayout::paintRow(QPainter& painter, int row, double height) const {
    // Backgrounds, grid lines and outlines first, then the texts, which may cross into blank cells.
    // A paper form keeps only the outlines.
    painter.setFont(font_);
    if (!form_) {
        const QRectF number(0, 0, rowNumberWidth_, height);
        painter.setPen(QPen(gridColour, 0));
        painter.setBrush(headingColour);
        painter.drawRect(number);
        painter.setPen(Qt::black);
        painter.drawText(number, Qt::AlignCenter | Qt::TextSingleLine, QString::number(row));
    }
    for (int c = block_.col1; c <= block_.col2; ++c) {
        const QRectF cell(columnLeft(c), 0, columnWidth(c), height);
        const timbra::CellFormat& format = sheet_.formatAt(c, row);
        if (!form_) {
            painter.setPen(QPen(gridColour, 0));
            painter.setBrush(format.staticText ? QBrush(labelBackground()) : QBrush(Qt::NoBrush));
            painter.drawRect(cell);
        }
        drawCellBorders(painter, cell, format, dpi_ / 96.0);
    }
    painter.setBrush(Qt::NoBrush);

    const double padding = CellTextPadding * dpi_ / 96.0;
    for (int c = block_.col1; c <= block_.col2; ++c) {
        const std::string& text = sheet_.GetText(c, row);
        if (isBlankText(text)) continue;
        const QFont font = cellFont(font_, sheet_.formatAt(c, row));
        const QString shown = QString::fromStdString(text);
        const double width = QFontMetricsF(font, painter.device()).horizontalAdvance(shown) + 2 * padding;
        const int end =
            textRunEnd(sheet_, c, row, block_.col2, width, [this](int col) { return columnWidth(col); });
        const QRectF run(columnLeft(c), 0, columnLeft(end) + columnWidth(end) - columnLeft(c), height);
        painter.save();
        painter.setClipRect(run);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(run.adjusted(padding, 0, -padding, 0),
                         int(cellAlignment(sheet_.editorAt(c, row))) | Qt::TextSingleLine, shown);
        painter.restore();
    }
}
