#include "text/text_helpers.h"

#include "text/files.h"
#include "text/replace_files.h"

#include <algorithm>
#include <array>

namespace tressal {
namespace {

char AsciiUpperChar(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsCapital(char c) {
    return c >= 'A' && c <= 'Z';
}

// Replacement of each Windows-1252 byte by FoldName before upper-casing.
constexpr std::array<char, 256> MakeFoldTable() {
    std::array<char, 256> table{};
    for (int i = 0; i < 256; ++i)
        table[i] = static_cast<char>(i);
    for (int code : {192, 193, 195, 196, 197})
        table[code] = 'A';
    table[199] = 'C';
    for (int code = 200; code <= 203; ++code)
        table[code] = 'E';
    for (int code = 204; code <= 207; ++code)
        table[code] = 'I';
    table[209] = 'N';
    for (int code = 210; code <= 213; ++code)
        table[code] = 'O';
    for (int code = 217; code <= 220; ++code)
        table[code] = 'U';
    for (int code : {224, 226, 227, 228})
        table[code] = 'a';
    table[231] = 'c';
    for (int code = 232; code <= 235; ++code)
        table[code] = 'e';
    for (int code : {238, 239})
        table[code] = 'i';
    table[241] = 'n';
    for (int code : {244, 246})
        table[code] = 'o';
    for (int code : {249, 251, 252})
        table[code] = 'u';
    return table;
}

constexpr std::array<char, 256> kFoldTable = MakeFoldTable();

} // namespace

std::string StripSpaces(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    for (char c : text)
        if (c != ' ')
            result += c;
    return result;
}

std::string FoldName(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        const char folded = AsciiUpperChar(kFoldTable[static_cast<unsigned char>(c)]);
        if (folded != '\'')
            result += folded;
    }
    return result;
}

std::string FieldAt(const std::string& text, unsigned n, char separator) {
    std::string_view rest(text);
    if (n <= 1) {
        const auto pos = rest.find(separator);
        return pos == std::string_view::npos ? std::string() : std::string(rest.substr(0, pos));
    }
    for (unsigned i = 1; i < n; ++i) {
        const auto pos = rest.find(separator);
        if (pos == std::string_view::npos)
            break;
        rest.remove_prefix(pos + 1);
    }
    return std::string(rest.substr(0, rest.find(separator)));
}

Fields::Fields(std::string_view text, char separator) {
    Reset(text, separator);
}

void Fields::Reset(std::string_view text, char separator) {
    parts_.clear();
    while (true) {
        const auto pos = text.find(separator);
        parts_.push_back(text.substr(0, pos));
        if (pos == std::string_view::npos)
            break;
        text.remove_prefix(pos + 1);
    }
}

std::string Fields::operator()(unsigned n) const {
    return std::string(View(n));
}

std::string_view Fields::View(unsigned n) const {
    if (n <= 1)
        return parts_.size() == 1 ? std::string_view() : parts_.front();
    return parts_[std::min<std::size_t>(n, parts_.size()) - 1];
}

int CountFields(const std::string& text, char separator) {
    return static_cast<int>(std::count(text.begin(), text.end(), separator)) + 1;
}

bool IsEstablishmentCode(const std::string& text) {
    if (text.size() != 8)
        return false;
    return std::all_of(text.begin(), text.begin() + 7, IsDigit) &&
           IsCapital(AsciiUpperChar(text[7]));
}

std::string ReorderDate(const std::string& date) {
    return FieldAt(date, 3, '/') + FieldAt(date, 2, '/') + FieldAt(date, 1, '/');
}

std::string KeepAllowedChars(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    for (char c : text)
        if (c == ' ' || c == '-' || IsCapital(c) || IsDigit(c))
            result += c;
    return result;
}

std::string ExeFolder(const std::string& path) {
    const auto pos = path.find_last_of("/\\");
    return pos == std::string::npos ? std::string() : path.substr(0, pos);
}

std::string TrimBlanks(const std::string& text) {
    auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    const auto first = std::find_if_not(text.begin(), text.end(), isBlank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), isBlank).base();
    return first < last ? std::string(first, last) : std::string();
}

std::string AsOneField(std::string value, char separator) {
    const char replacement = separator == ',' ? ' ' : ',';
    for (char& c : value) {
        if (c == separator)
            c = replacement;
        else if (c == '\r' || c == '\n' || c == '\t')
            c = ' ';
    }
    return value;
}

std::string AsciiUpper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), AsciiUpperChar);
    return text;
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

std::size_t LineOfNulBeforeText(std::string_view bytes) {
    const std::size_t nul = bytes.find('\0');
    if (nul == std::string_view::npos ||
        bytes.find_first_not_of(std::string_view("\0 \t\r\n", 5), nul) == std::string_view::npos)
        return 0;
    std::size_t line = 1;
    for (std::size_t k = 0; k < nul; ++k) {
        if (bytes[k] == '\n' || (bytes[k] == '\r' && bytes[k + 1] != '\n'))
            ++line;
    }
    return line;
}

namespace {

// The size of the lines joined, each with a line end: reserved at once, the
// joined text is never copied as it grows.
std::size_t JoinedSize(const TextList& lines) {
    std::size_t size = 0;
    for (const auto& line : lines)
        size += line.size() + 2;
    return size;
}

std::string Joined(const TextList& lines, bool finalEnd) {
    std::string bytes;
    bytes.reserve(JoinedSize(lines));
    LinePieces(lines, finalEnd)([&bytes](std::string_view piece) { bytes += piece; });
    return bytes;
}

} // namespace

BytePieces LinePieces(const TextList& lines, bool finalEnd) {
    return [&lines, finalEnd](const PutPiece& put) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (finalEnd) {
                put(lines[i]);
                put("\r\n");
            } else if (!lines[i].empty()) {
                put(lines[i]);
                if (i + 1 < lines.size())
                    put("\r\n");
            }
        }
    };
}

std::string JoinLines(const TextList& lines) {
    return Joined(lines, true);
}

std::string JoinLinesNoFinalEnd(const TextList& lines) {
    return Joined(lines, false);
}

void SaveTextList(const std::filesystem::path& path, const TextList& lines) {
    ReplaceFiles({{path, {}, LinePieces(lines, true)}});
}

bool SortedTextList::CollatedLess::operator()(const std::string& a, const std::string& b) const {
    return CompareLines(a, b) < 0;
}

void SortedTextList::Add(std::string line) {
    if (lookup_)
        lookup_->insert(line);
    entries_.push_back(std::move(line));
}

bool SortedTextList::Contains(const std::string& line) const {
    if (!lookup_)
        lookup_.emplace(entries_.begin(), entries_.end());
    return lookup_->contains(line);
}

void SortedTextList::Sort() const {
    if (sorted_ == entries_.size())
        return;
    const auto middle = entries_.begin() + static_cast<std::ptrdiff_t>(sorted_);
    // Both steps are stable: equal lines stay in the order they came.
    std::stable_sort(middle, entries_.end(), CollatedLess());
    std::inplace_merge(entries_.begin(), middle, entries_.end(), CollatedLess());
    sorted_ = entries_.size();
}

TextList SortedTextList::Lines() const {
    Sort();
    return entries_;
}

TextList SortedTextList::TakeLines() {
    Sort();
    TextList lines = std::move(entries_);
    entries_.clear();
    sorted_ = 0;
    lookup_.reset();
    return lines;
}

} // namespace tressal
