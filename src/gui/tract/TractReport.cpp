#include "gui/tract/TractReport.h"

#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <numeric>

namespace {

// The page heading: program, tract file and date, then the objective; returns the height used.
double paintHeading(QPainter& painter, const QRectF& page, const TractReportContent& content,
                    int pageNumber) {
    QFont bold = painter.font();
    bold.setBold(true);
    painter.save();
    painter.setFont(bold);
    const double line = painter.fontMetrics().height();
    painter.drawText(QRectF(page.left(), page.top(), page.width(), line), Qt::AlignLeft | Qt::AlignVCenter,
                     content.heading);
    painter.restore();
    painter.drawText(QRectF(page.left(), page.top(), page.width(), line), Qt::AlignRight | Qt::AlignVCenter,
                     QObject::tr("Page %1").arg(pageNumber));
    painter.drawText(QRectF(page.left(), page.top() + line, page.width(), line),
                     Qt::AlignLeft | Qt::AlignVCenter, content.objective);
    return 2.6 * line;
}

} // namespace

QString paintTractReport(QPdfWriter& writer, QPainter& painter, const TractReportContent& content) {
    const QRectF page(0, 0, writer.width(), writer.height());
    // Columns as wide as their texts, a long text cut to a ninth of the page; the type is made
    // smaller (to 5 points) until the table fits the page's width, and the columns are narrowed
    // together if it still does not.
    const std::size_t columns = static_cast<std::size_t>(content.columns.size());
    QFont font(QStringLiteral("DejaVu Sans"));
    std::vector<double> widths(columns, 0);
    double total = 0;
    for (double points = 7; points >= 5; points -= 0.5) {
        font.setPointSizeF(points);
        painter.setFont(font);
        const QFontMetricsF metrics(painter.fontMetrics());
        const double pad = metrics.horizontalAdvance(QLatin1Char(' '));
        for (std::size_t c = 0; c < columns; ++c) {
            // Headings may take two lines: the longest word, in bold, sets their width.
            widths[c] = 0;
            for (const QString& word : content.columns[static_cast<qsizetype>(c)].split(QLatin1Char(' ')))
                widths[c] = std::max(widths[c], 1.1 * metrics.horizontalAdvance(word));
            for (const QStringList& row : content.rows)
                widths[c] = std::max(widths[c], metrics.horizontalAdvance(row[static_cast<qsizetype>(c)]));
            widths[c] = std::min(widths[c], page.width() / 9) + 2 * pad;
        }
        total = std::accumulate(widths.begin(), widths.end(), 0.0);
        if (total <= page.width()) break;
    }
    if (total > page.width())
        for (double& w : widths)
            w *= page.width() / total;
    const QFontMetricsF metrics(painter.fontMetrics());
    const double line = metrics.height() * 1.25;
    const double pad = metrics.horizontalAdvance(QLatin1Char(' '));

    int pageNumber = 1;
    auto paintColumns = [&](double top) {
        QFont bold = font;
        bold.setBold(true);
        painter.save();
        painter.setFont(bold);
        double x = page.left();
        for (std::size_t c = 0; c < columns; ++c) {
            painter.drawText(QRectF(x + pad, top, widths[c] - 2 * pad, 2 * line),
                             Qt::TextWordWrap | Qt::AlignBottom |
                                 (content.rightAligned[c] ? Qt::AlignRight : Qt::AlignLeft),
                             content.columns[static_cast<qsizetype>(c)]);
            x += widths[c];
        }
        painter.restore();
        painter.drawLine(QPointF(page.left(), top + 2 * line), QPointF(page.right(), top + 2 * line));
        return top + 2 * line + line * 0.2;
    };

    double y = paintColumns(page.top() + paintHeading(painter, page, content, pageNumber));
    for (const QStringList& row : content.rows) {
        if (y + line > page.bottom()) {
            if (!writer.newPage()) return QObject::tr("a new page could not be started");
            y = paintColumns(page.top() + paintHeading(painter, page, content, ++pageNumber));
        }
        double x = page.left();
        for (std::size_t c = 0; c < columns; ++c) {
            const QString text =
                metrics.elidedText(row[static_cast<qsizetype>(c)], Qt::ElideMiddle, widths[c] - 2 * pad);
            painter.drawText(QRectF(x + pad, y, widths[c] - 2 * pad, line),
                             Qt::AlignVCenter | (content.rightAligned[c] ? Qt::AlignRight : Qt::AlignLeft),
                             text);
            x += widths[c];
        }
        y += line;
    }

    // The chart on pages of its own, one line per stand in the table's order.
    const TractChartScale scale = TractChartScale::of(content.lines);
    const double chartLine = line * 1.2;
    for (std::size_t first = 0; first < content.lines.size();) {
        if (!writer.newPage()) return QObject::tr("a new page could not be started");
        const double top = page.top() + paintHeading(painter, page, content, ++pageNumber);
        const double room = page.bottom() - top - tractChartAxisHeight(chartLine);
        const auto count = std::max<std::size_t>(1, static_cast<std::size_t>(room / chartLine));
        paintTractChart(painter, QRectF(page.left(), top, page.width(), page.bottom() - top), content.lines,
                        first, count, scale, chartLine, true);
        first += count;
    }
    return {};
}
