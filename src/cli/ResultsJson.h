#pragma once

#include "core/model/StandResults.h"
#include "core/statistics/StandStatistics.h"

#include <nlohmann/json.hpp>

namespace timbra::cli {

// A number as JSON: itself at full precision, or null when it is not finite.
nlohmann::ordered_json jsonNumber(double value);

// Every field of the results under its own name; the province only when the model has one.
nlohmann::ordered_json resultsToJson(const StandResults& results, bool withProvince);

// The sampling statistics and the stand table; null for a figure that does not exist.
nlohmann::ordered_json samplingToJson(const SamplingStatistics& statistics);
nlohmann::ordered_json standTableToJson(const std::optional<StandTable>& table);

} // namespace timbra::cli
