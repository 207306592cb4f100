#pragma once

#include "students/sconet_export.h"

namespace tressal::students {

// Ten comma-separated Orlane columns from one Sconet student line.
std::string OrlaneStudentLine(const StudentFields& student, std::optional<std::size_t> fileLine);

// Sorted, no header, the first of a run of neighbouring duplicates kept.
const StudentFormat& OrlaneStudents();

} // namespace tressal::students
