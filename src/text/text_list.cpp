#include "text/text_list.h"

#include "text/file_io.h"
#include "text/replace_files.h"

#include <algorithm>

namespace tressal {

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

} // namespace

std::string JoinLines(const TextList& lines) {
    std::string bytes;
    bytes.reserve(JoinedSize(lines));
    for (const auto& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

std::string JoinLinesNoFinalEnd(const TextList& lines) {
    std::string bytes;
    bytes.reserve(JoinedSize(lines));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty())
            continue;
        bytes += lines[i];
        if (i + 1 < lines.size())
            bytes += "\r\n";
    }
    return bytes;
}

void SaveTextList(const std::filesystem::path& path, const TextList& lines) {
    WriteFileAtomically(path, JoinLines(lines));
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
