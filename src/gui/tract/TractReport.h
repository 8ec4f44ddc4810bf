#pragma once

#include "gui/tract/TractChart.h"

#include <QString>
#include <QStringList>

#include <vector>

class QPainter;
class QPdfWriter;

// What the PDF tract report shows: the heading of every page, the table of the chosen objective
// as the window shows it (sorted and filtered), and the chart of the same stands.
struct TractReportContent {
    QString heading; // program, tract file and date
    QString objective;
    QStringList columns;
    std::vector<QStringList> rows;
    std::vector<bool> rightAligned; // per column
    std::vector<TractChartLine> lines;
};

// Paints the report on pages of `writer`: the table, its heading row repeated on every page, then
// the chart. Returns why painting stopped, empty when every page was painted.
QString paintTractReport(QPdfWriter& writer, QPainter& painter, const TractReportContent& content);
