#include "text/cp1252.h"

#include "text/utf8.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <string_view>

namespace tressal {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

bool IsAscii(std::string_view line) {
    return std::all_of(line.begin(), line.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Writes the Windows-1252 form of the UTF-8 bytes text[from, end) at out and
// returns where it stops. Each sequence gives one byte, so out never passes
// the bytes still to read. A stray byte is kept as it is.
std::size_t PutUtf8(std::string& text, std::size_t from, std::size_t end, std::size_t out) {
    const std::string_view bytes(text.data(), end);
    while (from < end) {
        char32_t cp = 0;
        const std::size_t length = DecodeUtf8(bytes, from, cp);
        text[out++] = length == 0 ? text[from] : CodePointToCp1252(cp);
        from += length == 0 ? 1 : length;
    }
    return out;
}

std::size_t PutAsItIs(std::string& text, std::size_t from, std::size_t end, std::size_t out) {
    if (out != from)
        std::memmove(text.data() + out, text.data() + from, end - from);
    return out + (end - from);
}

std::string Utf16ToCp1252(std::string_view bytes, bool bigEndian) {
    const auto unit = [&](std::size_t k) {
        const auto first = static_cast<unsigned char>(bytes[2 * k]);
        const auto second = static_cast<unsigned char>(bytes[2 * k + 1]);
        return static_cast<char32_t>(bigEndian ? first << 8 | second : second << 8 | first);
    };
    const std::size_t units = bytes.size() / 2;
    std::string text;
    text.reserve(units + 1);
    for (std::size_t k = 0; k < units; ++k) {
        const char32_t value = unit(k);
        if (value < 0xD800 || value > 0xDFFF) {
            text += CodePointToCp1252(value);
        } else if (value < 0xDC00 && k + 1 < units && unit(k + 1) >= 0xDC00 &&
                   unit(k + 1) <= 0xDFFF) {
            text += CodePointToCp1252(0x10000 + ((value - 0xD800) << 10) + (unit(k + 1) - 0xDC00));
            ++k;
        } else {
            text += '?';
        }
    }
    if (bytes.size() % 2 != 0)
        text += '?';
    return text;
}

} // namespace

bool HoldsCp1252Line(std::string_view text) {
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = start;
        while (end < text.size() && !IsLineEnd(text[end]))
            ++end;
        const std::string_view line = text.substr(start, end - start);
        if (LineEncodingOf(line) == LineEncoding::Cp1252 && !IsAscii(line))
            return true;
        start = end + 1;
    }
    return false;
}

namespace {

// The lines of bytes (no byte order mark) decoded one by one, in place; a
// line that could be either follows what fileHoldsCp1252(bytes) says of the
// file, asked at the first such line.
template <typename FileHoldsCp1252>
std::string DecodeLines(std::string bytes, FileHoldsCp1252 fileHoldsCp1252) {
    const std::string_view view(bytes);
    std::size_t out = 0;
    for (std::size_t start = 0; start < bytes.size();) {
        std::size_t end = start;
        while (end < bytes.size() && !IsLineEnd(bytes[end]))
            ++end;
        const LineEncoding encoding = LineEncodingOf(view.substr(start, end - start));
        const bool utf8 = encoding == LineEncoding::Utf8 ||
                          (encoding == LineEncoding::Either && !fileHoldsCp1252(view));
        out = utf8 ? PutUtf8(bytes, start, end, out) : PutAsItIs(bytes, start, end, out);
        start = end;
        while (end < bytes.size() && IsLineEnd(bytes[end]))
            ++end;
        out = PutAsItIs(bytes, start, end, out);
        start = end;
    }
    bytes.resize(out);
    return bytes;
}

} // namespace

std::string DecodeText(std::string bytes) {
    const std::string_view view(bytes);
    const std::size_t mark = view.starts_with(kUtf8Mark) ? kUtf8Mark.size() : 0;
    const std::string_view rest = view.substr(mark);
    if (rest.starts_with("\xFF\xFE") || rest.starts_with("\xFE\xFF"))
        return Utf16ToCp1252(rest.substr(2), rest[0] == '\xFE');
    if (mark > 0)
        return DecodeText(std::move(bytes), {true, false});
    std::optional<bool> holdsCp1252;
    return DecodeLines(std::move(bytes), [&](std::string_view text) {
        if (!holdsCp1252)
            holdsCp1252 = HoldsCp1252Line(text);
        return *holdsCp1252;
    });
}

std::string DecodeText(std::string piece, const FileEncoding& file) {
    if (file.utf8Mark) {
        const std::size_t mark = piece.starts_with(kUtf8Mark) ? kUtf8Mark.size() : 0;
        piece.resize(PutUtf8(piece, mark, piece.size(), 0));
        return piece;
    }
    return DecodeLines(std::move(piece), [&](std::string_view) { return file.cp1252Line; });
}

namespace {

// Code points of the bytes 0x80 to 0x9F; the undefined five keep their value.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

char32_t Cp1252ToCodePoint(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControls[byte - 0x80];
    return byte;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char c : bytes)
        AppendUtf8(out, Cp1252ToCodePoint(static_cast<unsigned char>(c)));
    return out;
}

char CodePointToCp1252(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<char>(cp);
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == cp)
            return static_cast<char>(0x80 + i);
    return '?';
}

std::string FirstUnwritable(std::string_view utf8) {
    for (std::size_t pos = 0; pos < utf8.size();) {
        char32_t cp = 0;
        const std::size_t len = DecodeUtf8(utf8, pos, cp);
        if (len == 0)
            return std::string(utf8.substr(pos, 1));
        if (cp != '?' && CodePointToCp1252(cp) == '?')
            return std::string(utf8.substr(pos, len));
        pos += len;
    }
    return {};
}

std::string Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t cp = 0;
        const std::size_t len = DecodeUtf8(utf8, pos, cp);
        if (len == 0) {
            out += '?';
            ++pos;
            continue;
        }
        out += CodePointToCp1252(cp);
        pos += len;
    }
    return out;
}

} // namespace tressal
