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

// UTF-8 text quoted from an input made safe to show on a terminal or in a
// box: each control character (C0, DEL, C1) written as \x1b, "\x85"…
std::string EscapeControls(std::string_view utf8);

// Whether bytes read as Windows-1252 are in fact UTF-8. Windows-1252 text
// holds two-byte UTF-8 forms by chance: an upper-case accented letter followed
// by "Œ", "Ÿ" or a no-break space ("ÇŒ", "ÜŸ", C9 A0) decodes to a letter
// the code page cannot hold. What it hardly ever holds by chance is a telling
// sequence: one of three or four bytes, or one of two bytes for a character
// that Windows-1252 holds ("Ã©" for "é").

// The length of the telling sequence at pos, or 0.
std::size_t TellingUtf8SequenceAt(std::string_view bytes, std::size_t pos);

// True when the bytes hold a telling sequence anywhere.
bool HoldsTellingUtf8(std::string_view bytes);

// Where the first telling sequence starts, or npos.
std::size_t FindTellingUtf8(std::string_view bytes);

// The length of the longest start of the bytes that is valid UTF-8: up to the
// first byte that is not, or to a sequence cut by their end.
std::size_t ValidUtf8Prefix(std::string_view bytes);

enum class LineEncoding {
    Cp1252, // a byte that is not part of a valid sequence, or nothing beyond ASCII
    Utf8,   // valid UTF-8 holding a telling sequence
    Either, // valid UTF-8 whose sequences are all of two bytes the code page cannot hold
};

// What one line of a text is written in.
LineEncoding LineEncodingOf(std::string_view line);

} // namespace tressal
