#pragma once

#include "model/StandResults.h"
#include "statistics/StandStatistics.h"

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
    QString title;        // "Stand Statistics", with the stand's name when it has one
    QString decisionLine; // how sure the decision is
    QList<StatisticsFigure> figures;
    QStringList notes;
    StatisticsTable standTable, species;
};

StatisticsContent statisticsContent(const timbra::StandStatistics& statistics,
                                    const timbra::StandResults& results);

// A figure with `decimals` decimals, locale-free; "n/a" when it does not exist.
QString figureText(std::optional<double> value, int decimals, const QString& unit = QString());

// The n plot values the statistics use: the plots the run formed, then a 0 for each header plot
// on which no tree was tallied.
QList<double> plotValues(const timbra::SamplingStatistics& sampling, const timbra::StandResults& results);
