#include "core/app/Resources.h"

namespace timbra {

std::optional<std::string_view> findResource(std::string_view name) {
    for (const auto& r : embeddedResources())
        if (r.name == name) return r.data;
    return std::nullopt;
}

} // namespace timbra
