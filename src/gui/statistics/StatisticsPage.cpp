#include "gui/statistics/StatisticsPage.h"

#include "gui/statistics/StatisticsCharts.h"
#include "gui/statistics/StatisticsContent.h"

#include <QChart>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QPainter>

#include <algorithm>
#include <numeric>

namespace {

// Every size below is in pixels of a 96 dpi page; fonts are set in pixels so that the scale to the
// device's resolution applies to text and lines alike.
constexpr double Gap = 10, RowHeight = 15, ChartHeight = 270, CellPadding = 8;
constexpr int BodyPixels = 10;

QFont pixelFont(int pixels, bool bold = false) {
    QFont font;
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

struct Table {
    const StatisticsTable& content;
    QList<double> widths;
    double width() const { return std::accumulate(widths.begin(), widths.end(), 0.0); }
    double height() const { return content.headings.isEmpty() ? 0 : RowHeight * (content.rows.size() + 1); }
};

// Each column as wide as its widest text in bold (headings and totals are bold).
Table measure(const StatisticsTable& content, const QFontMetricsF& bold) {
    Table table{content, {}};
    for (int c = 0; c < content.headings.size(); ++c) {
        double w = bold.horizontalAdvance(content.headings[c]);
        for (const QStringList& row : content.rows)
            w = std::max(w, bold.horizontalAdvance(row.value(c)));
        table.widths << w + CellPadding;
    }
    return table;
}

// The heading row in bold over a rule; the last row in bold under a rule when it is a total.
void paintTable(QPainter& p, const Table& table, QPointF at, bool lastIsTotal) {
    const QFont plain = pixelFont(BodyPixels), bold = pixelFont(BodyPixels, true);
    const auto paintRow = [&](const QStringList& cells, double y) {
        double x = at.x();
        for (int c = 0; c < table.widths.size(); ++c) {
            const QRectF cell(x, y, table.widths[c] - CellPadding / 2, RowHeight);
            p.drawText(cell, (c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter, cells.value(c));
            x += table.widths[c];
        }
    };
    p.setFont(bold);
    paintRow(table.content.headings, at.y());
    p.drawLine(QPointF(at.x(), at.y() + RowHeight), QPointF(at.x() + table.width(), at.y() + RowHeight));
    for (int r = 0; r < table.content.rows.size(); ++r) {
        const double y = at.y() + RowHeight * (r + 1);
        const bool total = lastIsTotal && r == table.content.rows.size() - 1;
        p.setFont(total ? bold : plain);
        if (total) p.drawLine(QPointF(at.x(), y), QPointF(at.x() + table.width(), y));
        paintRow(table.content.rows[r], y);
    }
}

void paintChart(QPainter& p, QChart* chart, const QRectF& where) {
    QGraphicsScene scene; // owns the chart from here
    scene.addItem(chart);
    usePixelFonts(*chart, BodyPixels);
    chart->resize(where.size());
    chart->layout()->activate();
    scene.render(&p, where, QRectF(QPointF(0, 0), where.size()));
}

} // namespace

void paintStatisticsPage(QPainter& p, const QRectF& page, const timbra::StandStatistics& statistics,
                         const timbra::StandResults& results, const QString& program) {
    const StatisticsContent content = statisticsContent(statistics, results, program);
    const QFont title = pixelFont(16, true), headline = pixelFont(12, true), body = pixelFont(BodyPixels),
                bold = pixelFont(BodyPixels, true);
    const QFontMetricsF bodyMetrics(body, p.device()), boldMetrics(bold, p.device());

    const Table stand = measure(content.standTable, boldMetrics);
    const Table species = measure(content.species, boldMetrics);
    const double width = std::max(720.0, stand.width() + 2 * Gap + species.width());

    // Heights first, so the whole page can be scaled to fit.
    const QRectF lineBox(0, 0, width, 1000);
    const double decisionHeight = QFontMetricsF(headline, p.device())
                                      .boundingRect(lineBox, Qt::TextWordWrap, content.decisionLine)
                                      .height();
    const QString notes = content.notes.join('\n');
    const double notesHeight =
        notes.isEmpty() ? 0 : bodyMetrics.boundingRect(lineBox, Qt::TextWordWrap, notes).height() + Gap;
    const int figureRows = static_cast<int>((content.figures.size() + 1) / 2);
    const int standRows = static_cast<int>((content.stand.size() + 2) / 3);
    const double height = 24 + standRows * RowHeight + Gap + decisionHeight + Gap +
                          (figureRows + content.weighing.size()) * RowHeight + Gap + notesHeight +
                          ChartHeight + Gap + std::max(stand.height(), species.height());

    const double scale = std::min(page.width() / width, page.height() / height);
    p.save();
    p.translate(page.topLeft());
    p.scale(scale, scale);
    p.setPen(Qt::black);

    double y = 0;
    p.setFont(title);
    p.drawText(QRectF(0, y, width, 24), Qt::AlignLeft | Qt::AlignTop, content.title);
    y += 24;
    // What the page is about, three to a row: label, then its value in bold.
    const double third = width / 3;
    for (int i = 0; i < content.stand.size(); ++i) {
        const QPointF at((i % 3) * third, y + (i / 3) * RowHeight);
        p.setFont(body);
        const QString label = content.stand[i].label + QStringLiteral(": ");
        const double labelWidth = bodyMetrics.horizontalAdvance(label);
        p.drawText(QRectF(at, QSizeF(labelWidth, RowHeight)), Qt::AlignLeft | Qt::AlignVCenter, label);
        p.setFont(bold);
        p.drawText(QRectF(at + QPointF(labelWidth, 0), QSizeF(third - labelWidth - Gap, RowHeight)),
                   Qt::AlignLeft | Qt::AlignVCenter,
                   boldMetrics.elidedText(content.stand[i].value, Qt::ElideRight, third - labelWidth - Gap));
    }
    y += standRows * RowHeight + Gap;
    p.setFont(headline);
    p.drawText(QRectF(0, y, width, decisionHeight), Qt::TextWordWrap, content.decisionLine);
    y += decisionHeight + Gap;

    // The figures in two columns, label then value.
    const double column = width / 2;
    for (int i = 0; i < content.figures.size(); ++i) {
        const QPointF at((i / figureRows) * column, y + (i % figureRows) * RowHeight);
        p.setFont(body);
        p.drawText(QRectF(at, QSizeF(180, RowHeight)), Qt::AlignLeft | Qt::AlignVCenter,
                   content.figures[i].label);
        p.setFont(bold);
        p.drawText(QRectF(at + QPointF(180, 0), QSizeF(column - 190, RowHeight)),
                   Qt::AlignLeft | Qt::AlignVCenter, content.figures[i].value);
    }
    y += figureRows * RowHeight;
    // The confidence and whether it is settled, each on a line of its own with its full label.
    for (const StatisticsFigure& figure : content.weighing) {
        p.setFont(body);
        const QString label = figure.label + QStringLiteral(": ");
        const double labelWidth = bodyMetrics.horizontalAdvance(label);
        p.drawText(QRectF(0, y, labelWidth, RowHeight), Qt::AlignLeft | Qt::AlignVCenter, label);
        p.setFont(bold);
        p.drawText(QRectF(labelWidth, y, width - labelWidth, RowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                   figure.value);
        y += RowHeight;
    }
    y += Gap;
    if (!notes.isEmpty()) {
        p.setFont(body);
        p.drawText(QRectF(0, y, width, notesHeight), Qt::TextWordWrap, notes);
        y += notesHeight;
    }

    const double chartWidth = (width - Gap) / 2;
    paintChart(p, makePlotValueChart(statistics, results), QRectF(0, y, chartWidth, ChartHeight));
    paintChart(p, makeStandTableChart(statistics), QRectF(chartWidth + Gap, y, chartWidth, ChartHeight));
    y += ChartHeight + Gap;

    p.setPen(Qt::black);
    paintTable(p, stand, QPointF(0, y), true);
    paintTable(p, species, QPointF(stand.width() + 2 * Gap, y), false);
    p.restore();
}
