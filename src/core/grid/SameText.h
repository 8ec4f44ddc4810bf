#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>
#include <type_traits>

namespace timbra {

// Whether two texts are the same, for the short texts of tally cells: up to 16 bytes are compared
// byte by byte under 4 and otherwise as two overlapping words each rather than by a call to the library's
// compare, which costs more than the comparison itself when Open and Run compare every cell of a tally.
constexpr bool sameText(std::string_view a, std::string_view b) {
    const std::size_t n = a.size();
    if (n != b.size()) return false;
    if (std::is_constant_evaluated() || n > 16) return a == b;
    if (n < 4) return n == 0 || (a[0] == b[0] && a[n / 2] == b[n / 2] && a[n - 1] == b[n - 1]);
    const auto word = [](std::string_view text, std::size_t at, auto w) {
        std::memcpy(&w, text.data() + at, sizeof w);
        return w;
    };
    if (n >= 8)
        return word(a, 0, std::uint64_t{}) == word(b, 0, std::uint64_t{}) &&
               word(a, n - 8, std::uint64_t{}) == word(b, n - 8, std::uint64_t{});
    return word(a, 0, std::uint32_t{}) == word(b, 0, std::uint32_t{}) &&
           word(a, n - 4, std::uint32_t{}) == word(b, n - 4, std::uint32_t{});
}

} // namespace timbra
