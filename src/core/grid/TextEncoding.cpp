#include "core/grid/TextEncoding.h"

#include <cstdint>
#include <cstring>

namespace timbra {

namespace {

// Code points of the bytes 0x80 to 0x9F; 0 marks the bytes Windows-1252 leaves undefined.
constexpr char16_t high1252[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        // Every 1252 character lies in the Basic Multilingual Plane.
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// The length of the well-formed UTF-8 sequence at p, or 0 when the byte there starts none.
std::size_t utf8SequenceLength(const unsigned char* p, const unsigned char* end) {
    const unsigned char c = *p;
    if (c < 0x80) return 1;
    std::size_t extra = 0;
    char32_t cp = 0, least = 0;
    if ((c & 0xE0) == 0xC0) {
        extra = 1;
        cp = c & 0x1F;
        least = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
        extra = 2;
        cp = c & 0x0F;
        least = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
        extra = 3;
        cp = c & 0x07;
        least = 0x10000;
    } else {
        return 0;
    }
    if (static_cast<std::size_t>(end - p) <= extra) return 0;
    for (std::size_t i = 1; i <= extra; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return extra + 1;
}

void appendWindows1252(std::string& out, unsigned char b) {
    if (b < 0x80) {
        out.push_back(static_cast<char>(b));
    } else if (b < 0xA0) {
        const char16_t cp = high1252[b - 0x80];
        appendUtf8(out, cp ? cp : 0xFFFD);
    } else {
        appendUtf8(out, b); // 0xA0 to 0xFF are Latin-1 there
    }
}

} // namespace

bool isValidUtf8(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p < end) {
        // Tallies are nearly all ASCII: skip it eight bytes at a time.
        std::uint64_t eight;
        if (end - p >= 8 && (std::memcpy(&eight, p, 8), (eight & 0x8080808080808080u) == 0)) {
            p += 8;
            continue;
        }
        const std::size_t n = utf8SequenceLength(p, end);
        if (n == 0) return false;
        p += n;
    }
    return true;
}

std::string windows1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 2);
    for (char ch : text)
        appendWindows1252(out, static_cast<unsigned char>(ch));
    return out;
}

std::string toValidUtf8(std::string_view text, std::size_t* windows1252Bytes) {
    if (windows1252Bytes) *windows1252Bytes = 0;
    if (isValidUtf8(text)) return std::string(text);
    std::string out;
    out.reserve(text.size() + text.size() / 2);
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p < end) {
        const std::size_t n = utf8SequenceLength(p, end);
        if (n > 0) {
            out.append(reinterpret_cast<const char*>(p), n);
            p += n;
            continue;
        }
        appendWindows1252(out, *p++);
        if (windows1252Bytes) ++*windows1252Bytes;
    }
    return out;
}

} // namespace timbra
