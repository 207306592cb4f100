#pragma once

#include "text/collation.h"
#include "text/file_device.h"

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// Small text functions over Windows-1252 text; positions are 1-based.
namespace tressal {

// The text without any space character (tabs and other blanks stay).
std::string StripSpaces(const std::string& text);

// Accents of French letters folded, a-z upper-cased, apostrophes removed.
std::string FoldName(const std::string& text);

// Field n of the text cut at separator. Field 1 of a text without separator
// is empty; field n >= 2 of a text with fewer fields is its last field.
std::string FieldAt(const std::string& text, unsigned n, char separator);

// The fields of one text, cut once and read by number with FieldAt's rules:
// Fields(text, sep)(n) == FieldAt(text, n, sep). For lines read field by field.
class Fields {
public:
    Fields() = default;
    Fields(std::string_view text, char separator);
    // Cuts another text, keeping the room taken: one object serves every line.
    void Reset(std::string_view text, char separator);
    std::string operator()(unsigned n) const;
    // The same without a copy, valid while the text lives.
    std::string_view View(unsigned n) const;
    // CountFields of the text.
    std::size_t Count() const { return parts_.size(); }

private:
    std::vector<std::string_view> parts_; // as many as CountFields
};

// Number of separators in the text plus one.
int CountFields(const std::string& text, char separator);

// Seven digits and a letter (either case).
bool IsEstablishmentCode(const std::string& text);

// A date day/month/year as yearmonthday, without separator.
std::string ReorderDate(const std::string& date);

// Keeps only space, hyphen, A-Z and 0-9.
std::string KeepAllowedChars(const std::string& text);

// Everything before the last path separator of the path.
std::string ExeFolder(const std::string& path);

// The text without the characters of code 32 or below at both ends.
std::string TrimBlanks(const std::string& text);

// A value read from an export (Windows-1252 or UTF-8) made safe as one field
// of a line whose fields are cut at separator: CR, LF and TAB become a blank,
// and the separator becomes "," (a blank when the separator is ",").
std::string AsOneField(std::string value, char separator);

// a-z to A-Z, every other byte unchanged.
std::string AsciiUpper(std::string text);

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

// The bytes of JoinLines(lines), or with finalEnd false of
// JoinLinesNoFinalEnd(lines), told piece after piece without joining them;
// the lines must outlive the pieces.
BytePieces LinePieces(const TextList& lines, bool finalEnd);

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
