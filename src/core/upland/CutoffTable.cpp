#include "core/upland/CutoffTable.h"

namespace timbra::upland {

namespace {
const std::array<ProvinceCutoffs, 3> Provinces{{
    {"Cumberland", {Cutoff{50}, Cutoff{45}, Cutoff{39}, Cutoff{30}}},
    {"Western Rim", {Cutoff{43}, Cutoff{36}, std::nullopt, Cutoff{31}}},
    {"Coastal Plain", {Cutoff{48}, Cutoff{44}, std::nullopt, Cutoff{45}}},
}};
} // namespace

const ProvinceCutoffs* findProvince(const std::string& province) {
    for (const auto& row : Provinces)
        if (province == row.province) return &row;
    return nullptr;
}

} // namespace timbra::upland
