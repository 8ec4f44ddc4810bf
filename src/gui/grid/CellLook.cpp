#include "grid/CellLook.h"

#include <QFontMetricsF>
#include <QObject>
#include <QPainter>
#include <QPen>

using timbra::CellEditor;
using timbra::CellFormat;

double characterWidth(const QFontMetricsF& metrics) {
    return metrics.horizontalAdvance(QLatin1Char('0'));
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

bool isBlankText(const std::string& text) {
    return text.empty() || text == " ";
}
