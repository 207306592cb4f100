#pragma once

#include <string>
#include <string_view>

// A text file's bytes in Windows-1252, whatever it was saved in.
namespace tressal {

// - Behind a UTF-16 byte order mark (FF FE or FE FF, even after a UTF-8 one,
//   as some converters leave): UTF-16 in that byte order; a lone surrogate or
//   an odd last byte becomes "?".
// - Behind a UTF-8 byte order mark: UTF-8 throughout, a byte that is not part
//   of a valid sequence taken as Windows-1252.
// - Otherwise line by line (files partly edited in another program mix
//   both), as LineEncodingOf tells: a line that could be either is UTF-8
//   unless another line of the file is surely Windows-1252.
// A character the code page cannot hold becomes "?". Line ends and NULs stay
// as they are. The conversion is done in the bytes' own storage.
std::string DecodeText(std::string bytes);

// What DecodeText takes from the whole file, to decode it in pieces of whole
// lines: a UTF-8 byte order mark, and whether some line is surely
// Windows-1252 (HoldsCp1252Line of every piece). Not for UTF-16.
struct FileEncoding {
    bool utf8Mark = false;
    bool cp1252Line = false;
};

// DecodeText of one piece of a file, as the whole file's facts decide.
std::string DecodeText(std::string piece, const FileEncoding& file);

// True when a line of the text is surely Windows-1252: not valid UTF-8.
bool HoldsCp1252Line(std::string_view text);

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
