#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// UTF-8 encoding and decoding, shared by every part of the program that reads
// or writes UTF-8.
namespace tressal {

// Decodes the sequence that starts at pos: its length, with its code point in
// cp, or 0 when it is malformed (a stray continuation byte, a truncated
// sequence, an overlong form, a surrogate or a value above U+10FFFF).
std::size_t DecodeUtf8(std::string_view bytes, std::size_t pos, char32_t& cp);

// Writes the UTF-8 form of cp (at most 4 bytes) at out; returns its length.
std::size_t EncodeUtf8(char32_t cp, char* out);

void AppendUtf8(std::string& out, char32_t cp);

// The bytes taken as UTF-8, each byte of a malformed sequence becoming
// U+FFFD, so that the result is always valid UTF-8.
std::string SanitizeUtf8(std::string_view bytes);

} // namespace tressal
