#include "students/orlane_students.h"

#include "text/text_helpers.h"

namespace tressal::students {

std::string OrlaneStudentLine(const Fields& field, std::size_t /*lineNumber*/) {
    const std::string school = field(17);
    return FoldName(field(1)) + "," + FoldName(field(2)) + "," + ReorderDate(field(5)) + "," +
           field(8) + "," + "XX,XX,OUI," + StripSpaces(KeepAllowedChars(field(9))) + "," +
           StripSpaces(KeepAllowedChars(field(16))) + "," + (school.empty() ? "9999999Z" : school);
}

const StudentFormat& OrlaneStudents() {
    static const StudentFormat format{std::nullopt, KeepInRun::First, true, &OrlaneStudentLine,
                                      true};
    return format;
}

} // namespace tressal::students
