#pragma once

#include "core/model/TallyRun.h"

#include <array>
#include <optional>
#include <string>

namespace timbra::upland {

// The cut-offs of one physiographic province under objectives 1 to 4; an objective without a
// cut-off in that province decides "Error".
struct ProvinceCutoffs {
    const char* province;
    std::array<std::optional<Cutoff>, 4> byObjective;
};

// The row of the province text, compared whole and case-sensitively; nullptr for any other text.
const ProvinceCutoffs* findProvince(const std::string& province);

} // namespace timbra::upland
