#include "text/collation.h"

#include "text/cp1252.h"
#include "text/error.h"

#include <algorithm>
#include <array>
#include <memory>
#include <mutex>
#include <unicode/coll.h>
#include <unicode/unistr.h>

namespace tressal {
namespace {

const icu::Collator& FrenchCollator() {
    static std::unique_ptr<icu::Collator> collator;
    static std::once_flag once;
    std::call_once(once, [] {
        UErrorCode status = U_ZERO_ERROR;
        collator.reset(icu::Collator::createInstance(icu::Locale::getFrance(), status));
        // Without the French data ICU answers with its root collation and
        // this warning: a program built with too little data is refused here.
        if (U_FAILURE(status) || status == U_USING_DEFAULT_WARNING || !collator)
            throw Error("Impossible de préparer le classement alphabétique français.");
        collator->setStrength(icu::Collator::SECONDARY);
    });
    return *collator;
}

// Every Windows-1252 character is a single UTF-16 unit.
const std::array<char16_t, 256>& Utf16Units() {
    static const std::array<char16_t, 256> units = [] {
        std::array<char16_t, 256> table{};
        for (std::size_t byte = 0; byte < table.size(); ++byte)
            table[byte] =
                static_cast<char16_t>(Cp1252ToCodePoint(static_cast<unsigned char>(byte)));
        return table;
    }();
    return units;
}

// The line in UTF-16, in a buffer that keeps its room from one call to the next.
void ToUtf16(std::string_view line, std::u16string& units) {
    const std::array<char16_t, 256>& table = Utf16Units();
    units.resize(line.size());
    for (std::size_t i = 0; i < line.size(); ++i)
        units[i] = table[static_cast<unsigned char>(line[i])];
}

std::u16string ToUtf16(std::string_view line) {
    std::u16string units;
    ToUtf16(line, units);
    return units;
}

int IcuCompare(std::string_view a, std::string_view b) {
    thread_local std::u16string ua;
    thread_local std::u16string ub;
    ToUtf16(a, ua);
    ToUtf16(b, ub);
    UErrorCode status = U_ZERO_ERROR;
    return FrenchCollator().compare(ua.data(), static_cast<int32_t>(ua.size()), ub.data(),
                                    static_cast<int32_t>(ub.size()), status);
}

// The collator's order of the printable ASCII characters, as ranks from 1
// (0: not printable). Each such character has one primary weight and no
// accent, so two ASCII texts compare as their rank sequences; letters of both
// cases share a rank.
using AsciiRanks = std::array<unsigned char, 128>;

const AsciiRanks& PrintableRanks() {
    static const AsciiRanks ranks = [] {
        std::array<char, 95> printable{};
        for (std::size_t i = 0; i < printable.size(); ++i)
            printable[i] = static_cast<char>(0x20 + i);
        auto compare = [](char x, char y) {
            return IcuCompare(std::string_view(&x, 1), std::string_view(&y, 1));
        };
        std::stable_sort(printable.begin(), printable.end(),
                         [&](char x, char y) { return compare(x, y) < 0; });
        AsciiRanks result{};
        unsigned char rank = 0;
        for (std::size_t i = 0; i < printable.size(); ++i) {
            if (i == 0 || compare(printable[i - 1], printable[i]) != 0)
                ++rank;
            result[static_cast<unsigned char>(printable[i])] = rank;
        }
        return result;
    }();
    return ranks;
}

} // namespace

int CompareLines(std::string_view a, std::string_view b) {
    // Walks both lines while they agree byte for byte or differ only by
    // printable ASCII characters; anything else goes to the collator.
    const AsciiRanks& ranks = PrintableRanks();
    auto rankOf = [&](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 128 ? ranks[byte] : 0;
    };
    for (std::size_t i = 0;; ++i) {
        if (i == a.size() || i == b.size()) {
            if (a.size() == b.size())
                return 0;
            const bool aShorter = i == a.size();
            if (rankOf(aShorter ? b[i] : a[i]) != 0)
                return aShorter ? -1 : 1;
            return IcuCompare(a, b);
        }
        if (a[i] == b[i])
            continue;
        const int ra = rankOf(a[i]);
        const int rb = rankOf(b[i]);
        if (ra == 0 || rb == 0)
            return IcuCompare(a, b);
        if (ra != rb)
            return ra < rb ? -1 : 1;
    }
}

std::string CollationKey(std::string_view line) {
    const std::u16string units = ToUtf16(line);
    const icu::UnicodeString text(false, units.data(), static_cast<int32_t>(units.size()));
    const icu::Collator& collator = FrenchCollator();
    std::string key(line.size() * 2 + 16, '\0');
    int32_t needed = collator.getSortKey(text, reinterpret_cast<uint8_t*>(key.data()),
                                         static_cast<int32_t>(key.size()));
    if (needed > static_cast<int32_t>(key.size())) {
        key.resize(needed);
        needed = collator.getSortKey(text, reinterpret_cast<uint8_t*>(key.data()), needed);
    }
    key.resize(needed > 0 ? needed - 1 : 0); // drop the terminating zero
    return key;
}

} // namespace tressal
