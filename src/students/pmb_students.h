#pragma once

#include "students/sconet_export.h"

namespace tressal::students {

// The ten ';'-separated columns that PMB and BCDI share: names, address, an
// empty second address line, postal code, town, telephone, year of birth,
// division reduced to its allowed characters, sex code.
std::string LibraryColumns(const StudentFields& student);

// One PMB line: the shared columns alone.
std::string PmbStudentLine(const StudentFields& student, std::optional<std::size_t> fileLine);

// Sorted, no header, the first of a run of neighbouring duplicates kept.
const StudentFormat& PmbStudents();

} // namespace tressal::students
