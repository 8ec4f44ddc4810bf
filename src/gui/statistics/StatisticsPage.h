#pragma once

#include "core/model/StandResults.h"
#include "core/statistics/StandStatistics.h"

class QPainter;
class QRectF;
class QString;

// Paints the stand statistics as one page: the title, the program, stand, objective, decision, stand
// value and cut-off, the decision line, the figures, the notes, both charts side by side and the stand
// and species tables. Laid out in pixels at 96 dpi and scaled to fit `page` (the painter's coordinates,
// at any resolution), so the window's Print, its PDF and the command line's report page look alike.
// `program` is the program's name.
void paintStatisticsPage(QPainter& painter, const QRectF& page, const timbra::StandStatistics& statistics,
                         const timbra::StandResults& results, const QString& program);
