#pragma once

#include "text/collation.h"

#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tressal {

// An ordered list of Windows-1252 text lines.
using TextList = std::vector<std::string>;

// Splits at CR LF, lone CR or lone LF; a NUL ends the text. A line end after
// the last line does not add an empty line.
TextList SplitLines(std::string_view bytes);

// Every line followed by CR LF, the last one too.
std::string JoinLines(const TextList& lines);

// Every non-empty line followed by CR LF but the last, which has no line end
// (the form some targets read).
std::string JoinLinesNoFinalEnd(const TextList& lines);

TextList LoadTextList(const std::filesystem::path& path);

// Writes JoinLines(lines), replacing the file through a temporary one.
void SaveTextList(const std::filesystem::path& path, const TextList& lines);

// A list kept in ascending order of a French, case-insensitive collation
// (accents significant, "," and ";" before letters). Each line is placed as it
// is added; equal lines are all kept, in the order they came.
class SortedTextList {
public:
    void Add(const std::string& line);
    // True when a line equal to this one, letter case aside, is in the list.
    bool Contains(const std::string& line) const;
    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    void clear() { entries_.clear(); }
    TextList Lines() const;

private:
    struct CollatedLess {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    std::multiset<std::string, CollatedLess> entries_;
};

} // namespace tressal
