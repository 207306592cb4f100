// The fast comparison of lines must order exactly as the collator's sort keys.

#include "text/collation.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

int Sign(int value) {
    return (value > 0) - (value < 0);
}

TEST(Collation, FastComparisonAgreesWithTheCollator) {
    // Letters of both cases, digits, separators, accented and ignorable bytes.
    const std::string alphabet = std::string("aAbBeEzZ09 ,;-'._/()") + "\xE9\xC9\xE8\x8C\x9C\xDF" +
                                 "\xD8\xE6\xC7\xE7\xAD\x01\x7F";
    std::mt19937 random(7);
    auto word = [&](std::size_t length) {
        std::string text;
        for (std::size_t i = 0; i < length; ++i)
            text += alphabet[random() % alphabet.size()];
        return text;
    };
    for (int round = 0; round < 20000; ++round) {
        // A shared start makes the comparison reach deep into the lines.
        const std::string common = word(random() % 6);
        const std::string a = common + word(random() % 5);
        const std::string b = common + word(random() % 5);
        const int expected = Sign(tressal::CollationKey(a).compare(tressal::CollationKey(b)));
        ASSERT_EQ(Sign(tressal::CompareLines(a, b)), expected)
            << '"' << a << "\" vs \"" << b << '"';
    }
}

TEST(Collation, FrenchOrderIgnoringCase) {
    const std::vector<std::pair<std::string, std::string>> ordered = {
        {"DUPONT,Jean", "DUPONTEL,Marc"}, // separators before letters
        {"alpha", "Alpine"},
        {"Alpine", "BETA"},
        {"cote", "c\xF4te"}, // accents count
        {"3B", "A"},         // digits before letters
    };
    for (const auto& [first, second] : ordered) {
        SCOPED_TRACE(first + " < " + second);
        EXPECT_LT(tressal::CompareLines(first, second), 0);
        EXPECT_GT(tressal::CompareLines(second, first), 0);
    }
    EXPECT_EQ(tressal::CompareLines("Dupont,JEAN", "DUPONT,Jean"), 0);
}

} // namespace
