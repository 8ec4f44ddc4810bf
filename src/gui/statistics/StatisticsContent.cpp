#include "gui/statistics/StatisticsContent.h"

#include "core/model/ValueFormat.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

using timbra::SamplingStatistics;
using timbra::StandTable;

namespace {

const QString NotAvailable = QStringLiteral("n/a");

QString count(std::optional<int> value) {
    return value ? QString::number(*value) : NotAvailable;
}

QString interval(const SamplingStatistics& s) {
    if (!s.low || !s.high) return NotAvailable;
    return QStringLiteral("%1 to %2").arg(figureText(s.low, 2), figureText(s.high, 2));
}

QString settledText(std::optional<bool> settled) {
    if (!settled) return NotAvailable;
    return *settled ? QStringLiteral("Yes") : QStringLiteral("No");
}

QList<StatisticsFigure> figures(const SamplingStatistics& s, const std::optional<StandTable>& table) {
    QList<StatisticsFigure> list{
        {QStringLiteral("Plots used"), QString::number(s.plots)},
        {QStringLiteral("Plot groups in the tally"), QString::number(s.plotsFormed)},
        {QStringLiteral("Plots in the header"), QString::number(s.plotsInHeader)},
        {QStringLiteral("Mean value per acre"), figureText(s.mean, 2)},
        {QStringLiteral("Standard deviation"), figureText(s.standardDeviation, 2)},
        {QStringLiteral("Standard error"), figureText(s.standardError, 2)},
        {QStringLiteral("Coefficient of variation"), figureText(s.coefficientOfVariation, 1, "%")},
        {QStringLiteral("t at 95%"), figureText(s.t, 3)},
        {QStringLiteral("Sampling error"), figureText(s.samplingErrorPercent, 1, "%")},
        {QStringLiteral("95% interval"), interval(s)},
        {QStringLiteral("Decision threshold"), figureText(s.threshold, 2)},
        {QStringLiteral("Plots to settle"), count(s.plotsToSettle)},
        {QStringLiteral("Plots for 10% error"), count(s.plotsFor10Percent)},
        {QStringLiteral("Plots for 20% error"), count(s.plotsFor20Percent)},
    };
    const auto stand = [&](double StandTable::*field) {
        return table ? std::optional<double>((*table).*field) : std::nullopt;
    };
    list.append({QStringLiteral("Trees per acre"), figureText(stand(&StandTable::treesPerAcre), 1)});
    list.append({QStringLiteral("Basal area per acre"),
                 figureText(stand(&StandTable::basalAreaPerAcre), 1, " sq ft")});
    list.append({QStringLiteral("Quadratic mean diameter"),
                 figureText(table ? table->quadraticMeanDiameter : std::nullopt, 1, " in")});
    return list;
}

// Confidence is one-sided; settled asks for the threshold outside the two-sided 95% interval, that
// is a confidence of at least 97.5%. The labels say so, so that 97.1% beside "No" reads right.
QList<StatisticsFigure> weighing(const SamplingStatistics& s) {
    const auto confidence = s.confidence ? std::optional<double>(100 * *s.confidence) : std::nullopt;
    return {
        {QStringLiteral("Confidence that the true mean is on this side of the threshold (one-sided)"),
         figureText(confidence, 1, "%")},
        {QStringLiteral("Settled: the threshold lies outside the 95% interval (needs confidence of 97.5%)"),
         settledText(s.settled)}};
}

// The result boxes' figures, as the input dialog shows them.
QList<StatisticsFigure> standFigures(const timbra::StandResults& r, const QString& program) {
    const auto orNone = [](const std::string& text) {
        const QString shown = QString::fromStdString(text).trimmed();
        return shown.isEmpty() ? QStringLiteral("none") : shown;
    };
    const QString objective =
        r.decidingObjective() > 0 ? QString::number(r.decidingObjective()) : QStringLiteral("none");
    return {{QStringLiteral("Program"), program},
            {QStringLiteral("Stand"), orNone(r.standName)},
            {QStringLiteral("Objective"), objective},
            {QStringLiteral("Decision"), orNone(std::string(timbra::decisionText(r.decision)))},
            {QStringLiteral("Stand value"), orNone(timbra::formatValue("%4.1f", r.standValue))},
            {QStringLiteral("Cut-off"), r.cutoffIndex > 0
                                            ? orNone(timbra::formatValue("%4.1f", r.cutoffIndex))
                                            : QStringLiteral("none")}};
}

StatisticsTable standTable(const StandTable& table) {
    StatisticsTable t;
    t.headings << QStringLiteral("DBH class");
    for (const char* name : timbra::StandTableClassNames)
        t.headings << QString::fromLatin1(name);
    t.headings << QStringLiteral("Trees/acre") << QStringLiteral("Basal area/acre");

    std::array<double, timbra::TableClassCount> classTotals{};
    for (const auto& row : table.classes) {
        QStringList cells{QString::number(row.dbhClass)};
        double trees = 0, basalArea = 0;
        for (int c = 0; c < timbra::TableClassCount; ++c) {
            cells << figureText(row.treesPerAcre[c], 1);
            trees += row.treesPerAcre[c];
            basalArea += row.basalAreaPerAcre[c];
            classTotals[c] += row.treesPerAcre[c];
        }
        cells << figureText(trees, 1) << figureText(basalArea, 1);
        t.rows << cells;
    }
    QStringList total{QStringLiteral("Total")};
    for (double trees : classTotals)
        total << figureText(trees, 1);
    total << figureText(table.treesPerAcre, 1) << figureText(table.basalAreaPerAcre, 1);
    t.rows << total;
    return t;
}

StatisticsTable speciesTable(const StandTable& table) {
    StatisticsTable t;
    t.headings = QStringList{QStringLiteral("Species"), QStringLiteral("Trees/acre"),
                             QStringLiteral("Basal area/acre"), QStringLiteral("% of basal area")};
    for (const auto& row : table.species) {
        const QString code = row.code.empty() ? QStringLiteral("(blank)") : QString::fromStdString(row.code);
        t.rows << QStringList{code, figureText(row.treesPerAcre, 1), figureText(row.basalAreaPerAcre, 1),
                              figureText(row.basalAreaPercent, 1)};
    }
    return t;
}

} // namespace

QString figureText(std::optional<double> value, int decimals, const QString& unit) {
    if (!value || !std::isfinite(*value)) return NotAvailable;
    // QString::number always writes the C locale's digits and point.
    return QString::number(*value, 'f', decimals) + unit;
}

PlotBars plotBars(const SamplingStatistics& sampling, const timbra::StandResults& results) {
    PlotBars bars;
    const qint64 formed = static_cast<qint64>(results.plotValue.size());
    // A header below the tally (0 or fewer plots included) adds no plots to the ones tallied.
    const qint64 plots = std::max<qint64>(sampling.plots, formed);
    const qint64 drawn = plots <= MostPlotBars ? plots : formed;
    for (qint64 k = 1; k <= drawn; ++k)
        bars.values << results.plotValueAt(static_cast<int>(k));
    bars.withoutTrees = plots - drawn;
    return bars;
}

QString plotsWithoutTreesText(qint64 plots) {
    return QStringLiteral("%1 plot%2 without trees, value 0")
        .arg(QLocale(QLocale::English).toString(plots), plots == 1 ? QString() : QStringLiteral("s"));
}

StatisticsContent statisticsContent(const timbra::StandStatistics& statistics,
                                    const timbra::StandResults& results, const QString& program) {
    StatisticsContent content;
    content.stand = standFigures(results, program);
    content.title = QStringLiteral("Stand Statistics");
    const QString name = QString::fromStdString(results.standName).trimmed();
    if (!name.isEmpty()) content.title += QStringLiteral(": ") + name;
    content.decisionLine = QString::fromStdString(timbra::decisionLine(statistics.sampling));
    content.figures = figures(statistics.sampling, statistics.standTable);
    content.weighing = weighing(statistics.sampling);
    for (const auto& note : statistics.sampling.notes)
        content.notes << QString::fromStdString(note);
    if (statistics.standTable) {
        content.standTable = standTable(*statistics.standTable);
        content.species = speciesTable(*statistics.standTable);
    }
    return content;
}
