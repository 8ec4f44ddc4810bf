#pragma once

#include "model/StandResults.h"

#include <nlohmann/json.hpp>

namespace timbra::cli {

// A number as JSON: itself at full precision, or null when it is not finite.
nlohmann::ordered_json jsonNumber(double value);

// Every field of the results under its own name; the province only when the model has one.
nlohmann::ordered_json resultsToJson(const StandResults& results, bool withProvince);

} // namespace timbra::cli
