#include "text/utf8.h"

#include "text/cp1252.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tressal {

std::size_t DecodeUtf8(std::string_view bytes, std::size_t pos, char32_t& cp) {
    const auto lead = static_cast<unsigned char>(bytes[pos]);
    std::size_t length = 0;
    char32_t smallest = 0;
    if (lead < 0x80) {
        cp = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, cp = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, cp = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, cp = lead & 0x07, smallest = 0x10000;
    } else {
        return 0;
    }
    if (pos + length > bytes.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(bytes[pos + i]);
        if ((next & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (next & 0x3F);
    }
    if (cp < smallest || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return length;
}

std::size_t EncodeUtf8(char32_t cp, char* out) {
    if (cp < 0x80) {
        out[0] = static_cast<char>(cp);
        return 1;
    }
    if (cp < 0x800) {
        out[0] = static_cast<char>(0xC0 | (cp >> 6));
        out[1] = static_cast<char>(0x80 | (cp & 0x3F));
        return 2;
    }
    if (cp < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (cp >> 12));
        out[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (cp & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (cp >> 18));
    out[1] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (cp & 0x3F));
    return 4;
}

void AppendUtf8(std::string& out, char32_t cp) {
    char bytes[4];
    out.append(bytes, EncodeUtf8(cp, bytes));
}

std::string SanitizeUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t pos = 0; pos < bytes.size();) {
        char32_t cp = 0;
        const std::size_t length = DecodeUtf8(bytes, pos, cp);
        if (length == 0) {
            text += "\xEF\xBF\xBD";
            ++pos;
        } else {
            text.append(bytes, pos, length);
            pos += length;
        }
    }
    return text;
}

std::string EscapeControls(std::string_view utf8) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    text.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        char32_t cp = 0;
        const std::size_t length = std::max<std::size_t>(DecodeUtf8(utf8, pos, cp), 1);
        if (length == 1 && static_cast<unsigned char>(utf8[pos]) >= 0x80)
            cp = 0xFFFD; // a stray byte: shown as it is
        if (cp < 0x20 || (cp >= 0x7F && cp <= 0x9F))
            text += std::string{'\\', 'x', kHex[cp >> 4], kHex[cp & 0xF]};
        else
            text.append(utf8, pos, length);
        pos += length;
    }
    return text;
}

std::size_t TellingUtf8SequenceAt(std::string_view bytes, std::size_t pos) {
    char32_t cp = 0;
    const std::size_t length = DecodeUtf8(bytes, pos, cp);
    if (length > 2 || (length == 2 && CodePointToCp1252(cp) != '?'))
        return length;
    return 0;
}

bool HoldsTellingUtf8(std::string_view bytes) {
    return FindTellingUtf8(bytes) != std::string_view::npos;
}

std::size_t ValidUtf8Prefix(std::string_view bytes) {
    std::size_t at = 0;
    while (at < bytes.size()) {
        // Most of a document is ASCII, looked at eight bytes at a time.
        std::uint64_t word = 0;
        if (bytes.size() - at >= sizeof word) {
            std::memcpy(&word, bytes.data() + at, sizeof word);
            if ((word & 0x8080808080808080ULL) == 0) {
                at += sizeof word;
                continue;
            }
        }
        char32_t cp = 0;
        const std::size_t length = DecodeUtf8(bytes, at, cp);
        if (length == 0)
            return at;
        at += length;
    }
    return at;
}

std::size_t FindTellingUtf8(std::string_view bytes) {
    std::size_t at = 0;
#if defined(__SSE2__)
    // Sixteen bytes at a time: only a lead byte followed by a continuation
    // byte can start a sequence (the block's last byte is looked at whatever
    // follows it). A student line has a few such bytes, or none.
    const __m128i leadFloor = _mm_set1_epi8(static_cast<char>(0xC2));
    const __m128i topBits = _mm_set1_epi8(static_cast<char>(0xC0));
    const __m128i continuation = _mm_set1_epi8(static_cast<char>(0x80));
    for (; bytes.size() - at >= 16; at += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data() + at));
        const auto leads = static_cast<std::uint32_t>(
            _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_max_epu8(block, leadFloor), block)));
        if (leads == 0)
            continue;
        const auto followers = static_cast<std::uint32_t>(
            _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_and_si128(block, topBits), continuation)));
        for (auto candidates = leads & ((followers >> 1) | 0x8000u); candidates != 0;
             candidates &= candidates - 1)
            if (const std::size_t place =
                    at + static_cast<std::size_t>(std::countr_zero(candidates));
                TellingUtf8SequenceAt(bytes, place))
                return place;
    }
#endif
    for (; at < bytes.size(); ++at)
        if (static_cast<unsigned char>(bytes[at]) >= 0xC2 && TellingUtf8SequenceAt(bytes, at))
            return at;
    return std::string_view::npos;
}

LineEncoding LineEncodingOf(std::string_view line) {
    bool multiByte = false;
    bool telling = false;
    for (std::size_t pos = 0; pos < line.size();) {
        if (static_cast<unsigned char>(line[pos]) < 0x80) {
            ++pos;
            continue;
        }
        const std::size_t length = TellingUtf8SequenceAt(line, pos);
        char32_t cp = 0;
        const std::size_t valid = length ? length : DecodeUtf8(line, pos, cp);
        if (valid == 0)
            return LineEncoding::Cp1252;
        multiByte = true;
        telling = telling || length > 0;
        pos += valid;
    }
    if (!multiByte)
        return LineEncoding::Cp1252;
    return telling ? LineEncoding::Utf8 : LineEncoding::Either;
}

} // namespace tressal
