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

} // namespace tressal
