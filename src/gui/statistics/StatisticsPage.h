#pragma once

#include "model/StandResults.h"
#include "statistics/StandStatistics.h"

class QPainter;
class QRectF;

// Paints the stand statistics as one page: the title, the decision line, the figures, the notes,
// both charts side by side and the stand and species tables. Laid out in pixels at 96 dpi and scaled
// to fit `page` (the painter's coordinates, at any resolution), so the window's Print, its PDF and
// the command line's report page look alike.
void paintStatisticsPage(QPainter& painter, const QRectF& page, const timbra::StandStatistics& statistics,
                         const timbra::StandResults& results);
