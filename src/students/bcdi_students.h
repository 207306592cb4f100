#pragma once

#include "students/sconet_export.h"

namespace tressal::students {

// One BCDI line: the columns shared with PMB, then the INE.
std::string BcdiStudentLine(const StudentFields& student, std::optional<std::size_t> fileLine);

// A header line, export order, the last of a run of neighbouring duplicates kept.
const StudentFormat& BcdiStudents();

} // namespace tressal::students
