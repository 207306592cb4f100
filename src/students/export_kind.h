#pragma once

#include <string>

// Telling the exports of the school-administration systems apart by the root
// element of their XML, so that a wrong choice gets a message saying what the
// file is and which file to choose instead.
namespace tressal::students {

// What the export of that root element is, with "pas des élèves" when it is
// not a student export ("l'export des responsables, pas des élèves"); ""
// when the root is BEE_ELEVES or unknown.
std::string OtherExportKind(const std::string& rootName);

// What to choose instead of a file that is not a student export.
extern const char* const kChooseStudentExport;

// Throws Error, saying what the document is, unless its root is BEE_ELEVES.
void CheckStudentExportRoot(const std::string& rootName);

} // namespace tressal::students
