#include "text/cp1252.h"
#include "text/utf8.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tressal {
namespace {

using test::ExpectEach;

TEST(Cp1252Test, EveryByteRoundTripsThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        EXPECT_EQ(CodePointToCp1252(Cp1252ToCodePoint(byte)), static_cast<char>(byte)) << b;
    }
}

TEST(Cp1252Test, MapsTheHighBytesToTheirCharacters) {
    const std::vector<std::pair<unsigned char, char32_t>> cases = {
        {0x41, U'A'}, {0x80, U'\u20AC'}, {0x81, 0x81}, {0x8A, U'\u0160'}, {0x8C, U'\u0152'},
        {0x8D, 0x8D}, {0x8F, 0x8F},      {0x90, 0x90}, {0x92, U'\u2019'}, {0x9C, U'\u0153'},
        {0x9D, 0x9D}, {0x9F, U'\u0178'}, {0xA0, 0xA0}, {0xE9, U'\u00E9'}, {0xFF, U'\u00FF'},
    };
    for (const auto& [byte, codePoint] : cases) {
        SCOPED_TRACE(static_cast<int>(byte));
        EXPECT_EQ(Cp1252ToCodePoint(byte), codePoint);
        EXPECT_EQ(CodePointToCp1252(codePoint), static_cast<char>(byte));
    }
    EXPECT_EQ(Cp1252ToUtf8("\x80\x9C\xE9"), "\xE2\x82\xAC\xC5\x93\xC3\xA9");
    for (char32_t outside : {0x100, 0x142, 0x20AD, 0x3000, 0x1F600, 0xFFFD})
        EXPECT_EQ(CodePointToCp1252(outside), '?') << static_cast<unsigned>(outside);
}

TEST(Cp1252Test, Utf8ToCp1252ReplacesWhatItCannotHold) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", ""},
        {"abc", "abc"},
        {"\xC3\xA9t\xC3\xA9", "\xE9t\xE9"},
        {"\xE2\x82\xAC \xC5\x93", "\x80 \x9C"},
        {"Micha\xC5\x82", "Micha?"},  // Polish l with stroke
        {"\xF0\x9F\x98\x80!", "?!"},  // four-byte sequence outside the page
        {"\xC3", "?"},                // truncated sequence
        {"\xC3(", "?("},              // lead byte without continuation
        {"a\x80z", "a?z"},            // lone continuation byte
        {"\xFF\xFE", "??"},           // bytes never valid in UTF-8
        {"\xC0\xAF", "??"},           // overlong form
        {"\xED\xA0\x80", "???"},      // surrogate
        {"\xF4\x90\x80\x80", "????"}, // beyond U+10FFFF
        {"\xE2\x82", "??"},           // truncated at the end
    };
    ExpectEach(cases, Utf8ToCp1252);
}

TEST(Cp1252Test, TellsTheEncodingOfALine) {
    using E = LineEncoding;
    const std::vector<std::pair<std::string, E>> cases = {
        {"", E::Cp1252},
        {"DUPONT;Jean;12/03/1995", E::Cp1252},
        {"DUPONT;J\xC3\xA9r\xC3\xB4me", E::Utf8},
        {"\xE2\x82\xAC", E::Utf8},
        {"Micha\xC5\x82", E::Either},
        {"\xC9\xA0;\xDC\x9F;\xC7\x8C", E::Either},
        {"\xC9\xA0 puis \xC3\xA9", E::Utf8},
        {"DUPONT;J\xE9r\xF4me", E::Cp1252},
        {"3\xE8me B", E::Cp1252},
        {"\xC3\xA9 puis \xE9", E::Cp1252},
        {"\x80 euro", E::Cp1252},
    };
    ExpectEach(cases, LineEncodingOf);
}

} // namespace
} // namespace tressal
