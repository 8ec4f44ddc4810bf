#include "core/model/TreeFactors.h"

namespace timbra {

using namespace std::string_view_literals;

std::optional<double> plotExpansion(std::string_view plotSize) {
    if (plotSize == "Tenth acre"sv) return 10.0;
    if (plotSize == "Fifth acre"sv) return 5.0;
    if (plotSize == "Quarter acre"sv) return 4.0;
    if (plotSize == "Half acre"sv) return 2.0;
    return std::nullopt;
}

} // namespace timbra
