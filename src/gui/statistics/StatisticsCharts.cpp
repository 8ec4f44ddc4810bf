#include "gui/statistics/StatisticsCharts.h"

#include "gui/statistics/StatisticsContent.h"

#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QLegendMarker>
#include <QLineSeries>
#include <QStackedBarSeries>
#include <QValueAxis>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

const std::array<QColor, timbra::TableClassCount> ClassColours{
    QColor(0x2e, 0x7d, 0x32), QColor(0x15, 0x65, 0xc0), QColor(0xef, 0x8f, 0x00), QColor(0x75, 0x75, 0x75),
    QColor(0x8e, 0x24, 0xaa)};

QChart* newChart(const QString& title) {
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(4, 4, 4, 4)); // the default leaves wide empty borders on a page
    chart->setDropShadowEnabled(false);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

// A horizontal line across the plots, on the chart's value axes.
QLineSeries* level(QChart* chart, const QString& name, double y, double left, double right, const QPen& pen) {
    auto* line = new QLineSeries;
    line->setName(name);
    line->append(left, y);
    line->append(right, y);
    line->setPen(pen);
    chart->addSeries(line);
    return line;
}

// One to twenty plot numbers along the axis: every plot, or every 2nd, 5th, 10th, 20th, 50th...
int plotTickInterval(qsizetype plots) {
    for (int step = 1;; step *= 10)
        for (int factor : {1, 2, 5})
            if (plots <= 20LL * step * factor) return step * factor;
}

} // namespace

int labelDecimals(const QValueAxis& axis) {
    const double step = (axis.max() - axis.min()) / std::max(1, axis.tickCount() - 1);
    if (!(step > 0) || !std::isfinite(step) || step >= 1) return 0;
    // Enough decimals to tell neighbouring labels apart, whatever small figures the stand gives.
    return std::min(12, static_cast<int>(std::ceil(-std::log10(step) - 1e-9)));
}

QChart* makePlotValueChart(const timbra::StandStatistics& statistics, const timbra::StandResults& results) {
    const timbra::SamplingStatistics& s = statistics.sampling;
    const PlotBars drawn = plotBars(s, results);
    const QList<double>& values = drawn.values;
    QChart* chart = newChart(QStringLiteral("Plot values per acre"));

    auto* plots = new QBarSet(QStringLiteral("Plot value"));
    plots->setColor(QColor(0x90, 0xa4, 0xae));
    plots->setBorderColor(QColor(0x60, 0x7d, 0x8b));
    QStringList numbers;
    for (int k = 0; k < values.size(); ++k) {
        *plots << values[k];
        numbers << QString::number(k + 1);
    }
    auto* bars = new QBarSeries;
    bars->append(plots);
    bars->setBarWidth(0.8);
    chart->addSeries(bars);

    // Bar k (from 0) stands at k + 1 on the value axis, so the levels and the plot numbers share it.
    const double left = 0.5, right = values.size() + 0.5;
    QList<QAbstractSeries*> levels;
    if (s.low && s.high && std::isfinite(*s.low) && std::isfinite(*s.high)) {
        auto* band = new QAreaSeries;
        // Children of the band, so they go with it whether or not the band deletes them itself.
        band->setUpperSeries(new QLineSeries(band));
        band->setLowerSeries(new QLineSeries(band));
        band->upperSeries()->append({QPointF(left, *s.high), QPointF(right, *s.high)});
        band->lowerSeries()->append({QPointF(left, *s.low), QPointF(right, *s.low)});
        band->setName(QStringLiteral("95% interval"));
        band->setColor(QColor(0x42, 0x85, 0xf4, 60));
        band->setBorderColor(QColor(0x42, 0x85, 0xf4, 140));
        chart->addSeries(band);
        levels << band;
    }
    // A header below the tally leaves the mean to the stand value, which rests on nothing.
    const bool headerBelowTally = s.plotsInHeader < s.plotsFormed || s.plotsInHeader < 1;
    if (std::isfinite(s.mean) && !headerBelowTally)
        levels << level(chart, QStringLiteral("Mean"), s.mean, left, right,
                        QPen(QColor(0x1a, 0x47, 0x9e), 2));
    const bool cutoff = s.threshold && results.cutoffIndex > 0;
    if (cutoff) {
        QPen dashed(QColor(0xc6, 0x28, 0x28), 2, Qt::DashLine);
        levels << level(chart, QStringLiteral("Cut-off"), results.cutoffIndex, left, right, dashed);
    }

    double low = 0, high = 0;
    for (double v : values) {
        if (!std::isfinite(v)) continue; // a broken plot must not take the axis with it
        low = std::min(low, v);
        high = std::max(high, v);
    }
    for (auto figure : {s.low, s.high, headerBelowTally ? std::nullopt : std::optional<double>(s.mean)})
        if (figure && std::isfinite(*figure)) {
            low = std::min(low, *figure);
            high = std::max(high, *figure);
        }
    if (cutoff) high = std::max(high, results.cutoffIndex);
    if (high <= low) high = low + 1;

    auto* y = new QValueAxis;
    y->setRange(low, high + 0.08 * (high - low));
    y->setTitleText(QStringLiteral("Value per acre"));
    y->applyNiceNumbers();
    chart->addAxis(y, Qt::AlignLeft);
    auto* categories = new QBarCategoryAxis; // places the bars; the plot numbers come from the axis below
    categories->append(numbers);
    categories->setVisible(false);
    chart->addAxis(categories, Qt::AlignBottom);
    bars->attachAxis(categories);
    bars->attachAxis(y);
    auto* x = new QValueAxis;
    x->setRange(left, right);
    x->setTickType(QValueAxis::TicksDynamic);
    x->setTickAnchor(0);
    x->setTickInterval(plotTickInterval(values.size()));
    x->setLabelFormat(QStringLiteral("%d"));
    x->setTitleText(
        drawn.withoutTrees > 0
            ? QStringLiteral("Plot; and %1, not drawn").arg(plotsWithoutTreesText(drawn.withoutTrees))
            : QStringLiteral("Plot"));
    x->setGridLineVisible(false);
    chart->addAxis(x, Qt::AlignBottom);
    for (QAbstractSeries* series : levels) {
        series->attachAxis(x);
        series->attachAxis(y);
    }
    return chart;
}

QChart* makeStandTableChart(const timbra::StandStatistics& statistics) {
    QChart* chart = newChart(QStringLiteral("Trees per acre by diameter class"));
    if (!statistics.standTable || statistics.standTable->classes.empty()) return chart;
    const timbra::StandTable& table = *statistics.standTable;

    auto* series = new QStackedBarSeries;
    series->setBarWidth(0.8);
    for (int c = 0; c < timbra::TableClassCount; ++c) {
        auto* set = new QBarSet(QString::fromLatin1(timbra::StandTableClassNames[c]));
        set->setColor(ClassColours[c]);
        set->setBorderColor(ClassColours[c].darker(130));
        bool any = false;
        for (const auto& row : table.classes) {
            *set << row.treesPerAcre[c];
            any = any || row.treesPerAcre[c] != 0;
        }
        if (any)
            series->append(set);
        else
            delete set; // a class with no trees would only crowd the legend
    }
    chart->addSeries(series);

    auto* x = new QBarCategoryAxis;
    for (const auto& row : table.classes)
        x->append(QString::number(row.dbhClass));
    x->setTitleText(QStringLiteral("Diameter class (inches)"));
    chart->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);
    auto* y = new QValueAxis;
    y->setTitleText(QStringLiteral("Trees per acre"));
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
    y->applyNiceNumbers();
    y->setLabelFormat(QStringLiteral("%.") + QString::number(labelDecimals(*y)) + QStringLiteral("f"));
    return chart;
}

void usePixelFonts(QChart& chart, int pixelSize) {
    QFont font = chart.font();
    font.setPixelSize(pixelSize);
    QFont title = font;
    title.setBold(true);
    title.setPixelSize(pixelSize + 2);
    chart.setTitleFont(title);
    chart.legend()->setFont(font);
    for (QAbstractAxis* axis : chart.axes()) {
        axis->setLabelsFont(font);
        axis->setTitleFont(font);
    }
}
