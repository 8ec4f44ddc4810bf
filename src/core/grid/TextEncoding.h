#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace timbra {

// Cell texts are UTF-8 throughout the programs. Tallies written by older Windows programs and text
// pasted from some of them are Windows-1252; these turn such bytes into UTF-8.

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF).
bool isValidUtf8(std::string_view text);

// Every byte read as a Windows-1252 character; the five bytes 1252 leaves undefined become U+FFFD.
std::string windows1252ToUtf8(std::string_view text);

// Well-formed UTF-8 sequences as they are, every other byte read as a Windows-1252 character, so a
// UTF-8 text with a stray byte of an older program keeps its accented letters. windows1252Bytes, when
// given, is set to the number of bytes read as Windows-1252.
std::string toValidUtf8(std::string_view text, std::size_t* windows1252Bytes = nullptr);

} // namespace timbra
