#pragma once

#include "core/model/StandResults.h"
#include "core/statistics/StandStatistics.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The texts of the stand statistics, laid out once for the window, its printout and the PDF page:
// labelled figures ("n/a" for a figure this sample does not give), the notes, and the stand and
// species tables as rows of cell texts.

struct StatisticsFigure {
    QString label, value;
};

struct StatisticsTable {
    QStringList headings;
    QList<QStringList> rows; // the last row of the stand table is its total
};

struct StatisticsContent {
    QString title; // "Stand Statistics", with the stand's name when it has one
    // What the page is about, so that it stands on its own: program, stand, objective, decision,
    // stand value and cut-off.
    QList<StatisticsFigure> stand;
    QString decisionLine; // how sure the decision is
    QList<StatisticsFigure> figures;
    // The one-sided confidence and whether the decision is settled, each labelled in full so that
    // the two cannot be read as contradicting each other: one line each.
    QList<StatisticsFigure> weighing;
    QStringList notes;
    StatisticsTable standTable, species;
};

// `program` is the program's name ("Timbra", "Lowtimbra").
StatisticsContent statisticsContent(const timbra::StandStatistics& statistics,
                                    const timbra::StandResults& results, const QString& program);

// A figure with `decimals` decimals, locale-free; "n/a" when it does not exist.
QString figureText(std::optional<double> value, int decimals, const QString& unit = QString());

// The plot values a chart draws: the plots the run formed, then a 0 for each header plot on which
// no tree was tallied while the plots stay few enough to draw one by one; past that, the plots
// without trees are counted rather than drawn, so that any header draws in a bounded time.
struct PlotBars {
    QList<double> values;
    qint64 withoutTrees = 0; // header plots without trees that are not drawn
};
constexpr int MostPlotBars = 100;
PlotBars plotBars(const timbra::SamplingStatistics& sampling, const timbra::StandResults& results);
// "99,996 plots without trees, value 0": what stands in for the plots not drawn.
QString plotsWithoutTreesText(qint64 plots);
