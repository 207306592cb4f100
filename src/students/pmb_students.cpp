#include "students/pmb_students.h"

#include "text/text_helpers.h"

namespace tressal::students {

std::string LibraryColumns(const StudentFields& field) {
    using enum StudentField;
    // A date day/month/year has three parts, so its fifth part is its last: the year.
    const std::string year = FieldAt(field[BirthDate], 5, '/');
    return field[LastName] + ";" + field[FirstName] + ";" + field[Address] + ";;" +
           field[PostalCode] + ";" + field[Town] + ";" + field[Phone] + ";" + year + ";" +
           KeepAllowedChars(field[Division]) + ";" + field[Sex];
}

std::string PmbStudentLine(const StudentFields& student, std::optional<std::size_t> /*fileLine*/) {
    return LibraryColumns(student);
}

const StudentFormat& PmbStudents() {
    static const StudentFormat format{std::nullopt, KeepInRun::First, true, &PmbStudentLine};
    return format;
}

} // namespace tressal::students
