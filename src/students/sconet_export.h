#pragma once

#include "text/text_list.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Reading a Sconet student export: its name, its lines, its header, and the
// removal of neighbouring duplicates, common to every student conversion.
namespace tressal::students {

// The establishment code of an export named CODE.csv (any case; text after a
// second dot ignored), as typed. Throws Error "Nom de fichier incorrect".
std::string EstablishmentCodeOf(const std::filesystem::path& input);

// The export's lines in Windows-1252, decoded by DecodeText. Throws Error for a
// NUL that text follows: the file is damaged, or not text.
TextList LoadExport(const std::filesystem::path& input);

// The same from the file's bytes.
TextList ExportLines(std::string bytes);

// Throws Error unless the header (line 1) holds 22 fields.
void CheckHeader(const TextList& lines);

enum class KeepInRun { First, Last };

// Indexes of the student lines (1 .. n-1; the header takes no part) left once
// each run of neighbours with the same fields 1 and 2 is reduced to its first
// or its last line. Comparison is exact, letter case included.
std::vector<std::size_t> NeighbourSurvivors(const TextList& lines, KeepInRun keep);

// How one target turns the export into its lines.
struct StudentFormat {
    std::optional<std::string> header; // first output line, when the target has one
    KeepInRun keep = KeepInRun::First;
    bool sorted = false;
    // One output line from one student line (field 1 not empty); lineNumber
    // counts from 1 in the export, for messages, and is 0 when the lines were
    // built from an XML export (messages then name the student only). May
    // throw Error.
    std::string (*line)(const std::string& student, std::size_t lineNumber) = nullptr;
};

// Check, remove neighbouring duplicates and convert. numberedLines: the lines
// are those of a file, numbered from 1 in messages.
TextList ConvertExport(const TextList& exportLines, const StudentFormat& format,
                       bool numberedLines = true);

} // namespace tressal::students
