#include "core/grid/CellEditor.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace timbra {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

char asciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (asciiUpper(a[i]) != asciiUpper(b[i])) return false;
    return true;
}

std::string formatLimit(double v) {
    char buffer[400]; // the largest double has 309 digits before the point
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, v == std::floor(v) ? 0 : 2)
            .ptr;
    std::string s(buffer, end);
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0')
            s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    return s;
}

// The shortest fixed form of a value with at most six decimals, as to_chars writes it, or nullptr: the
// fewest decimals k whose nearest k-decimal number reads back as the value (m / 10^k is how it reads).
// Below 2^50 the scaled value is within an eighth of that number, so rounding finds it.
char* shortFixed(char* out, double value) {
    static constexpr double scales[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6};
    for (int k = 0; k < static_cast<int>(std::size(scales)); ++k) {
        const double scaled = value * scales[k];
        if (!(std::abs(scaled) < 0x1p50)) return nullptr;
        const long long m = std::llround(scaled);
        if (static_cast<double>(m) / scales[k] != value) continue;
        char digits[24];
        const int n =
            static_cast<int>(std::to_chars(digits, digits + sizeof digits, m < 0 ? -m : m).ptr - digits);
        if (m < 0) *out++ = '-';
        if (n <= k) {
            *out++ = '0';
            *out++ = '.';
            out = std::fill_n(out, k - n, '0');
            return std::copy_n(digits, n, out);
        }
        out = std::copy_n(digits, n - k, out);
        if (k == 0) return out;
        *out++ = '.';
        return std::copy_n(digits + n - k, k, out);
    }
    return nullptr;
}

} // namespace

std::optional<double> parseNumber(std::string_view text) {
    text = trim(text);
    if (text.empty() || text.size() > 64) return std::nullopt;
    // One pass over the digits, which also gathers them for the short decimals below.
    std::size_t i = 0;
    if (text[i] == '+' || text[i] == '-') ++i;
    std::uint64_t mantissa = 0; // wraps past 19 digits, but is used only up to 15
    std::size_t integerDigits = 0, fractionDigits = 0;
    const auto readDigits = [&](std::size_t& count) {
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++count)
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(text[i] - '0');
    };
    readDigits(integerDigits);
    if (i < text.size() && text[i] == '.') {
        ++i;
        readDigits(fractionDigits);
    }
    const std::size_t digits = integerDigits + fractionDigits;
    if (digits == 0) return std::nullopt;
    // The short decimals of a tally (every number of every row) convert without from_chars: at most 15
    // digits and a power of ten up to 1e15 are exact doubles, so the one division rounds correctly,
    // exactly as from_chars would.
    if (i == text.size() && digits <= 15) {
        static constexpr double powersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
        const double value = static_cast<double>(mantissa) / powersOfTen[fractionDigits];
        return text.front() == '-' ? -value : value;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        std::size_t expDigits = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i, ++expDigits;
        if (expDigits == 0) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;
    // from_chars reads "." whatever the user's locale says (the programs run under the user's locale).
    if (text.front() == '+') text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Too small for a double reads as zero, too large is not a number.
        if (text.find("e-") == std::string_view::npos && text.find("E-") == std::string_view::npos)
            return std::nullopt;
        return text.front() == '-' ? -0.0 : 0.0;
    }
    if (error != std::errc{} || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::size_t utf8Length(std::string_view text) {
    std::size_t n = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

CellEditor CellEditor::text(int maxLength, bool upperCase, bool lettersOnly) {
    CellEditor e;
    e.kind = Kind::Text;
    e.maxLength = maxLength;
    e.upperCase = upperCase;
    e.lettersOnly = lettersOnly;
    return e;
}

CellEditor CellEditor::integer(double min, double max, double step) {
    CellEditor e;
    e.kind = Kind::Integer;
    e.min = min;
    e.max = max;
    e.step = step;
    return e;
}

CellEditor CellEditor::decimal(double min, double max, double step, int decimals) {
    CellEditor e;
    e.kind = Kind::Float;
    e.min = min;
    e.max = max;
    e.step = step;
    e.decimals = decimals;
    return e;
}

CellEditor CellEditor::list(std::vector<std::string> items) {
    CellEditor e;
    e.kind = Kind::List;
    e.items = std::move(items);
    return e;
}

bool CellEditor::check(std::string_view text, std::string* normalized,
                       const std::optional<double>* number) const {
    // Writes the stored form only when asked for it: Open checks every cell of a tally and needs
    // just the verdict.
    const auto give = [normalized](std::string_view form) {
        if (normalized) normalized->assign(form);
        return true;
    };
    if (text.empty() || text == " ") return give(text);
    const auto numberOf = [&] { return number ? *number : parseNumber(text); };
    switch (kind) {
    case Kind::Text: {
        if (utf8Length(text) > static_cast<std::size_t>(maxLength)) return false;
        for (char c : text) {
            const auto u = static_cast<unsigned char>(c);
            if (u < 0x20 || u == 0x7F) return false; // control characters never belong in a cell
            if (lettersOnly && !((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) return false;
        }
        if (normalized) {
            normalized->assign(text);
            if (upperCase)
                for (char& c : *normalized)
                    c = asciiUpper(c);
        }
        return true;
    }
    case Kind::Integer: {
        const auto v = numberOf();
        if (!v || *v != std::floor(*v) || *v < min || *v > max) return false;
        char buffer[24];
        return give(std::string_view(
            buffer, std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(*v)).ptr));
    }
    case Kind::Float: {
        const auto v = numberOf();
        if (!v || *v < min || *v > max) return false;
        char buffer[400];
        return give(std::string_view(buffer, writeNumber(buffer, *v)));
    }
    case Kind::List:
        for (const auto& item : items)
            if (item == text) return give(item);
        for (const auto& item : items)
            if (equalsIgnoringCase(item, trim(text))) return give(item);
        return false;
    }
    return false;
}

std::string CellEditor::formatNumber(double value) const {
    char buffer[400];
    return std::string(buffer, writeNumber(buffer, value));
}

char* CellEditor::writeNumber(char* out, double value) const {
    value += 0.0; // no "-0"
    constexpr std::size_t room = 400;
    if (kind != Kind::Float) return std::to_chars(out, out + room, value).ptr;
    char* end = shortFixed(out, value);
    if (!end) end = std::to_chars(out, out + room, value, std::chars_format::fixed).ptr;
    if (decimals <= 0) return end;
    const std::string_view written(out, static_cast<std::size_t>(end - out));
    const auto point = written.find('.');
    if (point == std::string_view::npos) *end++ = '.';
    const std::size_t have = point == std::string_view::npos ? 0 : written.size() - point - 1;
    // The stored grids ask for one or two decimals; the buffer bounds anything else.
    for (std::size_t k = have; k < static_cast<std::size_t>(decimals) && end < out + room; ++k)
        *end++ = '0';
    return end;
}

bool CellEditor::holds(std::string_view text) const {
    if (accepts(text)) return true;
    if (kind != Kind::Integer && kind != Kind::Float) return false;
    const auto v = parseNumber(text);
    return v && *v == 0;
}

std::string CellEditor::entered(std::string_view text) const {
    std::string typed(text);
    if (kind != Kind::Float || typed.find('.') != std::string::npos) return typed;
    const auto comma = typed.find(',');
    if (comma != std::string::npos && typed.find(',', comma + 1) == std::string::npos) typed[comma] = '.';
    return typed;
}

std::optional<std::string> CellEditor::accept(std::string_view text) const {
    std::string normalized;
    if (!check(entered(text), &normalized)) return std::nullopt;
    return normalized;
}

std::optional<std::string> CellEditor::accept(std::string_view text, std::optional<double> number) const {
    std::string normalized;
    if (!check(text, &normalized, &number)) return std::nullopt;
    return normalized;
}

std::string CellEditor::refusal() const {
    return "Not accepted here: this cell takes " + describe() + ".";
}

std::string CellEditor::describe() const {
    switch (kind) {
    case Kind::Text:
        return std::string(lettersOnly ? "letters only, " : "") + "at most " + std::to_string(maxLength) +
               " characters";
    case Kind::Integer:
        return "a whole number from " + formatLimit(min) + " to " + formatLimit(max);
    case Kind::Float:
        return "a number from " + formatLimit(min) + " to " + formatLimit(max);
    case Kind::List: {
        std::string s = "one of ";
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (i) s += i + 1 == items.size() ? " or " : ", ";
            s += "\"" + items[i] + "\"";
        }
        return s;
    }
    }
    return {};
}

} // namespace timbra
