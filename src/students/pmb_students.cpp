#include "students/pmb_students.h"

#include "text/text_helpers.h"

namespace tressal::students {

std::string LibraryColumns(const Fields& field) {
    // A date day/month/year has three parts, so its fifth part is its last: the year.
    const std::string year = FieldAt(field(5), 5, '/');
    return field(1) + ";" + field(2) + ";" + field(19) + ";;" + field(20) + ";" + field(21) + ";" +
           field(22) + ";" + year + ";" + KeepAllowedChars(field(9)) + ";" + field(8);
}

std::string PmbStudentLine(const Fields& student, std::size_t /*lineNumber*/) {
    return LibraryColumns(student);
}

const StudentFormat& PmbStudents() {
    static const StudentFormat format{std::nullopt, KeepInRun::First, true, &PmbStudentLine};
    return format;
}

} // namespace tressal::students
