#include "students/orlane_students.h"

#include "text/text_helpers.h"

namespace tressal::students {

std::string OrlaneStudentLine(const StudentFields& field, std::optional<std::size_t> /*fileLine*/) {
    using enum StudentField;
    const std::string school = field[PreviousSchool];
    return FoldName(field[LastName]) + "," + FoldName(field[FirstName]) + "," +
           ReorderDate(field[BirthDate]) + "," + field[Sex] + "," + "XX,XX,OUI," +
           StripSpaces(KeepAllowedChars(field[Division])) + "," +
           StripSpaces(KeepAllowedChars(field[PreviousDivision])) + "," +
           (school.empty() ? "9999999Z" : school);
}

const StudentFormat& OrlaneStudents() {
    static const StudentFormat format{std::nullopt, KeepInRun::First, true, &OrlaneStudentLine,
                                      true};
    return format;
}

} // namespace tressal::students
