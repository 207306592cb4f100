#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

// Documents declared in a single-byte character set (SIECLE writes
// ISO-8859-15) are turned into UTF-8 here, by table, rather than through the
// system's converters: several times faster on large exports.
namespace tressal::sts {

enum class SingleByteCharset { Latin1, Latin9, Windows1252 };

// The character set named by the XML declaration that opens the bytes (no
// byte order mark before it), when it is ISO-8859-1, ISO-8859-15 or
// Windows-1252 under one of their usual names.
std::optional<SingleByteCharset> DeclaredSingleByteCharset(std::string_view bytes);

// Turns bytes from position `from` into UTF-8, writing at most outSize bytes
// to out; returns the count written and moves `from` past the bytes used.
std::size_t DecodeSingleByte(SingleByteCharset charset, std::string_view bytes, std::size_t& from,
                             char* out, std::size_t outSize);

} // namespace tressal::sts
