#include "core/statistics/StandStatistics.h"

#include "core/statistics/StatisticsParts.h"

namespace timbra {

StandStatistics computeStandStatistics(const StandResults& results) {
    StandStatistics statistics;
    statistics.sampling = samplingStatistics(results);
    statistics.standTable = standTable(results, statistics.sampling.notes);
    return statistics;
}

} // namespace timbra
