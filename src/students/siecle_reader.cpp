#include "students/siecle_reader.h"

#include "students/export_kind.h"
#include "students/placed_events.h"
#include "text/error.h"
#include "text/text_helpers.h"

#include <utility>

namespace tressal::students {
namespace {

// Where the reading stands: the kind of the element last opened.
enum class Place {
    Ignored,
    Root,
    Parameters,
    Data,
    Students,
    Student,
    LastYear,
    Options,
    StudentOptions, // OPTION
    Option,         // OPTIONS_ELEVE
    Structures,
    StudentStructures, // STRUCTURES_ELEVE
    Structure,
    Addresses,
    Address,
    Value, // an element whose text is kept
};

struct NamedValue {
    std::string_view name;
    StudentValue value;
};

constexpr NamedValue kStudentValues[] = {
    {"NOM_USAGE", StudentValue::UsageName},
    {"NOM_DE_FAMILLE", StudentValue::FamilyName},
    {"NOM", StudentValue::OldName},
    {"PRENOM", StudentValue::FirstName},
    {"PRENOM2", StudentValue::SecondFirstName},
    {"PRENOM3", StudentValue::ThirdFirstName},
    {"DATE_NAISS", StudentValue::BirthDate},
    {"ELENOET", StudentValue::InternalNumber},
    {"ID_NATIONAL", StudentValue::NationalId},
    {"CODE_SEXE", StudentValue::SexCode},
    {"ADRESSE_ID", StudentValue::AddressId},
    {"TEL_PERSONNEL", StudentValue::HomePhone},
    {"TEL_PORTABLE", StudentValue::MobilePhone},
    {"DATE_SORTIE", StudentValue::LeavingDate},
};

class SiecleEvents : public PlacedEvents<Place> {
public:
    // Without DONNEES/ELEVES, the file lists no one because it is not what it
    // claims: saying so beats replacing a good file with an empty one.
    SiecleExport Take(std::string_view fileName) {
        if (!studentList_)
            throw Error((fileName.empty() ? std::string("L'export")
                                          : "Le fichier « " + std::string(fileName) + " »") +
                        " ne contient pas la liste des élèves (DONNEES/ELEVES) : ce n'est pas un "
                        "export des élèves complet. Refaites l'export depuis SIECLE, sans "
                        "modifier le fichier.");
        return std::move(result_);
    }

private:
    Place EnterRoot(std::string_view name) override {
        CheckStudentExportRoot(std::string(name));
        return Place::Root;
    }

    void Leave(Place place) override {
        switch (place) {
        case Place::Student:
            result_.students.push_back(std::move(student_));
            break;
        case Place::Option:
            result_.schooling[owner_].options.push_back(std::move(option_));
            break;
        case Place::Structure:
            if (auto& division = result_.schooling[owner_].division;
                !division && TrimBlanks(structureType_) == "D")
                division = std::move(structureCode_);
            break;
        case Place::Address:
            result_.addresses.try_emplace(std::move(owner_), std::move(address_));
            break;
        default:
            break;
        }
    }

    void Encoding(const xml::EncodingNote& note) override { result_.encoding = note; }

    Place Enter(Place parent, std::string_view name,
                const xml::XmlAttributes& attributes) override {
        switch (parent) {
        case Place::Root:
            return name == "PARAMETRES" ? Place::Parameters
                   : name == "DONNEES"  ? Place::Data
                                        : Place::Ignored;
        case Place::Parameters:
            return name == "UAJ"              ? Keep(result_.establishment)
                   : name == "DATE_EXPORT"    ? Keep(result_.exportDate)
                   : name == "ANNEE_SCOLAIRE" ? Keep(result_.schoolYear)
                                              : Place::Ignored;
        case Place::Data:
            studentList_ = studentList_ || name == "ELEVES";
            return name == "ELEVES"       ? Place::Students
                   : name == "OPTIONS"    ? Place::Options
                   : name == "STRUCTURES" ? Place::Structures
                   : name == "ADRESSES"   ? Place::Addresses
                                          : Place::Ignored;
        case Place::Students:
            if (name != "ELEVE")
                return Place::Ignored;
            student_ = {TrimBlanks(attributes.Value("ELEVE_ID")), attributes.Value("ELENOET"), {}};
            return Place::Student;
        case Place::Student:
            if (name == "SCOLARITE_AN_DERNIER")
                return Place::LastYear;
            for (const auto& [valueName, value] : kStudentValues)
                if (name == valueName)
                    return Keep(student_.values[static_cast<std::size_t>(value)]);
            return Place::Ignored;
        case Place::LastYear:
            return name == "CODE_STRUCTURE" ? Keep(student_, StudentValue::LastYearDivision)
                   : name == "CODE_RNE"     ? Keep(student_, StudentValue::LastYearSchool)
                                            : Place::Ignored;
        case Place::Options:
            return Owned(name, "OPTION", Place::StudentOptions, "ELEVE_ID", attributes);
        case Place::StudentOptions:
            if (name != "OPTIONS_ELEVE")
                return Place::Ignored;
            option_ = {};
            return Place::Option;
        case Place::Option:
            return name == "NUM_OPTION"     ? Keep(option_.number)
                   : name == "CODE_MATIERE" ? Keep(option_.subjectCode)
                                            : Place::Ignored;
        case Place::Structures:
            return Owned(name, "STRUCTURES_ELEVE", Place::StudentStructures, "ELEVE_ID",
                         attributes);
        case Place::StudentStructures:
            if (name != "STRUCTURE")
                return Place::Ignored;
            structureCode_.clear();
            structureType_.clear();
            return Place::Structure;
        case Place::Structure:
            return name == "CODE_STRUCTURE"   ? Keep(structureCode_)
                   : name == "TYPE_STRUCTURE" ? Keep(structureType_)
                                              : Place::Ignored;
        case Place::Addresses:
            address_ = {};
            return Owned(name, "ADRESSE", Place::Address, "ADRESSE_ID", attributes);
        case Place::Address:
            return AddressPart(name);
        default:
            return Place::Ignored;
        }
    }

    Place AddressPart(std::string_view name) {
        std::string* part = AddressPartNamed(address_, name);
        return part != nullptr ? Keep(*part) : Place::Ignored;
    }

    using PlacedEvents::Keep;
    Place Keep(SiecleStudent& student, StudentValue value) {
        return Keep(student.values[static_cast<std::size_t>(value)]);
    }

    Place Owned(std::string_view name, std::string_view expected, Place place,
                std::string_view idName, const xml::XmlAttributes& attributes) {
        if (name != expected)
            return Place::Ignored;
        owner_ = TrimBlanks(attributes.Value(idName));
        return place;
    }

    SiecleExport result_;
    SiecleStudent student_;
    SiecleOption option_;
    SiecleAddress address_;
    std::string owner_; // ELEVE_ID or ADRESSE_ID of the element being read
    std::string structureCode_;
    std::string structureType_;
    bool studentList_ = false; // DONNEES/ELEVES met
};

} // namespace

std::string* AddressPartNamed(SiecleAddress& address, std::string_view name) {
    static constexpr std::string_view kLines[] = {"LIGNE1_ADRESSE", "LIGNE2_ADRESSE",
                                                  "LIGNE3_ADRESSE", "LIGNE4_ADRESSE"};
    for (std::size_t k = 0; k < 4; ++k)
        if (name == kLines[k])
            return &address.lines[k];
    return name == "CODE_POSTAL"         ? &address.postalCode
           : name == "LIBELLE_POSTAL"    ? &address.town
           : name == "COMMUNE_ETRANGERE" ? &address.foreignTown
                                         : nullptr;
}

SiecleExport ReadSiecleExport(std::string_view bytes, std::string_view fileName) {
    SiecleEvents events;
    xml::StreamXml(bytes, events);
    return events.Take(fileName);
}

SiecleExport ReadSiecleExport(const xml::ByteSourceOpener& open, std::string_view fileName) {
    SiecleEvents events;
    xml::StreamXml(open, events);
    return events.Take(fileName);
}

} // namespace tressal::students
