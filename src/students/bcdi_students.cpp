#include "students/bcdi_students.h"

#include "students/pmb_students.h"
#include "text/text_helpers.h"

namespace tressal::students {

std::string BcdiStudentLine(const StudentFields& student, std::optional<std::size_t> /*fileLine*/) {
    return LibraryColumns(student) + ";" + student[StudentField::NationalId];
}

const StudentFormat& BcdiStudents() {
    static const StudentFormat format{
        "Nom ;Prenom;adresse 1;adresse 2;Code Postal;Ville;T\xE9l\xE9phone;Date de "
        "Naissance;Classe;Sexe;INE",
        KeepInRun::Last, false, &BcdiStudentLine};
    return format;
}

} // namespace tressal::students
