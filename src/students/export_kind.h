#pragma once

#include <string>

// Telling the exports of the school-administration systems apart by the root
// element of their XML, so that a wrong choice gets a message saying what the
// file is and which file to choose instead.
namespace tressal::students {

// What to choose instead of a file that is not a student export.
extern const char* const kChooseStudentExport;

// Throws Error, saying what the document is, unless its root is BEE_ELEVES.
void CheckStudentExportRoot(const std::string& rootName);

} // namespace tressal::students
