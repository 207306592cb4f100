#pragma once

#include "students/siecle_reader.h"
#include "xml/stream.h"

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Reading the SIECLE export of the legal representatives, "Responsables avec
// adresses" (root BEE_RESPONSABLES), for the address and phone of the
// students whose own are empty. Values are UTF-8, as written.
namespace tressal::students {

struct Representative {
    std::string homePhone;   // TEL_PERSONNEL
    std::string mobilePhone; // TEL_PORTABLE
    std::string addressId;   // ADRESSE_ID, trimmed
};

// One link of a student to a person (RESPONSABLE_ELEVE, or RESPONSABLE).
struct RepresentativeLink {
    std::string studentId;  // ELEVE_ID, trimmed
    std::string personId;   // PERSONNE_ID, trimmed
    std::string legalLevel; // RESP_LEGAL, trimmed: "1", "2", or "0" for other contacts
};

struct RepresentativesExport {
    std::string establishment;                                // PARAMETRES/UAJ
    std::string schoolYear;                                   // PARAMETRES/ANNEE_SCOLAIRE
    std::unordered_map<std::string, Representative> persons;  // by PERSONNE_ID
    std::vector<RepresentativeLink> links;                    // in document order
    std::unordered_map<std::string, SiecleAddress> addresses; // by ADRESSE_ID
};

// Reads the document. Throws Error saying what the file is when its root is
// not BEE_RESPONSABLES, and LoadError when it cannot be read as XML.
RepresentativesExport ReadRepresentativesExport(std::string_view bytes);

// The same from bytes read as they come (opened once more to quote the line
// of a parse error).
RepresentativesExport ReadRepresentativesExport(const xml::ByteSourceOpener& open);

// What a student may take from its legal representatives: the address of the
// first one with RESP_LEGAL 1, else 2, that has an address; the phone of the
// first one, in the same order, that has one (TEL_PERSONNEL, else
// TEL_PORTABLE). Contacts with RESP_LEGAL 0 give nothing.
class RepresentativeContacts {
public:
    RepresentativeContacts() = default;
    explicit RepresentativeContacts(RepresentativesExport data);
    // The links point into the data: moved, never copied.
    RepresentativeContacts(RepresentativeContacts&&) = default;
    RepresentativeContacts& operator=(RepresentativeContacts&&) = default;
    RepresentativeContacts(const RepresentativeContacts&) = delete;
    RepresentativeContacts& operator=(const RepresentativeContacts&) = delete;

    // nullptr when none of them has an address.
    const SiecleAddress* Address(const std::string& studentId) const;
    // "" when none of them has a phone.
    std::string Phone(const std::string& studentId) const;

    const RepresentativesExport& data() const { return data_; }

private:
    // The legal representatives of the student, level 1 first, then level 2.
    std::vector<const Representative*> LegalOf(const std::string& studentId) const;

    RepresentativesExport data_;
    std::unordered_map<std::string, std::vector<const RepresentativeLink*>> byStudent_;
};

// True when the address gives something to write: a line, a postal code or a town.
bool HasAddress(const SiecleAddress& address);

} // namespace tressal::students
