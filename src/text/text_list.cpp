#include "text/text_list.h"

#include "text/cp1252.h"
#include "text/error.h"
#include "text/file_io.h"

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
        if (U_FAILURE(status) || !collator)
            throw Error("Impossible de préparer le classement alphabétique français.");
        collator->setStrength(icu::Collator::SECONDARY);
    });
    return *collator;
}

// Every Windows-1252 character is a single UTF-16 unit.
std::u16string ToUtf16(std::string_view line) {
    std::u16string units(line.size(), u'\0');
    for (std::size_t i = 0; i < line.size(); ++i)
        units[i] = static_cast<char16_t>(Cp1252ToCodePoint(static_cast<unsigned char>(line[i])));
    return units;
}

} // namespace

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

TextList SplitLines(std::string_view bytes) {
    if (const auto nul = bytes.find('\0'); nul != std::string_view::npos)
        bytes = bytes.substr(0, nul);
    TextList lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = start;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        if (end == bytes.size()) {
            lines.emplace_back(bytes.substr(start));
            break;
        }
        lines.emplace_back(bytes.substr(start, end - start));
        start = end + 1;
        if (bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n')
            ++start;
    }
    return lines;
}

std::string JoinLines(const TextList& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

std::string JoinLinesNoFinalEnd(const TextList& lines) {
    std::string bytes;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty())
            continue;
        bytes += lines[i];
        if (i + 1 < lines.size())
            bytes += "\r\n";
    }
    return bytes;
}

TextList LoadTextList(const std::filesystem::path& path) {
    return SplitLines(ReadWholeFile(path));
}

void SaveTextList(const std::filesystem::path& path, const TextList& lines) {
    WriteFileAtomically(path, JoinLines(lines));
}

bool SortedTextList::CollatedLess::operator()(const std::u16string& a,
                                              const std::u16string& b) const {
    UErrorCode status = U_ZERO_ERROR;
    return FrenchCollator().compare(a.data(), static_cast<int32_t>(a.size()), b.data(),
                                    static_cast<int32_t>(b.size()), status) == UCOL_LESS;
}

void SortedTextList::Add(const std::string& line) {
    entries_.emplace(ToUtf16(line), line);
}

bool SortedTextList::Contains(const std::string& line) const {
    return entries_.find(ToUtf16(line)) != entries_.end();
}

TextList SortedTextList::Lines() const {
    TextList lines;
    lines.reserve(entries_.size());
    for (const auto& [key, line] : entries_)
        lines.push_back(line);
    return lines;
}

} // namespace tressal
