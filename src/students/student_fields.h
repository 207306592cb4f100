#pragma once

#include "text/text_helpers.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// The 22 fields of a student line: the line of a Sconet export, and the line
// that the SIECLE reader builds in its form. Readers and targets name them
// here, never by number.
namespace tressal::students {

// In the order of the line; the names of the Sconet header in comments.
enum class StudentField : unsigned {
    LastName,        // NOM
    FirstName,       // PRENOM
    SecondFirstName, // PRENOM 2
    ThirdFirstName,  // PRENOM 3
    BirthDate,       // DATE NAISS: dd/mm/yyyy
    InternalNumber,  // NUM INTERNE: the student's number in the establishment
    NationalId,      // INE
    Sex,             // SEXE: M or F
    Division,        // DIVISION
    // OPTION 1 to OPTION 5: management codes (AGL1, ESP2...)
    Option1,
    Option2,
    Option3,
    Option4,
    Option5,
    BoardingStatus,   // REGIME (no target reads it)
    PreviousDivision, // GROUPE: lines built from SIECLE give last year's division there
    PreviousSchool,   // ETAB ORIGINE: the code of last year's establishment
    EntryDate,        // DATE ENTREE (no target reads it)
    Address,          // ADRESSE
    PostalCode,       // CODE POSTAL
    Town,             // COMMUNE
    Phone,            // TELEPHONE
};

// The header line of a Sconet export, which the lines built from XML take.
inline constexpr const char* kSconetHeader =
    "NOM;PRENOM;PRENOM 2;PRENOM 3;DATE NAISS;NUM INTERNE;INE;SEXE;DIVISION;OPTION 1;OPTION 2;"
    "OPTION 3;OPTION 4;OPTION 5;REGIME;GROUPE;ETAB ORIGINE;DATE ENTREE;ADRESSE;CODE POSTAL;"
    "COMMUNE;TELEPHONE";

// Where the field stands in a line, from 1: for the readers below only.
constexpr unsigned PositionOf(StudentField field) {
    return static_cast<unsigned>(field) + 1;
}

inline constexpr std::size_t kStudentFieldCount = PositionOf(StudentField::Phone);

inline constexpr std::array<StudentField, 5> kOptionFields = {
    StudentField::Option1, StudentField::Option2, StudentField::Option3, StudentField::Option4,
    StudentField::Option5};

// One student line read field by field, with FieldAt's rules: a field past the
// line's last reads as its last field.
class StudentFields {
public:
    StudentFields() = default;
    explicit StudentFields(std::string_view line) : fields_(line, ';') {}
    // Cuts another line, keeping the room taken: one object serves every line.
    void Reset(std::string_view line) { fields_.Reset(line, ';'); }

    std::string operator[](StudentField field) const { return fields_(PositionOf(field)); }
    // The same without a copy, valid while the line lives.
    std::string_view View(StudentField field) const { return fields_.View(PositionOf(field)); }
    // How many fields the line holds (22 in a whole line).
    std::size_t Count() const { return fields_.Count(); }

private:
    Fields fields_;
};

// One field of a line, without cutting the rest.
inline std::string StudentFieldOf(const std::string& line, StudentField field) {
    return FieldAt(line, PositionOf(field), ';');
}

// A student line being built, field by field.
class StudentLineBuilder {
public:
    std::string& operator[](StudentField field) { return values_[PositionOf(field) - 1]; }
    const std::string& operator[](StudentField field) const {
        return values_[PositionOf(field) - 1];
    }

    // The fields joined by ";".
    std::string Line() const {
        std::string line = values_.front();
        for (std::size_t k = 1; k < values_.size(); ++k) {
            line += ';';
            line += values_[k];
        }
        return line;
    }

private:
    std::array<std::string, kStudentFieldCount> values_;
};

// A student whose line holds a character that Windows-1252 cannot hold, which
// the line gives as "?": its names as the export spells them (UTF-8). line
// indexes the export's lines, the header being 0.
struct UnwritableStudent {
    std::size_t line = 0;
    std::string name;
    std::string firstName;
};

} // namespace tressal::students
