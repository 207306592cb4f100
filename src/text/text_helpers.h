#pragma once

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

} // namespace tressal
