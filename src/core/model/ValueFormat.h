#pragma once

#include <string>

namespace timbra {

// The text shown, in the result boxes and on the report alike, for a value that is not a number
// or is infinite (a stand of 0 plots, a percentage of an empty class).
inline constexpr const char* NotAValueText = "n/a";

// printf-style formatting of one value with the report's formats ("%4.1f", "%4.1f%%", "%g",
// "%d", "%s"); a value that is not finite shows as NotAValueText, padded like the number.
std::string formatValue(const char* format, double value);
std::string formatInt(const char* format, int value);
std::string formatText(const char* format, const std::string& text);

// A number with a fixed count of decimals, whatever the user's locale ("-0.0" shows as "0.0");
// NotAValueText when it is not finite.
std::string formatFixed(double value, int decimals);

} // namespace timbra
