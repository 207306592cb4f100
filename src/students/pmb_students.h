#pragma once

#include "students/sconet_export.h"

namespace tressal::students {

// The ten ';'-separated columns that PMB and BCDI share: names, address, an
// empty second address line, postal code, town, telephone, year of birth,
// division reduced to its allowed characters, sex code.
std::string LibraryColumns(const Fields& student);

// One PMB line: the shared columns alone.
std::string PmbStudentLine(const Fields& student, std::size_t lineNumber);

// Sorted, no header, the first of a run of neighbouring duplicates kept.
const StudentFormat& PmbStudents();

} // namespace tressal::students
