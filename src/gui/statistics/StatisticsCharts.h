#pragma once

#include "core/model/StandResults.h"
#include "core/statistics/StandStatistics.h"

class QChart;
class QValueAxis;

// The two charts of the stand statistics, built the same way for the window, its printout and
// the PDF page. The caller owns the chart.

// One bar per plot with the mean, the 95% interval as a band and the cut-off as a dashed line.
QChart* makePlotValueChart(const timbra::StandStatistics& statistics, const timbra::StandResults& results);

// Trees per acre by two-inch diameter class, stacked by tree class; empty without a stand table.
QChart* makeStandTableChart(const timbra::StandStatistics& statistics);

// The decimals that tell the labels of a value axis apart: 0 for steps of 1 or more, 2 for a step of
// 0.05, and so on.
int labelDecimals(const QValueAxis& axis);

// Sets every text of the chart in pixels, for painting on a page laid out in pixels at 96 dpi.
void usePixelFonts(QChart& chart, int pixelSize);
