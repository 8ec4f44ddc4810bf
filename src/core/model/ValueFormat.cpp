#include "core/model/ValueFormat.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <locale.h>

namespace timbra {

namespace {
// The C locale, made once: the programs run under the user's locale, whose decimal separator the
// C library would otherwise put into every "%f" and "%g" ("38,4"); results always show a ".".
locale_t cLocale() {
    static const locale_t c = newlocale(LC_NUMERIC_MASK, "C", nullptr);
    return c;
}

template <typename T> std::string printfInCurrentLocale(const char* format, T value) {
    char buffer[512];
    const int n = std::snprintf(buffer, sizeof buffer, format, value);
    if (n < 0) return {};
    if (static_cast<std::size_t>(n) < sizeof buffer) return std::string(buffer, static_cast<std::size_t>(n));
    std::string big(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(big.data(), big.size(), format, value);
    big.resize(static_cast<std::size_t>(n));
    return big;
}

template <typename T> std::string printf1(const char* format, T value) {
    const locale_t previous = uselocale(cLocale()); // this thread only, put back below
    std::string text = printfInCurrentLocale(format, value);
    uselocale(previous);
    return text;
}
} // namespace

std::string formatValue(const char* format, double value) {
    if (std::isfinite(value)) return printf1(format, value);
    std::string text = NotAValueText;
    if (text.size() < 4) text.insert(0, 4 - text.size(), ' ');
    return text;
}

std::string formatInt(const char* format, int value) {
    return printf1(format, value);
}

std::string formatFixed(double value, int decimals) {
    if (!std::isfinite(value)) return NotAValueText;
    char buffer[400]; // the largest double has 309 digits before the point
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (error != std::errc{}) return NotAValueText;
    std::string text(buffer, end);
    if (text.starts_with('-') && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
    return text;
}

std::string formatText(const char* format, const std::string& text) {
    return printf1(format, text.c_str());
}

} // namespace timbra
