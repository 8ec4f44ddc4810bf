#pragma once

#include "core/import/ImportMapping.h"

namespace timbra {

// The units a tree list may give. A DBH in centimetres is divided by 2.54 and a height in feet by 16
// or in metres by 4.8768 (16 feet); the result is then rounded to what the cell takes.
double toInches(double value, DbhUnit unit);
double toLogs(double value, HeightUnit unit);

// The nearest multiple of `step`, halves away from zero: 6.5 inches is 7 and 1.75 logs is 2.0. A
// value within a billionth of a step of a half counts as the half, so that a decimal such as 16.51 cm
// (6.5 inches, held by a double as a hair less) rounds as it reads.
double roundToStep(double value, double step);

// Whether rounding moved the value (by more than the slack above).
bool roundingMoved(double value, double rounded);

} // namespace timbra
