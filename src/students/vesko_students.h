#pragma once

#include "students/sconet_export.h"

namespace tressal::students {

// One Vesko line: INE, padded internal number, folded last name, first names,
// date of birth, civility, division, empty login and password, then the
// student's language options. Throws Error, naming the line in the file (the
// student only for lines built from XML), when the date of birth holds fewer
// than two "/": "vide" when it is blank, "incomplet" when something is there.
std::string VeskoStudentLine(const StudentFields& student, std::optional<std::size_t> fileLine);

// A header line, export order, the last of a run of neighbouring duplicates kept.
const StudentFormat& VeskoStudents();

} // namespace tressal::students
