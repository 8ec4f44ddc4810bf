#pragma once

#include <string>
#include <string_view>

namespace timbra {

// Cell texts are UTF-8 throughout the programs. Tallies written by older Windows programs and text
// pasted from some of them are Windows-1252; these turn such bytes into UTF-8.

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF).
bool isValidUtf8(std::string_view text);

// Every byte read as a Windows-1252 character; the five bytes 1252 leaves undefined become U+FFFD.
std::string windows1252ToUtf8(std::string_view text);

// The text unchanged when it is valid UTF-8, else read as Windows-1252.
std::string toValidUtf8(std::string_view text);

} // namespace timbra
