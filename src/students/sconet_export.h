#pragma once

#include "students/line_table.h"
#include "students/student_fields.h"
#include "text/text_helpers.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Reading a Sconet student export: its name, its lines, its header, and the
// removal of neighbouring duplicates, common to every student conversion.
namespace tressal::students {

// The establishment code of an export named CODE.csv (any case; text after a
// second dot ignored), as typed. Throws Error "Nom de fichier incorrect" with
// the expected form on a second line.
std::string EstablishmentCodeOf(const std::filesystem::path& input);

// The export's lines in Windows-1252, decoded by DecodeText. Throws Error for a
// NUL that text follows: the file is damaged, or not text.
TextList LoadExport(const std::filesystem::path& input);

// The same from the file's bytes. An export saved again by a spreadsheet is
// read as the spreadsheet meant it.
TextList ExportLines(std::string bytes);

// An export's lines and what the report tells of their reading.
struct SconetLines {
    LineTable lines;
    bool resavedBySpreadsheet = false;
    // The students of the lines written in UTF-8 that held a character
    // Windows-1252 cannot hold, in the order of the lines.
    std::vector<UnwritableStudent> unwritable;
};

// ExportLines, and what the report tells.
SconetLines ReadSconetLines(std::string bytes);

// The same from the file, read in pieces of whole lines, each decoded into a
// block of lines of its own: the file is never held twice.
SconetLines ReadSconetFile(const std::filesystem::path& input);

// Throws Error unless the header (line 1) holds 22 fields.
void CheckHeader(LineView lines);
void CheckHeader(const TextList& lines);

enum class KeepInRun { First, Last };

// Indexes of the student lines (1 .. n-1; the header takes no part) left once
// each run of neighbours with the same last and first names is reduced to its first
// or its last line. Comparison is exact, letter case included.
std::vector<std::size_t> NeighbourSurvivors(LineView lines, KeepInRun keep);

// How one target turns the export into its lines.
struct StudentFormat {
    std::optional<std::string> header; // first output line, when the target has one
    KeepInRun keep = KeepInRun::First;
    bool sorted = false;
    // One output line from the fields of one student line (its last name not
    // empty). fileLine, for messages, counts from 1 in a Sconet file; none
    // when the lines were built from an XML export (messages then name the
    // student only). May throw Error.
    std::string (*line)(const StudentFields& student,
                        std::optional<std::size_t> fileLine) = nullptr;
    bool foldsNames = false; // names upper-cased and their French accents folded
};

// Told what becomes of each student line as the conversion goes; k indexes
// the export's lines, the header being 0.
class ExportLineObserver {
public:
    virtual ~ExportLineObserver() = default;
    // Not written: a neighbouring duplicate of line kept, the line kept in its place.
    virtual void Duplicate(std::size_t k, std::size_t kept) = 0;
    // Not written: its last name is empty.
    virtual void Nameless(std::size_t k) = 0;
    // Converted into a line of the result; student holds its fields.
    virtual void Written(std::size_t k, const StudentFields& student) = 0;
};

// Check, remove neighbouring duplicates and convert. numberedLines: the lines
// are those of a file, numbered from 1 in messages. The observer, when given,
// is told what becomes of each line.
TextList ConvertExport(LineView exportLines, const StudentFormat& format, bool numberedLines = true,
                       ExportLineObserver* observer = nullptr);
TextList ConvertExport(const TextList& exportLines, const StudentFormat& format,
                       bool numberedLines = true, ExportLineObserver* observer = nullptr);
// The same, freeing the export's lines as they are converted: the observer
// may read the line it is told of, never one before.
TextList ConvertExportFreeing(LineTable&& exportLines, const StudentFormat& format,
                              bool numberedLines = true, ExportLineObserver* observer = nullptr);

} // namespace tressal::students
