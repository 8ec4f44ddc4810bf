#include "core/model/TreeFactors.h"

namespace timbra {

using namespace std::string_view_literals;

double gradeFactor(int grade) {
    switch (grade) {
    case 1:
        return 2.0;
    case 2:
        return 1.5;
    case 3:
        return 1.0;
    default:
        return 0.0;
    }
}

double diameterFactor(int dbh, int largestDbh) {
    if (dbh < 5 || dbh > largestDbh) return 0.0;
    if (dbh >= 32) return 5.26;
    // Weights of the classes 5-7, 8-9, 10-11, ..., 30-31.
    static constexpr double byClass[] = {0.5,  0.67, 0.89, 1.15, 1.41, 1.72, 2.04,
                                         2.44, 2.78, 3.23, 3.7,  4.17, 4.76};
    return dbh <= 7 ? byClass[0] : byClass[(dbh - 6) / 2];
}

std::optional<double> plotExpansion(std::string_view plotSize) {
    if (plotSize == "Tenth acre"sv) return 10.0;
    if (plotSize == "Fifth acre"sv) return 5.0;
    if (plotSize == "Quarter acre"sv) return 4.0;
    if (plotSize == "Half acre"sv) return 2.0;
    return std::nullopt;
}

} // namespace timbra
