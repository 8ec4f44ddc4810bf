#pragma once

#include <string_view>

namespace timbra {

// A cell's text without its surrounding spaces: how a tally's codes and header texts compare and
// show. Most cells have none, so those are returned as they are without a search.
inline std::string_view trimSpaces(std::string_view text) {
    if (text.empty() || (text.front() != ' ' && text.back() != ' ')) return text;
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace timbra
