#include "core/grid/TextEncoding.h"

#include <gtest/gtest.h>

namespace timbra {
namespace {

TEST(TextEncoding, Utf8ValidityFollowsTheStandard) {
    for (const char* valid :
         {"", "plain ASCII, 12", "\u00E9\u20AC\U0001F332", "\xF4\x8F\xBF\xBF" /* U+10FFFF */})
        EXPECT_TRUE(isValidUtf8(valid)) << valid;
    // Windows-1252 "été", cut short, overlong "/", a surrogate, past U+10FFFF, a lone continuation byte.
    for (const char* invalid : {"\xE9t\xE9", "\xC3", "\xE2\x82", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80",
                                "\xF4\x90\x80\x80", "\x80", "\xFF"})
        EXPECT_FALSE(isValidUtf8(invalid)) << invalid;
}

// Every byte gives valid UTF-8; the five bytes Windows-1252 leaves undefined become U+FFFD.
TEST(TextEncoding, Windows1252CoversTheWholeTable) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    EXPECT_TRUE(isValidUtf8(windows1252ToUtf8(all)));
    EXPECT_EQ(windows1252ToUtf8("\x80\x81\x9F\xFF"), "\u20AC\uFFFD\u0178\u00FF");
}

// A UTF-8 tally with one stray byte keeps its accented letters; a sequence cut short is two bytes.
TEST(TextEncoding, OnlyBytesThatAreNotUtf8AreReadAsWindows1252) {
    // clang-format off
    const std::tuple<const char*, const char*, std::size_t> cases[] = {
        {"\u00C9rable", "\u00C9rable", 0}, {"\xC9rable", "\u00C9rable", 1}, {"\xC3\xA9\xE9", "\u00E9\u00E9", 1},
        {"Ch\u00E2teau \x96 Sa\u00F4ne", "Ch\u00E2teau \u2013 Sa\u00F4ne", 1}, {"\xE2\x82", "\u00E2\u201A", 2}};
    // clang-format on
    for (const auto& [bytes, text, windows1252Bytes] : cases) {
        std::size_t count = 99;
        const std::string got = toValidUtf8(bytes, &count);
        EXPECT_EQ(got + "|" + std::to_string(count), text + ("|" + std::to_string(windows1252Bytes)));
    }
}

} // namespace
} // namespace timbra
