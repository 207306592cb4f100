#include "conversions/utf8_sequence.h"

#include <bit>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tressal {
namespace {

// True when a well-formed UTF-8 sequence beyond ASCII starts at that place.
bool SequenceAt(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0xC2 || lead > 0xF4)
        return false;
    const std::size_t length = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (text.size() - at < length)
        return false;
    for (std::size_t n = 1; n < length; ++n)
        if ((static_cast<unsigned char>(text[at + n]) & 0xC0) != 0x80)
            return false;
    return true;
}

} // namespace

bool HoldsUtf8Sequence(std::string_view text) {
    std::size_t at = 0;
#if defined(__SSE2__)
    // Sixteen bytes at a time: only a lead byte followed by a continuation
    // byte can start a sequence (the block's last byte is looked at whatever
    // follows it). A student line has a few such bytes, or none.
    const __m128i leadFloor = _mm_set1_epi8(static_cast<char>(0xC2));
    const __m128i topBits = _mm_set1_epi8(static_cast<char>(0xC0));
    const __m128i continuation = _mm_set1_epi8(static_cast<char>(0x80));
    for (; text.size() - at >= 16; at += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + at));
        const auto leads = static_cast<std::uint32_t>(
            _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_max_epu8(bytes, leadFloor), bytes)));
        if (leads == 0)
            continue;
        const auto followers = static_cast<std::uint32_t>(
            _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_and_si128(bytes, topBits), continuation)));
        for (auto candidates = leads & ((followers >> 1) | 0x8000u); candidates != 0;
             candidates &= candidates - 1)
            if (SequenceAt(text, at + static_cast<std::size_t>(std::countr_zero(candidates))))
                return true;
    }
#endif
    for (; at < text.size(); ++at)
        if (SequenceAt(text, at))
            return true;
    return false;
}

} // namespace tressal
