#include "upland/CutoffTable.h"

namespace timbra::upland {

namespace {
const std::array<ProvinceCutoffs, 3> Provinces{{
    {"Cumberland", {Cutoff{50, 49.95}, Cutoff{45, 44.95}, Cutoff{39, 38.95}, Cutoff{30, 29.95}}},
    {"Western Rim", {Cutoff{43, 42.95}, Cutoff{36, 35.95}, std::nullopt, Cutoff{31, 30.95}}},
    {"Coastal Plain", {Cutoff{48, 47.95}, Cutoff{44, 43.95}, std::nullopt, Cutoff{45, 44.95}}},
}};
} // namespace

const ProvinceCutoffs* findProvince(const std::string& province) {
    for (const auto& row : Provinces)
        if (province == row.province) return &row;
    return nullptr;
}

} // namespace timbra::upland
