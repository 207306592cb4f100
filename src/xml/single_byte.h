#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

// Documents declared in a single-byte character set (SIECLE writes
// ISO-8859-15) are turned into UTF-8 here, by table, rather than through the
// system's converters: several times faster on large exports.
namespace tressal::xml {

enum class SingleByteCharset { Latin1, Latin9, Windows1252 };

// Every name the program accepts for the three, upper case.
struct CharsetName {
    const char* name;
    SingleByteCharset charset;
};
inline constexpr CharsetName kSingleByteCharsetNames[] = {
    {"ISO-8859-15", SingleByteCharset::Latin9},
    {"ISO_8859-15", SingleByteCharset::Latin9},
    {"ISO8859-15", SingleByteCharset::Latin9},
    {"LATIN-9", SingleByteCharset::Latin9},
    {"LATIN9", SingleByteCharset::Latin9},
    {"ISO-8859-1", SingleByteCharset::Latin1},
    {"ISO_8859-1", SingleByteCharset::Latin1},
    {"ISO8859-1", SingleByteCharset::Latin1},
    {"LATIN1", SingleByteCharset::Latin1},
    {"LATIN-1", SingleByteCharset::Latin1},
    {"WINDOWS-1252", SingleByteCharset::Windows1252},
    {"CP1252", SingleByteCharset::Windows1252}};

// How many of the bytes, from the first, the character set defines: all but
// for Windows-1252, which leaves five undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D).
std::size_t DefinedPrefix(SingleByteCharset charset, std::string_view bytes);

// The character set named by the XML declaration that opens the bytes (no
// byte order mark before it), when it is ISO-8859-1, ISO-8859-15 or
// Windows-1252 under one of their usual names.
std::optional<SingleByteCharset> DeclaredSingleByteCharset(std::string_view bytes);

// Turns bytes from position `from` into UTF-8, writing at most outSize bytes
// to out; returns the count written and moves `from` past the bytes used.
std::size_t DecodeSingleByte(SingleByteCharset charset, std::string_view bytes, std::size_t& from,
                             char* out, std::size_t outSize);

} // namespace tressal::xml
