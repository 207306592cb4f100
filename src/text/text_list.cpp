#include "text/text_list.h"

#include "text/file_io.h"
#include "text/file_read.h"

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

bool SortedTextList::CollatedLess::operator()(const std::string& a, const std::string& b) const {
    return CompareLines(a, b) < 0;
}

void SortedTextList::Add(const std::string& line) {
    entries_.insert(line);
}

bool SortedTextList::Contains(const std::string& line) const {
    return entries_.find(line) != entries_.end();
}

TextList SortedTextList::Lines() const {
    TextList lines;
    lines.reserve(entries_.size());
    lines.assign(entries_.begin(), entries_.end());
    return lines;
}

} // namespace tressal
