#pragma once

#include "students/sconet_export.h"

namespace tressal::students {

// Ten comma-separated Orlane columns from one Sconet student line.
std::string OrlaneStudentLine(const Fields& student, std::size_t lineNumber);

// Sorted, no header, the first of a run of neighbouring duplicates kept.
const StudentFormat& OrlaneStudents();

} // namespace tressal::students
