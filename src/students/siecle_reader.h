#pragma once

#include "xml/stream.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Reading a SIECLE student export (root BEE_ELEVES) in one pass: the values
// that the student lines need, as written (UTF-8, not trimmed yet).
namespace tressal::students {

// The values read from the children of one ELEVE.
enum class StudentValue {
    UsageName,        // NOM_USAGE
    FamilyName,       // NOM_DE_FAMILLE
    OldName,          // NOM, in older exports
    FirstName,        // PRENOM
    SecondFirstName,  // PRENOM2
    ThirdFirstName,   // PRENOM3
    BirthDate,        // DATE_NAISS
    InternalNumber,   // ELENOET, when not an attribute
    NationalId,       // ID_NATIONAL
    SexCode,          // CODE_SEXE
    AddressId,        // ADRESSE_ID
    HomePhone,        // TEL_PERSONNEL
    MobilePhone,      // TEL_PORTABLE
    LeavingDate,      // DATE_SORTIE
    LastYearDivision, // SCOLARITE_AN_DERNIER/CODE_STRUCTURE
    LastYearSchool,   // SCOLARITE_AN_DERNIER/CODE_RNE
    Count
};

struct SiecleStudent {
    std::string id;             // attribute ELEVE_ID
    std::string internalNumber; // attribute ELENOET
    std::array<std::string, static_cast<std::size_t>(StudentValue::Count)> values;

    const std::string& operator[](StudentValue value) const {
        return values[static_cast<std::size_t>(value)];
    }
};

struct SiecleOption {
    std::string number;      // NUM_OPTION
    std::string subjectCode; // CODE_MATIERE
};

// What the OPTIONS and STRUCTURES sections say of one student.
struct SiecleSchooling {
    std::vector<SiecleOption> options;   // in document order
    std::optional<std::string> division; // CODE_STRUCTURE of the first STRUCTURE of type "D"
};

struct SiecleAddress {
    std::array<std::string, 4> lines; // LIGNE1_ADRESSE .. LIGNE4_ADRESSE
    std::string postalCode;           // CODE_POSTAL
    std::string town;                 // LIBELLE_POSTAL
    std::string foreignTown;          // COMMUNE_ETRANGERE
};

// The part of the address that a child element of ADRESSE (LIGNE1_ADRESSE,
// CODE_POSTAL...) holds; nullptr for any other element.
std::string* AddressPartNamed(SiecleAddress& address, std::string_view name);

struct SiecleExport {
    std::string establishment; // PARAMETRES/UAJ
    std::string exportDate;    // PARAMETRES/DATE_EXPORT
    std::string schoolYear;    // PARAMETRES/ANNEE_SCOLAIRE: the year it starts
    std::vector<SiecleStudent> students;
    // Keyed by ELEVE_ID (trimmed).
    std::unordered_map<std::string, SiecleSchooling> schooling;
    // Keyed by ADRESSE_ID (trimmed); the first ADRESSE of an id counts.
    std::unordered_map<std::string, SiecleAddress> addresses;
    xml::EncodingNote encoding;
};

// Reads the document. Throws Error saying what the file is when its root is
// not BEE_ELEVES, Error naming the file (when given) when it has no
// DONNEES/ELEVES, and LoadError when it cannot be read as XML.
SiecleExport ReadSiecleExport(std::string_view bytes, std::string_view fileName = {});

// The same from bytes read as they come (opened once more to quote the line
// of a parse error).
SiecleExport ReadSiecleExport(const xml::ByteSourceOpener& open, std::string_view fileName = {});

} // namespace tressal::students
