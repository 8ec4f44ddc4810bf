#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace timbra {

// A data file of resources/, compiled into the program.
struct EmbeddedResource {
    std::string_view name; // path relative to resources/, such as "timbra/tally.json"
    std::string_view data;
};

const std::vector<EmbeddedResource>& embeddedResources();
std::optional<std::string_view> findResource(std::string_view name);

} // namespace timbra
