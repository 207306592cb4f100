#pragma once

#include "text/collation.h"

#include <filesystem>
#include <optional>
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

// The line, counted from 1 as SplitLines counts them, of the first NUL when
// something other than NULs, blanks and line ends follows it: what SplitLines
// would drop. 0 when there is none (no NUL, or NULs only padding the end).
std::size_t LineOfNulBeforeText(std::string_view bytes);

// Every line followed by CR LF, the last one too.
std::string JoinLines(const TextList& lines);

// The form some targets read: empty lines are left out, and every other line
// is followed by CR LF except the list's last line. The rule looks at the
// list's last entry, not at the last line written: when that entry is empty
// the text ends with the line end of the line before it ({"a", ""} gives
// "a\r\n"; {"a", "b"} gives "a\r\nb").
std::string JoinLinesNoFinalEnd(const TextList& lines);

// Writes JoinLines(lines), replacing the file through a temporary one.
void SaveTextList(const std::filesystem::path& path, const TextList& lines);

// A list read in ascending order of a French, case-insensitive collation
// (accents significant, "," and ";" before letters); equal lines are all
// kept, in the order they came. Lines are gathered as they come and sorted
// once when they are read.
class SortedTextList {
public:
    void Add(std::string line);
    // True when a line equal to this one, letter case aside, is in the list.
    bool Contains(const std::string& line) const;
    TextList Lines() const;
    // The lines, sorted, moved out: the list is left empty.
    TextList TakeLines();

private:
    struct CollatedLess {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    void Sort() const;

    // entries_[0, sorted_) are in order; the lines after came since.
    mutable std::vector<std::string> entries_;
    mutable std::size_t sorted_ = 0;
    // Built on the first lookup, then kept up to date by Add.
    mutable std::optional<std::set<std::string, CollatedLess>> lookup_;
};

} // namespace tressal
