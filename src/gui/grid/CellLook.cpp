#include "gui/grid/CellLook.h"

#include <QFontMetricsF>
#include <QObject>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <vector>

using timbra::CellEditor;
using timbra::CellFormat;

double characterWidth(const QFontMetricsF& metrics) {
    return metrics.horizontalAdvance(QLatin1Char('0'));
}

double widthUnit(const timbra::Sheet& sheet, const QFont& font, const QPaintDevice* device) {
    const auto metrics = [device](const QFont& f) {
        return device ? QFontMetricsF(f, device) : QFontMetricsF(f);
    };
    const QFontMetricsF plain = metrics(font);
    double unit = characterWidth(plain);
    const auto fit = [&unit](double textWidth, double characters) {
        if (characters > 0) unit = std::max(unit, textWidth / characters);
    };
    for (int c = 1; c <= sheet.GetMaxCols(); ++c) {
        const double characters = sheet.GetColWidth(c);
        if (sheet.colHeadingsShown())
            fit(plain.horizontalAdvance(QString::fromStdString(sheet.colHeading(c))), characters);
        // A column's cells share a handful of editors, most of them over long runs of rows.
        std::vector<const CellEditor*> lists;
        for (int r = 1; r <= sheet.GetMaxRows(); ++r) {
            const CellEditor& editor = sheet.editorAt(c, r);
            if (editor.kind != CellEditor::Kind::List ||
                std::find(lists.begin(), lists.end(), &editor) != lists.end())
                continue;
            lists.push_back(&editor);
            const QFontMetricsF cell = metrics(cellFont(font, sheet.formatAt(c, r)));
            for (const std::string& item : editor.items)
                fit(cell.horizontalAdvance(QString::fromStdString(item)), characters);
        }
    }
    // A caption may run on over blank cells that take no entry of their own (a cell with its own or
    // its column's editor is a value the user will type).
    const CellEditor* free = &sheet.defaultEditor();
    sheet.forEachCaption([&](int col, int row, const std::string& caption) {
        double characters = sheet.GetColWidth(col);
        for (int c = col;
             c < sheet.GetMaxCols() && textRunsOn(sheet, c, row) && &sheet.editorAt(c + 1, row) == free;)
            characters += sheet.GetColWidth(++c);
        fit(metrics(cellFont(font, sheet.formatAt(col, row)))
                .horizontalAdvance(QString::fromStdString(caption)),
            characters);
    });
    return unit;
}

double columnPixels(double characters, double averageCharWidth, double dpi) {
    return characters * averageCharWidth + 2 * CellTextPadding * dpi / 96.0;
}

double rowPixels(double points, double dpi) {
    return points * dpi / 72.0;
}

QFont cellFont(const QFont& base, const CellFormat& format) {
    QFont font = base;
    if (format.bold) font.setBold(true);
    if (format.fontSize > 0) font.setPointSizeF(format.fontSize);
    return font;
}

QColor markedBackground() {
    return QColor(255, 205, 205);
}

QColor labelBackground() {
    return QColor(242, 242, 242);
}

Qt::Alignment cellAlignment(const CellEditor& editor) {
    const bool number = editor.kind == CellEditor::Kind::Integer || editor.kind == CellEditor::Kind::Float;
    return (number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

QString limitsText(const CellEditor& editor) {
    QString text = QString::fromStdString(editor.describe());
    if (!text.isEmpty()) text[0] = text[0].toUpper();
    return text;
}

QString refusalText(const CellEditor& editor) {
    return QString::fromStdString(editor.refusal());
}

void drawCellBorders(QPainter& painter, const QRectF& rect, const CellFormat& format, double width) {
    if (!format.borders) return;
    painter.save();
    painter.setPen(QPen(QColor(QRgb(format.borderColor)), width));
    const double half = width / 2;
    const QRectF r = width > 0 ? rect.adjusted(half, half, -half, -half) : rect.adjusted(0, 0, -1, -1);
    if (format.borders & timbra::BorderLeft) painter.drawLine(r.topLeft(), r.bottomLeft());
    if (format.borders & timbra::BorderTop) painter.drawLine(r.topLeft(), r.topRight());
    if (format.borders & timbra::BorderRight) painter.drawLine(r.topRight(), r.bottomRight());
    if (format.borders & timbra::BorderBottom) painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.restore();
}

bool textRunsOn(const timbra::Sheet& sheet, int col, int row) {
    return isBlankText(sheet.GetText(col + 1, row)) &&
           !(sheet.formatAt(col, row).borders & timbra::BorderRight) &&
           !(sheet.formatAt(col + 1, row).borders & timbra::BorderLeft);
}

bool isBlankText(const std::string& text) {
    return text.empty() || text == " ";
}
