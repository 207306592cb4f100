#pragma once

#include <string>
#include <string_view>

namespace tressal {

// Windows-1252 <-> Unicode by a fixed table (no dependence on the process
// locale). The five bytes Windows-1252 leaves undefined map to the C1 control
// of the same value, so every byte round-trips.

// Windows-1252 bytes to UTF-8.
std::string Cp1252ToUtf8(std::string_view bytes);

// UTF-8 to Windows-1252 bytes; a character the code page cannot hold, or a
// malformed sequence, becomes "?".
std::string Utf8ToCp1252(std::string_view utf8);

// The code point of one Windows-1252 byte.
char32_t Cp1252ToCodePoint(unsigned char byte);

// One code point to its Windows-1252 byte, or '?' when there is none.
char CodePointToCp1252(char32_t cp);

// The first character of the UTF-8 text that Windows-1252 cannot hold (as
// UTF-8: "Ł"), or "" when it holds them all. A malformed byte counts as one.
std::string FirstUnwritable(std::string_view utf8);

} // namespace tressal
