#pragma once

#include <string>

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

} // namespace tressal
