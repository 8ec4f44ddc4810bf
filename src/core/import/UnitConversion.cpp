#include "core/import/UnitConversion.h"

#include <algorithm>
#include <cmath>

namespace timbra {

namespace {
constexpr double CentimetresPerInch = 2.54;
constexpr double FeetPerLog = 16;
constexpr double MetresPerLog = 4.8768;
constexpr double Slack = 1e-9;
} // namespace

double toInches(double value, DbhUnit unit) {
    return unit == DbhUnit::Centimetres ? value / CentimetresPerInch : value;
}

double toLogs(double value, HeightUnit unit) {
    switch (unit) {
    case HeightUnit::Feet:
        return value / FeetPerLog;
    case HeightUnit::Metres:
        return value / MetresPerLog;
    case HeightUnit::Logs:
        break;
    }
    return value;
}

double roundToStep(double value, double step) {
    if (!(step > 0)) step = 1;
    const double steps = std::abs(value) / step;
    const double rounded = std::floor(steps + 0.5 + Slack) * step;
    return (value < 0 ? -rounded : rounded) + 0.0;
}

bool roundingMoved(double value, double rounded) {
    return std::abs(value - rounded) > Slack * std::max(1.0, std::abs(value));
}

} // namespace timbra
