#pragma once

#include <filesystem>
#include <string>

// Telling the exports of the school-administration systems apart by the root
// element of their XML, so that a wrong choice gets a message saying what the
// file is and which file to choose instead.
namespace tressal::students {

// What to choose instead of a file that is not a student export.
extern const char* const kChooseStudentExport;

// Throws Error, saying what the document is, unless its root is BEE_ELEVES.
void CheckStudentExportRoot(const std::string& rootName);

// What a file holds, told by its content (an export opened from outside the
// program: "Ouvrir avec", a drop on the main window).
enum class ExportContent {
    Students, // a SIECLE student export (XML or zipped) or a Sconet CSV
    Staff,    // an STS export (XML or zipped)
    Other,    // not an export the program converts: see `message`
};

struct RecognisedExport {
    ExportContent content = ExportContent::Other;
    std::string message; // for Other: what the file is and what to choose (UTF-8)
};

// Reads the file (bounded, regular files only; throws Error when it cannot be
// read) and tells which export it is, without converting it.
RecognisedExport RecogniseExport(const std::filesystem::path& file);

} // namespace tressal::students
