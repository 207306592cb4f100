#include "xml/single_byte.h"

#include "text/cp1252.h"
#include "text/utf8.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

namespace tressal::xml {
namespace {

struct Utf8Sequence {
    std::array<char, 3> bytes{};
    std::size_t size = 0;
};
using DecodeTable = std::array<Utf8Sequence, 256>;

constexpr std::pair<unsigned char, char32_t> kLatin9Changes[] = {
    {0xA4, 0x20AC}, {0xA6, 0x160}, {0xA8, 0x161}, {0xB4, 0x17D},
    {0xB8, 0x17E},  {0xBC, 0x152}, {0xBD, 0x153}, {0xBE, 0x178}}; // € Š š Ž ž Œ œ Ÿ

char32_t CodePoint(SingleByteCharset charset, unsigned char byte) {
    switch (charset) {
    case SingleByteCharset::Windows1252:
        return Cp1252ToCodePoint(byte);
    case SingleByteCharset::Latin9:
        // Latin-1 but for eight places: the euro sign and letters of French
        // and other languages.
        for (const auto& [from, to] : kLatin9Changes)
            if (byte == from)
                return to;
        return byte;
    case SingleByteCharset::Latin1:
        break;
    }
    return byte;
}

DecodeTable MakeTable(SingleByteCharset charset) {
    DecodeTable table;
    for (unsigned byte = 0; byte < 256; ++byte) {
        const char32_t cp = CodePoint(charset, static_cast<unsigned char>(byte));
        char bytes[4];
        Utf8Sequence& sequence = table[byte];
        sequence.size = EncodeUtf8(cp, bytes); // at most 3 bytes below U+10000
        std::memcpy(sequence.bytes.data(), bytes, sequence.size);
    }
    return table;
}

const DecodeTable& TableOf(SingleByteCharset charset) {
    static const DecodeTable latin1 = MakeTable(SingleByteCharset::Latin1);
    static const DecodeTable latin9 = MakeTable(SingleByteCharset::Latin9);
    static const DecodeTable windows1252 = MakeTable(SingleByteCharset::Windows1252);
    switch (charset) {
    case SingleByteCharset::Latin9:
        return latin9;
    case SingleByteCharset::Windows1252:
        return windows1252;
    case SingleByteCharset::Latin1:
        break;
    }
    return latin1;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

std::optional<SingleByteCharset> DeclaredSingleByteCharset(std::string_view bytes) {
    if (!bytes.starts_with("<?xml") || bytes.size() < 6 || !IsBlank(bytes[5]))
        return std::nullopt;
    const std::string_view declaration = bytes.substr(0, bytes.find("?>"));
    const auto key = declaration.find("encoding");
    if (key == std::string_view::npos || declaration.size() == bytes.size())
        return std::nullopt;
    std::size_t pos = key + 8;
    while (pos < declaration.size() && IsBlank(declaration[pos]))
        ++pos;
    if (pos >= declaration.size() || declaration[pos] != '=')
        return std::nullopt;
    ++pos;
    while (pos < declaration.size() && IsBlank(declaration[pos]))
        ++pos;
    if (pos >= declaration.size() || (declaration[pos] != '"' && declaration[pos] != '\''))
        return std::nullopt;
    const auto end = declaration.find(declaration[pos], pos + 1);
    if (end == std::string_view::npos)
        return std::nullopt;
    std::string name(declaration.substr(pos + 1, end - pos - 1));
    for (char& c : name)
        c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    for (const auto& known : kSingleByteCharsetNames)
        if (name == known.name)
            return known.charset;
    return std::nullopt;
}

std::size_t DefinedPrefix(SingleByteCharset charset, std::string_view bytes) {
    if (charset != SingleByteCharset::Windows1252)
        return bytes.size();
    constexpr std::string_view kUndefined = "\x81\x8D\x8F\x90\x9D";
    const std::size_t first = bytes.find_first_of(kUndefined);
    return first == std::string_view::npos ? bytes.size() : first;
}

std::size_t DecodeSingleByte(SingleByteCharset charset, std::string_view bytes, std::size_t& from,
                             char* out, std::size_t outSize) {
    const DecodeTable& table = TableOf(charset);
    std::size_t written = 0;
    std::size_t at = from;
    while (at < bytes.size() && written < outSize) {
        // Most of a document is ASCII, copied eight bytes at a time.
        std::uint64_t word = 0;
        if (bytes.size() - at >= sizeof word && outSize - written >= sizeof word) {
            std::memcpy(&word, bytes.data() + at, sizeof word);
            if ((word & 0x8080808080808080ULL) == 0) {
                std::memcpy(out + written, &word, sizeof word);
                written += sizeof word;
                at += sizeof word;
                continue;
            }
        }
        const auto byte = static_cast<unsigned char>(bytes[at]);
        if (byte < 0x80) {
            out[written++] = static_cast<char>(byte);
            ++at;
            continue;
        }
        const Utf8Sequence& sequence = table[byte];
        if (written + sequence.size > outSize)
            break;
        for (std::size_t k = 0; k < sequence.size; ++k)
            out[written + k] = sequence.bytes[k];
        written += sequence.size;
        ++at;
    }
    from = at;
    return written;
}

} // namespace tressal::xml
